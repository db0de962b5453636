// The snip's PNG: offered on the clipboard beside its bitmap and made only
// when a program asks for it (delayed rendering), so that a snip costs no
// encoding, and no second read of its pixels, unless someone pastes it as a
// PNG. Browsers and chat programs take a PNG where they take no bitmap, and
// Wine hands it to X programs as image/png.
#pragma once

#include <windows.h>

// With the clipboard open and the snip's bitmap just put there, offers
// "PNG" beside it for rendering on request. The bitmap is the clipboard's
// from then on; it is only read again, to make the PNG, and only until the
// clipboard's contents are destroyed.
void offerSnipPng(HBITMAP onClipboard);

// WM_RENDERFORMAT: a program asks for the PNG; the clipboard is open for it.
void renderSnipPng(UINT format);
// WM_RENDERALLFORMATS: the overlay window is about to go, and with it the
// chance to render. Makes the PNG now, while the clipboard is still ours, so
// that a snip taken just before Grabnik ends still pastes as a PNG.
void renderSnipPngBeforeExit();
// WM_DESTROYCLIPBOARD: the contents the PNG was offered for are gone, the
// bitmap with them.
void forgetSnipPng();
