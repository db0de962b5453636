// A window of this process standing in for the overlay: a hidden popup,
// `side` pixels square at the screen's top-left corner, is the snip state's
// overlay of that size. The state starts and ends each case cleared, and the
// picture goes with the window.
#pragma once

#include <windows.h>

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "overlay/brush.h"
#include "overlay/picture.h"

class StandInOverlay {
public:
    explicit StandInOverlay(int side = 1)
        : side_(side),
          window_(CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", nullptr, WS_POPUP, 0,
                                  0, side, side, nullptr, nullptr, GetModuleHandleA(nullptr),
                                  nullptr)) {
        snipState = SnipState{};
        snipState.mainWindow = window_;
        snipState.screenWidth = snipState.screenHeight = side;
    }
    ~StandInOverlay() {
        deletePicture();
        DestroyWindow(window_);
        snipState = SnipState{};
    }
    StandInOverlay(const StandInOverlay&) = delete;
    StandInOverlay& operator=(const StandInOverlay&) = delete;

    bool created() const { return window_ != nullptr; }
    HWND window() const { return window_; }

    // Makes the frozen picture, as a freeze would, with `colourAt(x, y)` at
    // every position.
    template <class ColourAt>
    bool freezeWith(ColourAt colourAt) const {
        if (!preparePicture(WindowDC(nullptr), side_, side_)) return false;
        for (int y = 0; y < side_; ++y)
            for (int x = 0; x < side_; ++x) setPictureColour(x, y, colourAt(x, y));
        forgetBrushWork();
        return true;
    }
    // The same with a colour of its own at every position.
    bool freezePattern() const { return freezeWith(frozenAt); }
    static COLORREF frozenAt(int x, int y) { return RGB(x * 3, y * 3, 77); }

private:
    int side_;
    HWND window_;
};
