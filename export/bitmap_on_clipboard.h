// The snip's bitmap handed to the clipboard.
#pragma once

#include <windows.h>

#include "clipboard_attempt.h"

// One try to hand the bitmap to the clipboard, owned by the overlay window.
// Busy when another program holds the clipboard: the bitmap is still the
// caller's. Done otherwise: the clipboard took it and it is the clipboard's
// from then on, with the snip's PNG offered beside it (snip_png.h), or it
// refused it and the bitmap is deleted.
ClipboardAttempt handBitmapToClipboard(HBITMAP bitmap);
