#include "overlay_paint.h"

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "magnifier.h"
#include "selection.h"

void repaintOverlayArea(const RECT& area) {
    // FALSE: nothing is erased; the picture covers every marked pixel.
    InvalidateRect(snipState.mainWindow, &area, FALSE);
}

void showPictureAlone() {
    // Some platforms leave a hidden window's last pixels on the screen until
    // what lies below paints itself again; the next freeze may read them
    // there, and must find the frozen pixels, not a frame or a magnifier.
    const WindowDC overlay(snipState.mainWindow);
    BitBlt(overlay, 0, 0, snipState.screenWidth, snipState.screenHeight, snipState.picture.dc, 0, 0,
           SRCCOPY);
    ValidateRect(snipState.mainWindow, nullptr);
}

void paintOverlay(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    // The context is clipped to the marked areas: only they are drawn, the
    // decorations' inversions included, so each is applied exactly once.
    const RECT& area = paint.rcPaint;
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
           snipState.picture.dc, area.left, area.top, SRCCOPY);
    drawSelectionFrame(dc);
    drawMagnifier(dc);
    EndPaint(window, &paint);
}
