#include "freeze.h"

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "snapshot.h"

void freezeScreen() {
    SnipState& s = snipState;
    {
        WindowDC screen(nullptr);
        // Measured at every freeze, so that a change of resolution is followed.
        const int width = GetDeviceCaps(screen, HORZRES);
        const int height = GetDeviceCaps(screen, VERTRES);
        // Without a snapshot of the whole screen there is nothing true to
        // show: no snip starts, and the old snapshot stays for the brush.
        if (!replaceSnapshot(screen, width, height)) return;
        s.screenWidth = width;
        s.screenHeight = height;
        // Capture before showing: the screen still shows what is to be frozen.
        BitBlt(s.snapshotDC, 0, 0, width, height, screen, 0, 0, SRCCOPY);
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
