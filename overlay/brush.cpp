#include "brush.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "brush_math_logic.h"
#include "core/snip_state.h"
#include "magnifier.h"
#include "overlay_paint.h"
#include "picture.h"
#include "res/resource.h"

namespace {

// The snapshot is filled band by band, each band from the picture just
// before the brush first changes it: a freeze then reads the screen only
// once, and no stroke waits for the whole picture to be copied. A band not
// yet filled holds no brush work in the picture either.
constexpr int SnapshotBandRows = 32;
// 32768 rows: more than the platform's coordinates reach.
constexpr int SnapshotBands = 1024;
bool bandFilled[SnapshotBands];

int bandOf(int row) { return std::clamp(row, 0, snipState.screenHeight - 1) / SnapshotBandRows; }

void fillSnapshotRows(int top, int bottom) {
    const size_t rowBytes = size_t(snipState.screenWidth) * sizeof(uint32_t);
    for (int band = bandOf(top); band <= bandOf(bottom) && band < SnapshotBands; ++band) {
        if (bandFilled[band]) continue;
        const int first = band * SnapshotBandRows;
        const int rows = std::min(SnapshotBandRows, snipState.screenHeight - first);
        const size_t offset = size_t(first) * size_t(snipState.screenWidth);
        std::memcpy(snipState.snapshot.pixels + offset, snipState.picture.pixels + offset,
                    rowBytes * size_t(rows));
        bandFilled[band] = true;
    }
}

// The block's area on the overlay, painted again once the picture changed.
void repaintBlock(int x, int y) {
    repaintOverlayArea({x - BrushBlockReach, y - BrushBlockReach,
                        x - BrushBlockReach + BrushBlockSide, y - BrushBlockReach + BrushBlockSide});
    refreshMagnifier();
}

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

void forgetBrushWork() { std::fill(std::begin(bandFilled), std::end(bandFilled), false); }

void sampleBrushColour(int x, int y) {
    uint32_t colours[BrushBlockPixels];
    int next = 0;
    forEachBlockPixel(x, y,
                      [&](int column, int row) { colours[next++] = pictureColour(column, row); });
    const BrushSample sample = sampleBrushBlock(colours);
    snipState.sampleRed = sample.red;
    snipState.sampleGreen = sample.green;
    snipState.sampleBlue = sample.blue;
    snipState.sampleThreshold = sample.threshold;
}

void whitenBrushArea(int x, int y) {
    fillSnapshotRows(y - BrushBlockReach, y - BrushBlockReach + BrushBlockSide - 1);
    const BrushSample sample = {snipState.sampleRed, snipState.sampleGreen, snipState.sampleBlue,
                                snipState.sampleThreshold};
    forEachBlockPixel(x, y, [&](int column, int row) {
        if (isWithinSample(pictureColour(column, row), sample))
            setPictureColour(column, row, PureWhite);
    });
    repaintBlock(x, y);
}

void restoreBrushArea(int x, int y) {
    // From the snapshot, never from the screen: the brush never writes to the
    // snapshot, so it still holds the frozen pixels. Where it was never
    // filled, the picture holds them still.
    forEachBlockPixel(x, y, [&](int column, int row) {
        if (onPicture(column, row) && bandFilled[bandOf(row)])
            setPictureColour(column, row, snapshotColour(column, row));
    });
    repaintBlock(x, y);
}
