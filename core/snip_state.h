// The one process-wide record that start-up, the overlay, the brush and the
// file hotkey share. Only the message-loop thread touches it.
#pragma once

#include <windows.h>

#include "path_capacity.h"

struct SnipState {
    HWND mainWindow;   // the overlay; owns both hotkeys and the clipboard while we write it
    int screenWidth;   // the overlay in pixels: the primary display, or with
    int screenHeight;  // allMonitors the virtual screen, as last measured
    int overlayLeft;   // the overlay's top-left corner on the screen; negative when
    int overlayTop;    // a monitor stands left of or above the primary
    bool allMonitors;  // every freeze covers all monitors
    HDC snapshotDC;    // the frozen screen; snapshotBitmap is always selected into it
    HBITMAP snapshotBitmap;
    int selStartX, selStartY;  // selection anchor, in overlay positions
    int selEndX, selEndY;      // selection moving corner, likewise
    bool dragging;
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
