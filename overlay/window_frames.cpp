#include "window_frames.h"

#include <windows.h>

#include "core/snip_state.h"
#include "selection.h"
#include "selection_geometry_logic.h"

namespace {

struct WindowFrame {
    HWND window;
    RECT frame;  // screen positions
};

// Front to back, as the platform lists them. A desktop shows fewer than
// this many windows in practice; any beyond are left out.
constexpr int MaxWindowFrames = 512;
WindowFrame frames[MaxWindowFrames];
int frameCount;

// The Tab cycle: where the last Tab was pressed and how deep it went.
POINT lastTabAt = {-1, -1};
int tabDepth;

using WindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);

WindowAttribute windowAttributeFunction() {
    // Loaded once and kept for the process's life; absent before Vista.
    static const HMODULE dwm = LoadLibraryA("dwmapi.dll");
    static const auto function = dwm ? reinterpret_cast<WindowAttribute>(reinterpret_cast<void*>(
                                           GetProcAddress(dwm, "DwmGetWindowAttribute")))
                                     : nullptr;
    return function;
}

bool isCloaked(HWND window, WindowAttribute attribute) {
    constexpr DWORD Cloaked = 14;  // DWMWA_CLOAKED
    DWORD cloaked = 0;
    return attribute && SUCCEEDED(attribute(window, Cloaked, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}

// What the user sees as the window: without the invisible resize borders
// where the platform tells them, else the window's rectangle.
RECT visibleFrame(HWND window, WindowAttribute attribute) {
    constexpr DWORD ExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
    RECT frame = {};
    if (attribute &&
        SUCCEEDED(attribute(window, ExtendedFrameBounds, &frame, sizeof frame)) &&
        !IsRectEmpty(&frame))
        return frame;
    GetWindowRect(window, &frame);
    return frame;
}

BOOL CALLBACK recordWindow(HWND window, LPARAM) {
    if (frameCount >= MaxWindowFrames) return FALSE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const WindowAttribute attribute = windowAttributeFunction();
    if (!IsWindowVisible(window) || IsIconic(window) || process == GetCurrentProcessId() ||
        isCloaked(window, attribute))
        return TRUE;
    const RECT frame = visibleFrame(window, attribute);
    if (!IsRectEmpty(&frame)) frames[frameCount++] = {window, frame};
    return TRUE;
}

// The window `depth` levels below the top-level one under the point, as
// deep as there are windows; its depth is given back.
HWND windowAtDepth(HWND topLevel, POINT point, int& depth) {
    HWND window = topLevel;
    for (int level = 0; level < depth; ++level) {
        POINT client = point;
        ScreenToClient(window, &client);
        const HWND child =
            ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == window) {
            depth = level;
            break;
        }
        window = child;
    }
    return window;
}

}  // namespace

void recordWindowFrames() {
    frameCount = 0;
    lastTabAt = {-1, -1};
    EnumWindows(recordWindow, 0);
}

void frameWindowUnderPointer() {
    POINT pointer;
    GetCursorPos(&pointer);
    const WindowFrame* topLevel = nullptr;
    for (int i = 0; i < frameCount && !topLevel; ++i)
        if (PtInRect(&frames[i].frame, pointer)) topLevel = &frames[i];
    if (!topLevel) return;

    // Deeper at the same position; once no window lies deeper, the
    // top-level window again.
    const bool again = pointer.x == lastTabAt.x && pointer.y == lastTabAt.y;
    const int wanted = again ? tabDepth + 1 : 0;
    int depth = wanted;
    const HWND window = windowAtDepth(topLevel->window, pointer, depth);
    if (depth < wanted) depth = 0;
    RECT frame = topLevel->frame;
    if (depth > 0) GetWindowRect(window, &frame);
    lastTabAt = pointer;
    tabDepth = depth;

    const SelectionRect onOverlay = {
        frame.left - snipState.overlayLeft, frame.top - snipState.overlayTop,
        frame.right - snipState.overlayLeft, frame.bottom - snipState.overlayTop};
    holdFrame(cutToOverlay(onOverlay, snipState.screenWidth, snipState.screenHeight));
}
