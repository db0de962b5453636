#include "snapshot.h"

#include "core/snip_state.h"
#include "core/win_holders.h"

bool replaceSnapshot(HDC screen, int width, int height) {
    BitmapContext pair(screen, width, height);
    if (!pair.isValid()) return false;
    // The holder leaves with the old pair and deletes it.
    pair.swapWith(snipState.snapshotDC, snipState.snapshotBitmap);
    return true;
}

void deleteSnapshot() {
    BitmapContext nothing(nullptr, nullptr);
    nothing.swapWith(snipState.snapshotDC, snipState.snapshotBitmap);
}
