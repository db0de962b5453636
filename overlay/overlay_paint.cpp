#include "overlay_paint.h"

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "magnifier.h"
#include "selection.h"

namespace {

// What the open batches have gathered; null while none is open.
HRGN gathered;

}  // namespace

void repaintOverlayArea(const RECT& area) {
    const GdiObject part(gathered ? CreateRectRgnIndirect(&area) : nullptr);
    if (part && CombineRgn(gathered, gathered, static_cast<HRGN>(HGDIOBJ(part)), RGN_OR) != ERROR)
        return;
    // Outside a batch, or when the batch cannot grow: marked on its own.
    // FALSE: nothing is erased; the picture covers every marked pixel.
    InvalidateRect(snipState.mainWindow, &area, FALSE);
}

RepaintBatch::RepaintBatch() : outermost_(!gathered) {
    if (outermost_) gathered = CreateRectRgn(0, 0, 0, 0);
}

RepaintBatch::~RepaintBatch() {
    if (!outermost_ || !gathered) return;
    InvalidateRgn(snipState.mainWindow, gathered, FALSE);
    DeleteObject(gathered);
    gathered = nullptr;
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
