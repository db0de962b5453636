#include "bitmap_on_clipboard.h"

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "snip_png.h"

ClipboardAttempt handBitmapToClipboard(HBITMAP bitmap) {
    {
        const ClipboardScope clipboard(snipState.mainWindow);
        // Another program holds the clipboard: the bitmap stays ours, to
        // be tried again.
        if (!clipboard.isOpen()) return ClipboardAttempt::Busy;
        // Ownership hand-over: once SetClipboardData takes the bitmap it is
        // the clipboard's and is never deleted by us.
        if (EmptyClipboard() && SetClipboardData(CF_BITMAP, bitmap)) {
            offerSnipPng(bitmap);  // in the same open
            return ClipboardAttempt::Done;
        }
    }
    // Nobody else will ever free it: without this every refused snip would
    // leak a bitmap as large as the selection.
    DeleteObject(bitmap);
    return ClipboardAttempt::Done;
}
