#include "freeze.h"

#include "app/snip_state.h"
#include "dc_holders.h"

void freezeScreen() {
    SnipState& s = snipState;
    {
        WindowDC screen(nullptr);
        // Measured at every freeze, so that a change of resolution is followed.
        s.screenWidth = GetDeviceCaps(screen, HORZRES);
        s.screenHeight = GetDeviceCaps(screen, VERTRES);
        DeleteDC(s.snapshotDC);  // the context first: it still holds the bitmap
        DeleteObject(s.snapshotBitmap);
        s.snapshotDC = CreateCompatibleDC(screen);
        s.snapshotBitmap = CreateCompatibleBitmap(screen, s.screenWidth, s.screenHeight);
        SelectObject(s.snapshotDC, s.snapshotBitmap);
        // Capture before showing: the screen still shows what is to be frozen.
        BitBlt(s.snapshotDC, 0, 0, s.screenWidth, s.screenHeight, screen, 0, 0, SRCCOPY);
    }

    MoveWindow(s.mainWindow, 0, 0, s.screenWidth, s.screenHeight, FALSE);
    ShowWindow(s.mainWindow, SW_SHOWNORMAL);
    // Let the pending paint and erase run now, before the picture goes in.
    // Neither draws anything (no background brush, default painting), and
    // nothing paints the overlay afterwards, so the frame and the brush work
    // drawn later stay.
    UpdateWindow(s.mainWindow);
    {
        // Only once the overlay is shown: some platforms keep nothing that is
        // drawn into a hidden window, which would then show black.
        WindowDC overlay(s.mainWindow);
        BitBlt(overlay, 0, 0, s.screenWidth, s.screenHeight, s.snapshotDC, 0, 0, SRCCOPY);
    }
    // The activation that follows sets the cursor for the current mode.
    SetForegroundWindow(s.mainWindow);
}
