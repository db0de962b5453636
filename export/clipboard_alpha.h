// The image another program put on the clipboard, as the file hotkey reads
// it: which format it gave itself, and the pixels of a 32-bit image with
// alpha.
#pragma once

#include <windows.h>

#include "core/win_holders.h"
#include "image_writer.h"

// The image format another program put on the clipboard itself: the
// platform lists the formats it synthesizes after the ones it was given.
UINT originalImageFormat();

// The pixels of a CF_DIBV5 with alpha that another program put on the open
// clipboard, when the block locked in `block` holds one; else a null top
// row.
//
// Why not CF_BITMAP alone: the platform synthesizes it from any DIB another
// program puts there, and measured under Wine that keeps 24-bit, 8-bit
// palette and 1x1 DIBs pixel for pixel, so those go through CF_BITMAP as a
// snip does. But a bitmap has no alpha: a DIBV5 with straight alpha would be
// saved opaque, with whatever colour its transparent pixels happen to hold.
AlphaPixels clipboardAlphaPixels(const LockedMemory& block);
