#include "selection.h"

#include <algorithm>
#include <utility>

#include "app/snip_state.h"
#include "dc_holders.h"

void drawSelectionFrame() {
    WindowDC overlay(snipState.mainWindow);
    const int minX = std::min(snipState.selStartX, snipState.selEndX);
    const int maxX = std::max(snipState.selStartX, snipState.selEndX);
    const int minY = std::min(snipState.selStartY, snipState.selEndY);
    const int maxY = std::max(snipState.selStartY, snipState.selEndY);
    // The outermost ring of the area that the copy takes. Each corner pixel
    // lies in two edges and so keeps its colour; a zero width or height
    // leaves the matching edges empty.
    const RECT edges[] = {
        {minX, minY, maxX, minY + 1},  // top
        {minX, minY, minX + 1, maxY},  // left
        {maxX - 1, minY, maxX, maxY},  // right
        {minX, maxY - 1, maxX, maxY},  // bottom
    };
    for (const RECT& edge : edges) InvertRect(overlay, &edge);
}

void beginSelection(int x, int y) {
    snipState.dragging = 1;
    drawSelectionFrame();  // erases a held frame; equal corners change nothing
    snipState.selStartX = snipState.selEndX = x;
    snipState.selStartY = snipState.selEndY = y;
}

void trackSelection(int x, int y, bool leftButtonHeld) {
    if (!leftButtonHeld) {
        // The frame and the corners stay: a held selection waits for Enter.
        snipState.dragging = 0;
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
    SnipState& s = snipState;
    if (s.selStartX == s.selEndX || s.selStartY == s.selEndY) return;
    if (s.selStartX > s.selEndX) std::swap(s.selStartX, s.selEndX);
    if (s.selStartY > s.selEndY) std::swap(s.selStartY, s.selEndY);
    drawSelectionFrame();  // the frame must not be part of the copy

    // From the overlay, which covers the screen: the copy holds what the
    // user sees, brush work included. Not from the screen's context: where
    // window contents reach the screen only when the message loop next
    // idles, the screen would still show the frame erased a moment ago.
    const int width = s.selEndX - s.selStartX;
    const int height = s.selEndY - s.selStartY;
    WindowDC overlay(s.mainWindow);
    MemoryDC memory(overlay);
    HBITMAP bitmap = CreateCompatibleBitmap(overlay, width, height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, overlay, s.selStartX, s.selStartY, SRCCOPY);
    SelectObject(memory, previous);  // a bitmap still selected into a context is not handed on
    handBitmapToClipboard(bitmap);
}

bool handBitmapToClipboard(HBITMAP bitmap) {
    // Another program may hold the clipboard; then it keeps its contents.
    if (OpenClipboard(snipState.mainWindow)) {
        const bool taken = EmptyClipboard() && SetClipboardData(CF_BITMAP, bitmap) != nullptr;
        CloseClipboard();
        // Ownership hand-over: from here on the bitmap is the clipboard's and
        // is never deleted by us.
        if (taken) return true;
    }
    // Nobody else will ever free it: without this every refused snip would
    // leak a bitmap as large as the selection.
    DeleteObject(bitmap);
    return false;
}

void endSnip() {
    snipState.dragging = 0;
    snipState.selStartX = snipState.selStartY = 0;
    snipState.selEndX = snipState.selEndY = 0;
    ShowWindow(snipState.mainWindow, SW_HIDE);
}
