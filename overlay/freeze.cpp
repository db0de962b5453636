#include "freeze.h"

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "snapshot.h"

RECT overlayScreenArea(HDC screen) {
    if (!snipState.allMonitors)
        return {0, 0, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool freezeArea(const RECT& area, HDC source, int sourceLeft, int sourceTop) {
    SnipState& s = snipState;
    {
        WindowDC screen(nullptr);
        const int width = area.right - area.left;
        const int height = area.bottom - area.top;
        // Without a snapshot of the whole screen there is nothing true to
        // show: no snip starts, and the old snapshot stays for the brush.
        if (!replaceSnapshot(screen, width, height)) return false;
        s.screenWidth = width;
        s.screenHeight = height;
        s.overlayLeft = area.left;
        s.overlayTop = area.top;
        // Capture before showing: the screen still shows what is to be
        // frozen. Parts of the bounding box that no monitor shows copy as
        // whatever the platform keeps there.
        BitBlt(s.snapshotDC, 0, 0, width, height, source, sourceLeft, sourceTop, SRCCOPY);
    }

    MoveWindow(s.mainWindow, s.overlayLeft, s.overlayTop, s.screenWidth, s.screenHeight, FALSE);
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
    return true;
}

void freezeScreen() {
    WindowDC screen(nullptr);
    // Measured at every freeze, so that a change of resolution, or a
    // monitor added or removed, is followed.
    const RECT area = overlayScreenArea(screen);
    freezeArea(area, screen, area.left, area.top);
}
