// The one process-wide record that start-up, the overlay, the brush and the
// file hotkey share. Only the message-loop thread touches it.
#pragma once

#include <windows.h>

#include "hotkey_text_logic.h"
#include "path_capacity.h"
#include "pixel_surface.h"

struct SnipState {
    HWND mainWindow;   // the overlay; owns both hotkeys and the clipboard while we write it
    int screenWidth;   // the overlay in pixels: the primary display, or with
    int screenHeight;  // all monitors the virtual screen, as last measured
    int overlayLeft;   // the overlay's top-left corner on the screen; negative when
    int overlayTop;    // a monitor stands left of or above the primary
    StartOptions startOptions;  // as given at start; the launcher shortcut keeps them
    // Both made by every freeze, screenWidth by screenHeight pixels.
    PixelSurface picture;   // what the overlay shows under its decorations: the frozen
                            // screen plus the brush's work; what a snip copies
    PixelSurface snapshot;  // the untouched frozen screen, for restoring; filled by the
                            // brush before it first changes a part of the picture
    int selStartX, selStartY;  // selection anchor, in overlay positions
    int selEndX, selEndY;      // selection moving corner, likewise
    bool dragging;
    bool frameShown;  // a frame is drawn: from a press (or Tab) to the end of the snip
    bool brushMode;                          // toggled by the right button
    bool holdSelection;                      // toggled by Space
    int sampleRed, sampleGreen, sampleBlue;  // mean of the last brush sample
    int sampleThreshold;                     // squared distance, at most 512
    HCURSOR crossCursor;                     // not owned: the system's shared crosshair
    HCURSOR brushCursor;                     // ours for the process's life, never destroyed
    HCURSOR previousCursor;                  // what was current when we started
    bool running;                            // start-up done, the message loop runs
    int tempFileCounter;
    wchar_t tempPathBuffer[PathCapacity];  // the latest temporary image path built
};

// Zero-initialised as a global: every field starts at 0, false or null.
extern SnipState snipState;
