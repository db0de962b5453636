#include "freeze.h"

#include "brush.h"
#include "core/snip_state.h"
#include "core/win_holders.h"
#include "magnifier.h"
#include "picture.h"
#include "window_frames.h"

namespace {

// The overlay already covers the area: the screen shows the picture under
// the decorations, so the picture is what is frozen again, and the
// decorations stay decorations.
bool overlayShows(const RECT& area) {
    const SnipState& s = snipState;
    return IsWindowVisible(s.mainWindow) && area.left == s.overlayLeft &&
           area.top == s.overlayTop && area.right - area.left == s.screenWidth &&
           area.bottom - area.top == s.screenHeight;
}

}  // namespace

RECT overlayScreenArea(HDC screen) {
    if (!snipState.startOptions.allMonitors)
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
        // Without a picture of the whole screen there is nothing true to
        // show: no snip starts, and the old picture stays.
        if (!preparePicture(screen, width, height)) return false;
        s.screenWidth = width;
        s.screenHeight = height;
        s.overlayLeft = area.left;
        s.overlayTop = area.top;
        // Read once, into the picture, before showing: the screen still
        // shows what is to be frozen. Parts of the bounding box that no
        // monitor shows read as whatever the platform keeps there.
        BitBlt(s.picture.dc, 0, 0, width, height, source, sourceLeft, sourceTop, SRCCOPY);
        // The brush reads and writes the pixels in place from here on.
        GdiFlush();
    }
    forgetBrushWork();
    recordWindowFrames();
    POINT pointer;
    GetCursorPos(&pointer);
    startFollowing(pointer.x - s.overlayLeft, pointer.y - s.overlayTop);

    MoveWindow(s.mainWindow, s.overlayLeft, s.overlayTop, s.screenWidth, s.screenHeight, FALSE);
    ShowWindow(s.mainWindow, SW_SHOWNORMAL);
    // Painted now, once shown: some platforms keep nothing that is drawn
    // into a hidden window. A window already shown is painted anew too.
    InvalidateRect(s.mainWindow, nullptr, FALSE);
    UpdateWindow(s.mainWindow);
    // The activation that follows sets the cursor for the current mode.
    SetForegroundWindow(s.mainWindow);
    return true;
}

void freezeScreen() {
    WindowDC screen(nullptr);
    // Measured at every freeze, so that a change of resolution, or a
    // monitor added or removed, is followed.
    const RECT area = overlayScreenArea(screen);
    if (overlayShows(area)) {
        // The brush's work so far is part of what is frozen now.
        forgetBrushWork();
        SetForegroundWindow(snipState.mainWindow);
        return;
    }
    freezeArea(area, screen, area.left, area.top);
}
