#include "overlay_window.h"

#include "app/snip_state.h"
#include "export/clipboard_file.h"

LRESULT CALLBACK overlayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
    case WM_SIZE:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_HOTKEY:
        if (wParam == FileHotkey) saveClipboardImageToTempFile();
        break;  // hotkeys go on to the default handling too
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
