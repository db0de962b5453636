#include "selection.h"

#include <initializer_list>

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "export/clipboard_queue.h"
#include "selection_geometry_logic.h"

namespace {

// Cut to the overlay: a drag that went on beyond it (the mouse is captured)
// frames and copies only frozen pixels, and the frame stands on the edge
// that the drag crossed.
SelectionRect currentSelection() {
    const SelectionRect dragged = normalizeSelection(snipState.selStartX, snipState.selStartY,
                                                     snipState.selEndX, snipState.selEndY);
    return cutToOverlay(dragged, snipState.screenWidth, snipState.screenHeight);
}

}  // namespace

void drawSelectionFrame() {
    WindowDC overlay(snipState.mainWindow);
    const SelectionFrame frame = selectionFrameEdges(currentSelection());
    for (const SelectionRect& edge : {frame.top, frame.left, frame.right, frame.bottom}) {
        const RECT area = {edge.left, edge.top, edge.right, edge.bottom};
        InvertRect(overlay, &area);
    }
}

void beginSelection(int x, int y) {
    snipState.dragging = true;
    drawSelectionFrame();  // erases a held frame; equal corners change nothing
    snipState.selStartX = snipState.selEndX = x;
    snipState.selStartY = snipState.selEndY = y;
}

void trackSelection(int x, int y, bool leftButtonHeld) {
    if (!leftButtonHeld) {
        // The frame and the corners stay: a held selection waits for Enter.
        snipState.dragging = false;
    } else if (snipState.dragging) {
        drawSelectionFrame();
        snipState.selEndX = x;
        snipState.selEndY = y;
        drawSelectionFrame();
    } else {
        // A press that the overlay did not see as a selection press: made
        // before it was shown, or in brush mode.
        beginSelection(x, y);
        drawSelectionFrame();
    }
}

void copySelectionToClipboard() {
    const SelectionRect area = currentSelection();
    if (!copiesAnything(area)) return;
    drawSelectionFrame();  // the frame must not be part of the copy

    // From the overlay, which covers the screen: the copy holds what the
    // user sees, brush work included. Not from the screen's context: where
    // window contents reach the screen only when the message loop next
    // idles, the screen would still show the frame erased a moment ago.
    WindowDC overlay(snipState.mainWindow);
    MemoryDC memory(overlay);
    HBITMAP bitmap = CreateCompatibleBitmap(overlay, area.width(), area.height());
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
        BitBlt(memory, 0, 0, area.width(), area.height(), overlay, area.left, area.top, SRCCOPY);
    }
    requestBitmapCopy(bitmap);  // the bitmap is not ours from here on
}

void endSnip() {
    // Enter or Escape may end the snip while the button is still held.
    ReleaseCapture();
    snipState.dragging = false;
    snipState.selStartX = snipState.selStartY = 0;
    snipState.selEndX = snipState.selEndY = 0;
    ShowWindow(snipState.mainWindow, SW_HIDE);
}
