#include "brush.h"

#include "brush_math_logic.h"
#include "core/snip_state.h"
#include "core/win_holders.h"
#include "res/resource.h"

namespace {

// Every pass goes row by row, each row left to right. Positions off the
// display read as the invalid colour, and writing there changes nothing.
template <typename Visit>
void forEachBlockPixel(int x, int y, Visit visit) {
    const int left = x - BrushBlockReach;
    const int top = y - BrushBlockReach;
    for (int row = top; row < top + BrushBlockSide; ++row)
        for (int column = left; column < left + BrushBlockSide; ++column) visit(column, row);
}

}  // namespace

HCURSOR loadBrushCursor(HINSTANCE instance) {
    // Not LoadCursorA: in a DPI-aware process it scales the cursor to the
    // system's cursor size (48 pixels at 150%), and the outline would no
    // longer frame the 16x16 block that the brush works on. Not shared
    // either: only images of the system's size may be.
    return static_cast<HCURSOR>(LoadImageA(instance, MAKEINTRESOURCEA(IDC_BRUSH), IMAGE_CURSOR,
                                           BrushCursorSide, BrushCursorSide, LR_DEFAULTCOLOR));
}

void sampleBrushColour(int x, int y) {
    WindowDC overlay(snipState.mainWindow);
    uint32_t colours[BrushBlockPixels];
    int next = 0;
    forEachBlockPixel(
        x, y, [&](int column, int row) { colours[next++] = GetPixel(overlay, column, row); });
    const BrushSample sample = sampleBrushBlock(colours);
    snipState.sampleRed = sample.red;
    snipState.sampleGreen = sample.green;
    snipState.sampleBlue = sample.blue;
    snipState.sampleThreshold = sample.threshold;
}

void whitenBrushArea(int x, int y) {
    WindowDC overlay(snipState.mainWindow);
    const BrushSample sample = {snipState.sampleRed, snipState.sampleGreen, snipState.sampleBlue,
                                snipState.sampleThreshold};
    forEachBlockPixel(x, y, [&](int column, int row) {
        if (isWithinSample(GetPixel(overlay, column, row), sample))
            SetPixel(overlay, column, row, PureWhite);
    });
}

void restoreBrushArea(int x, int y) {
    // From the snapshot, never from the screen: the brush never writes to the
    // snapshot, so it still holds the frozen pixels.
    WindowDC overlay(snipState.mainWindow);
    forEachBlockPixel(x, y, [&](int column, int row) {
        SetPixel(overlay, column, row, GetPixel(snipState.snapshotDC, column, row));
    });
}
