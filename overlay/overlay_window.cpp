#include "overlay_window.h"

#include <windowsx.h>

#include <algorithm>

#include "brush.h"
#include "colour_copy.h"
#include "core/hotkey_registration.h"
#include "core/snip_state.h"
#include "export/clipboard_queue.h"
#include "export/snip_png.h"
#include "freeze.h"
#include "freeze_from_file.h"
#include "magnifier.h"
#include "overlay_paint.h"
#include "selection.h"
#include "selection_geometry_logic.h"
#include "window_frames.h"

namespace {

// Every mouse handler takes the position from here, the one place where a
// screen position becomes an overlay position: where the cursor was when
// the message being handled was posted. Not where it is now: a program that
// falls behind its input (on a busy machine, or a quick flick of the mouse)
// would otherwise see the press of a drag where the release already is, and
// copy nothing.
OverlayPoint cursorPosition() {
    const DWORD position = GetMessagePos();
    return toOverlayPosition(GET_X_LPARAM(position), GET_Y_LPARAM(position), snipState.overlayLeft,
                             snipState.overlayTop);
}

// Where the cursor is now, for the keys: they act where the pointer stands.
OverlayPoint pointerPosition() {
    POINT pointer;
    GetCursorPos(&pointer);
    return toOverlayPosition(pointer.x, pointer.y, snipState.overlayLeft, snipState.overlayTop);
}

void showModeCursor() {
    SetCursor(snipState.brushMode ? snipState.brushCursor : snipState.crossCursor);
}

void onHotkey(WPARAM id) {
    // Pressed while start-up still runs, under its message box or the setup
    // dialog's: nothing happens, the press is not kept for later.
    if (!snipState.running) return;
    switch (id) {
    case SelectionHotkey:
        freezeScreen();
        break;
    case FileHotkey:
        requestFileSave();
        break;
    }
}

void onTimer(WPARAM id) {
    if (id == ClipboardRetryTimer) retryClipboardWork();
}

void onActivateApp(bool activated) {
    if (activated) {
        showModeCursor();
        return;
    }
    if (snipState.brushMode) SetCursor(snipState.previousCursor);
    // Forget the selection too, not only hide: the next snip's first press
    // would otherwise invert a stale frame into the newly frozen picture.
    endSnip();
}

// The pointer at a new position, however it got there: the magnifier
// follows it, the frame or the brush works there.
void onPointerMoved(OverlayPoint cursor, WPARAM flags) {
    const RepaintBatch batch;
    followPointer(cursor.x, cursor.y);
    if (!snipState.brushMode) {
        trackSelection(cursor.x, cursor.y, (flags & MK_LBUTTON) != 0);
        return;
    }
    // Both may run for one move: whitening first, so that Shift undoes it.
    if (flags & MK_LBUTTON) whitenBrushArea(cursor.x, cursor.y);
    if (flags & (MK_SHIFT | MK_MBUTTON)) restoreBrushArea(cursor.x, cursor.y);
}

bool isKeyDown(int key) { return GetKeyState(key) < 0; }

// The arrow keys move the pointer, which stays on the overlay, as a move of
// the mouse would, with the buttons and Shift as they are held now; a held
// frame's moving corner instead, or with Ctrl the whole held frame. One
// pixel, or ten with Shift. Auto-repeat keeps moving.
void onArrowKey(WPARAM key) {
    const int step = isKeyDown(VK_SHIFT) ? 10 : 1;
    const int dx = key == VK_LEFT ? -step : key == VK_RIGHT ? step : 0;
    const int dy = key == VK_UP ? -step : key == VK_DOWN ? step : 0;
    if (frameIsHeld()) {
        if (isKeyDown(VK_CONTROL))
            moveHeldFrame(dx, dy);
        else
            moveHeldFrameCorner(dx, dy);
        return;
    }
    const OverlayPoint from = pointerPosition();
    const OverlayPoint to = {std::clamp(from.x + dx, 0, snipState.screenWidth - 1),
                             std::clamp(from.y + dy, 0, snipState.screenHeight - 1)};
    SetCursorPos(to.x + snipState.overlayLeft, to.y + snipState.overlayTop);
    WPARAM flags = 0;
    if (isKeyDown(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (isKeyDown(VK_MBUTTON)) flags |= MK_MBUTTON;
    if (isKeyDown(VK_SHIFT)) flags |= MK_SHIFT;
    onPointerMoved(to, flags);
}

void onColourKey() {
    const OverlayPoint pointer = pointerPosition();
    copyColourAt(pointer.x, pointer.y);
    endSnip();
}

void onKeyDown(WPARAM key) {
    switch (key) {
    case VK_RETURN:
        copySelectionToClipboard();
        endSnip();
        break;
    case VK_ESCAPE:
        endSnip();
        break;
    case VK_SPACE:
        // Every key-down, auto-repeated ones included, toggles.
        snipState.holdSelection = !snipState.holdSelection;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        onArrowKey(key);
        break;
    case VK_TAB:
        frameWindowUnderPointer();
        break;
    case 'Z':
        toggleMagnifier();
        break;
    case 'C':
        onColourKey();
        break;
    }
}

// The system's close command, which Alt+F4 on the overlay gives: it ends
// the snip as Escape does, and Grabnik runs on with both hotkeys. True when
// handled; every other command is the default handling's. A WM_CLOSE posted
// by another program (taskkill, the Linux companion) still ends Grabnik.
bool onSystemCommand(WPARAM command) {
    // The low four bits are the platform's own.
    if ((command & 0xFFF0) != SC_CLOSE) return false;
    endSnip();
    return true;
}

void onMouseMove(WPARAM flags) { onPointerMoved(cursorPosition(), flags); }

void onLeftButtonDown() {
    // Until the button is released every mouse message comes here, so that a
    // release beyond the overlay (on a monitor it does not cover) still ends
    // the drag.
    SetCapture(snipState.mainWindow);
    const OverlayPoint cursor = cursorPosition();
    if (snipState.brushMode) {
        sampleBrushColour(cursor.x, cursor.y);
        return;
    }
    beginSelection(cursor.x, cursor.y);
}

void onLeftButtonUp() {
    ReleaseCapture();
    if (snipState.brushMode) return;
    if (snipState.holdSelection) {
        // The drag is over and its frame held: the arrow keys adjust it from
        // now on, not only after the pointer next moves.
        snipState.dragging = false;
        return;
    }
    copySelectionToClipboard();
    endSnip();
}

void onRightButtonDown() {
    snipState.brushMode = !snipState.brushMode;
    showModeCursor();
}

void onMiddleButtonDown() {
    if (!snipState.brushMode) return;
    const OverlayPoint cursor = cursorPosition();
    restoreBrushArea(cursor.x, cursor.y);
}

}  // namespace

LRESULT CALLBACK overlayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
    case WM_SIZE:
        // Nothing to create or lay out: the freeze reads the picture and
        // sizes the window itself. 0 lets the creation go on.
        return 0;
    case WM_DESTROY:
        abandonClipboardWork();  // a bitmap still waiting would leak
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        paintOverlay(window);
        return 0;
    case WM_RENDERFORMAT:
        renderSnipPng(UINT(wParam));
        break;
    case WM_RENDERALLFORMATS:
        renderSnipPngBeforeExit();
        break;
    case WM_DESTROYCLIPBOARD:
        forgetSnipPng();
        break;
    case WM_HOTKEY:
        onHotkey(wParam);
        break;
    case WM_TIMER:
        onTimer(wParam);
        break;
    case WM_ACTIVATEAPP:
        onActivateApp(wParam != 0);
        break;
    case WM_KEYDOWN:
        onKeyDown(wParam);
        break;
    case WM_SYSCOMMAND:
        // Handled, it must not reach the default handling, which would
        // turn it into WM_CLOSE and end the program.
        if (onSystemCommand(wParam)) return 0;
        break;
    case WM_MOUSEMOVE:
        onMouseMove(wParam);
        break;
    case WM_LBUTTONDOWN:
        onLeftButtonDown();
        break;
    case WM_LBUTTONUP:
        onLeftButtonUp();
        break;
    case WM_RBUTTONDOWN:
        onRightButtonDown();
        break;
    case WM_MBUTTONDOWN:
        onMiddleButtonDown();
        break;
    case WM_COPYDATA:
        return onPictureHandover(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    }
    // Every message not answered above goes on to the default handling, the
    // handled input messages included; WM_ERASEBKGND there draws nothing
    // (no background brush), the paint covers every marked pixel.
    return DefWindowProcA(window, message, wParam, lParam);
}
