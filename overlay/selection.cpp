#include "selection.h"

#include <initializer_list>

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "export/clipboard_queue.h"
#include "magnifier.h"
#include "overlay_paint.h"

namespace {

SelectionCorners corners() {
    const SnipState& s = snipState;
    return {s.selStartX, s.selStartY, s.selEndX, s.selEndY};
}

void repaintFrame() {
    if (!snipState.frameShown) return;
    const SelectionFrame frame = selectionFrameEdges(currentSelection());
    for (const SelectionRect& edge : {frame.top, frame.left, frame.right, frame.bottom})
        repaintOverlayArea({edge.left, edge.top, edge.right, edge.bottom});
}

// The one way the frame changes: the area it leaves and the area it covers
// are painted again, and the magnifier's size line with them.
void showFrame(const SelectionCorners& c) {
    const RepaintBatch batch;
    repaintFrame();
    snipState.selStartX = c.startX;
    snipState.selStartY = c.startY;
    snipState.selEndX = c.endX;
    snipState.selEndY = c.endY;
    snipState.frameShown = true;
    repaintFrame();
    refreshMagnifier();
}

}  // namespace

// Cut to the overlay: a drag that went on beyond it (the mouse is captured)
// frames and copies only frozen pixels, and the frame stands on the edge
// that the drag crossed.
SelectionRect currentSelection() {
    const SelectionRect dragged = normalizeSelection(snipState.selStartX, snipState.selStartY,
                                                     snipState.selEndX, snipState.selEndY);
    return cutToOverlay(dragged, snipState.screenWidth, snipState.screenHeight);
}

void drawSelectionFrame(HDC overlay) {
    if (!snipState.frameShown) return;
    const SelectionFrame frame = selectionFrameEdges(currentSelection());
    for (const SelectionRect& edge : {frame.top, frame.left, frame.right, frame.bottom}) {
        const RECT area = {edge.left, edge.top, edge.right, edge.bottom};
        InvertRect(overlay, &area);
    }
}

void beginSelection(int x, int y) {
    snipState.dragging = true;
    showFrame({x, y, x, y});
}

void trackSelection(int x, int y, bool leftButtonHeld) {
    if (!leftButtonHeld) {
        // The frame and the corners stay: a held selection waits for Enter.
        snipState.dragging = false;
    } else if (snipState.dragging) {
        showFrame({snipState.selStartX, snipState.selStartY, x, y});
    } else {
        // A press that the overlay did not see as a selection press: made
        // before it was shown, or in brush mode.
        beginSelection(x, y);
    }
}

bool frameIsHeld() { return snipState.frameShown && !snipState.dragging && !snipState.brushMode; }

void moveHeldFrameCorner(int dx, int dy) {
    showFrame(moveFrameCorner(corners(), dx, dy, snipState.screenWidth, snipState.screenHeight));
}

void moveHeldFrame(int dx, int dy) {
    showFrame(moveWholeFrame(corners(), dx, dy, snipState.screenWidth, snipState.screenHeight));
}

void holdFrame(const SelectionRect& area) {
    snipState.dragging = false;
    // The bottom-right corner moves: the drag that would have framed it
    // ends there.
    showFrame({area.left, area.top, area.right, area.bottom});
}

void copySelectionToClipboard() {
    const SelectionRect area = currentSelection();
    if (!copiesAnything(area)) return;

    // From the picture: what the user sees, brush work included, and never
    // a decoration.
    const WindowDC screen(nullptr);
    MemoryDC memory(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.width(), area.height());
    if (!memory || !bitmap) {
        // Nothing true to copy: the clipboard is never opened, so the
        // user's earlier contents stay.
        DeleteObject(bitmap);
        return;
    }
    {
        // Put back before the hand-over: a bitmap still selected into a
        // context is not handed on.
        SelectedObject target(memory, bitmap);
        BitBlt(memory, 0, 0, area.width(), area.height(), snipState.picture.dc, area.left, area.top,
               SRCCOPY);
    }
    requestBitmapCopy(bitmap);  // the bitmap is not ours from here on
}

void endSnip() {
    // Enter or Escape may end the snip while the button is still held.
    ReleaseCapture();
    snipState.dragging = false;
    snipState.frameShown = false;
    snipState.selStartX = snipState.selStartY = 0;
    snipState.selEndX = snipState.selEndY = 0;
    if (IsWindowVisible(snipState.mainWindow)) showPictureAlone();
    ShowWindow(snipState.mainWindow, SW_HIDE);
}
