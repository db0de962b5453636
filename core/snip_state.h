// The one process-wide record that start-up, the overlay, the brush and the
// file hotkey share. Only the message-loop thread touches it.
#pragma once

#include <windows.h>

// Identifiers under which both hotkeys are registered on the overlay window.
constexpr int SelectionHotkey = 0;
constexpr int FileHotkey = 1;

// The overlay window's one timer: the retry of clipboard work that found the
// clipboard held by another program (overlay/clipboard_retry.h).
constexpr UINT_PTR ClipboardRetryTimer = 1;

// What one attempt at clipboard work came to. Busy: another program held
// the clipboard, nothing was done and the attempt may be repeated. Done:
// the work ran to its end, whether it succeeded or not.
enum class ClipboardAttempt { Done, Busy };

struct SnipState {
    HWND mainWindow;   // the overlay; owns both hotkeys and the clipboard while we write it
    int screenWidth;   // the overlay in pixels: the primary display, or with
    int screenHeight;  // allMonitors the virtual screen, as last measured
    int overlayLeft;   // the overlay's top-left corner on the screen; negative when
    int overlayTop;    // a monitor stands left of or above the primary
    int allMonitors;   // 0 or 1: every freeze covers all monitors
    HDC snapshotDC;    // the frozen screen; snapshotBitmap is always selected into it
    HBITMAP snapshotBitmap;
    int selStartX, selStartY;                // selection anchor, in overlay positions
    int selEndX, selEndY;                    // selection moving corner, likewise
    int dragging;                            // 0 or 1
    int brushMode;                           // 0 or 1, toggled by the right button
    int holdSelection;                       // 0 or 1, toggled by Space
    int sampleRed, sampleGreen, sampleBlue;  // mean of the last brush sample
    int sampleThreshold;                     // squared distance, at most 512
    HCURSOR crossCursor;                     // not owned: the system's shared crosshair
    HCURSOR brushCursor;                     // ours for the process's life, never destroyed
    HCURSOR previousCursor;                  // what was current when we started
    int running;                             // 0 or 1: start-up done, the message loop runs
    int tempFileCounter;
    wchar_t tempPathBuffer[MAX_PATH];  // the latest temporary image path built
    // Clipboard work waiting for the clipboard (overlay/clipboard_retry.cpp).
    HBITMAP pendingCopy;     // a snip's bitmap, ours until the clipboard takes it; or null
    int pendingFileSave;     // 0 or 1: the file hotkey waits
    int pendingSaveFirst;    // 0 or 1: the file hotkey was pressed before the waiting snip
    int clipboardTriesLeft;  // retries left before the waiting work is given up
};

// Zero-initialised as a global: every field starts at 0.
extern SnipState snipState;
