#include "magnifier.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "magnifier_logic.h"
#include "overlay_paint.h"
#include "picture.h"
#include "selection.h"

namespace {

bool magnifierOn;
int pointerX, pointerY;  // overlay positions

using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// The monitor's own dots per inch where the platform tells them (Windows
// 8.1 on); else the system's, which every monitor then has.
int monitorDpi(HMONITOR monitor) {
    // Loaded once and kept for the process's life: the function is asked
    // whenever the pointer reaches another monitor.
    static const HMODULE scaling = LoadLibraryA("shcore.dll");
    static const auto dpiForMonitor =
        scaling ? reinterpret_cast<DpiForMonitor>(
                      reinterpret_cast<void*>(GetProcAddress(scaling, "GetDpiForMonitor")))
                : nullptr;
    UINT dpiX = 0;
    UINT dpiY = 0;
    constexpr int EffectiveDpi = 0;
    if (dpiForMonitor && SUCCEEDED(dpiForMonitor(monitor, EffectiveDpi, &dpiX, &dpiY)))
        return int(dpiX);
    return GetDeviceCaps(WindowDC(nullptr), LOGPIXELSX);
}

// The monitor under the pointer, in overlay positions, and the magnifier's
// measures at its scale. Asking the platform for them costs more than the
// magnifier's whole paint, and a drag seldom leaves its monitor, so they
// are found again only when the pointer leaves it, and at every freeze,
// which follows a change of the monitors: an empty monitor holds no
// pointer.
struct MonitorFit {
    SelectionRect monitor;
    MagnifierLayout layout;
};
MonitorFit fit;

const MonitorFit& monitorUnderPointer() {
    const SelectionRect& m = fit.monitor;
    if (pointerX >= m.left && pointerX < m.right && pointerY >= m.top && pointerY < m.bottom)
        return fit;
    const POINT screen = {pointerX + snipState.overlayLeft, pointerY + snipState.overlayTop};
    const HMONITOR monitor = MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    const RECT& r = info.rcMonitor;
    fit = {{r.left - snipState.overlayLeft, r.top - snipState.overlayTop,
            r.right - snipState.overlayLeft, r.bottom - snipState.overlayTop},
           magnifierLayout(monitorDpi(monitor))};
    return fit;
}

struct Placement {
    MagnifierLayout layout;
    RECT area;  // overlay positions
};

// Beside the pointer on its monitor, at that monitor's scale.
Placement placement() {
    const MonitorFit& on = monitorUnderPointer();
    const MagnifierLayout& layout = on.layout;
    const SelectionRect box =
        placeMagnifier(pointerX, pointerY, layout.width, layout.height, layout.gap, on.monitor);
    return {layout, {box.left, box.top, box.right, box.bottom}};
}

// Where it stands for the pointer now, while it is on: placed once for each
// move of the pointer, not at each paint.
Placement shown;

void repaintMagnifier() {
    if (magnifierOn) repaintOverlayArea(shown.area);
}

// Marks where it stood and where it stands after `change`.
template <class Change>
void moveMagnifier(Change change) {
    const RepaintBatch batch;
    repaintMagnifier();
    change();
    if (magnifierOn) shown = placement();
    repaintMagnifier();
}

// The square of the picture around the pointer, one cell per pixel; what
// lies off the picture stays black.
void drawZoom(HDC dc, const MagnifierLayout& layout, const RECT& area) {
    const RECT zoom = {area.left, area.top, area.left + layout.zoomSide,
                       area.top + layout.zoomSide};
    FillRect(dc, &zoom, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int left = std::max(pointerX - MagnifierReach, 0);
    const int top = std::max(pointerY - MagnifierReach, 0);
    const int right = std::min(pointerX + MagnifierReach + 1, snipState.screenWidth);
    const int bottom = std::min(pointerY + MagnifierReach + 1, snipState.screenHeight);
    if (left < right && top < bottom) {
        SetStretchBltMode(dc, COLORONCOLOR);  // whole cells, no blending
        const int cellLeft = left - (pointerX - MagnifierReach);
        const int cellTop = top - (pointerY - MagnifierReach);
        StretchBlt(dc, zoom.left + cellLeft * layout.cell, zoom.top + cellTop * layout.cell,
                   (right - left) * layout.cell, (bottom - top) * layout.cell, snipState.picture.dc,
                   left, top, right - left, bottom - top, SRCCOPY);
    }
    // The pointer's own cell, outlined black then white: it shows on any
    // colour.
    const int cell = MagnifierReach * layout.cell;
    RECT outline = {zoom.left + cell - 1, zoom.top + cell - 1, zoom.left + cell + layout.cell + 1,
                    zoom.top + cell + layout.cell + 1};
    FrameRect(dc, &outline, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&outline, -1, -1);
    FrameRect(dc, &outline, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &zoom, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

// Below the square: the position in screen pixels, the colour, and the
// frame's width x height while a frame is shown.
void drawText(HDC dc, const MagnifierLayout& layout, const RECT& area) {
    const RECT panel = {area.left, area.top + layout.zoomSide, area.right, area.bottom};
    FillRect(dc, &panel, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    char lines[MagnifierTextLines][32] = {};
    std::snprintf(lines[0], sizeof lines[0], "%d, %d", pointerX + snipState.overlayLeft,
                  pointerY + snipState.overlayTop);
    char colour[8];
    formatColourText(pictureColour(pointerX, pointerY), colour);
    std::snprintf(lines[1], sizeof lines[1], "%s", colour);
    if (snipState.frameShown) {
        const SelectionRect frame = currentSelection();
        std::snprintf(lines[2], sizeof lines[2], "%d x %d", frame.width(), frame.height());
    }
    // A font of the line's height at this scale, only for this paint.
    const GdiObject font(CreateFontA(-(layout.lineHeight - 3), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, FIXED_PITCH,
                                     "Courier New"));
    const SelectedObject selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    for (int line = 0; line < MagnifierTextLines; ++line)
        TextOutA(dc, panel.left + layout.lineHeight / 4, panel.top + line * layout.lineHeight + 1,
                 lines[line], int(std::strlen(lines[line])));
}

}  // namespace

void startMagnifier(bool on) { magnifierOn = on; }

void toggleMagnifier() {
    // Painted where it was before it goes, where it will be once it comes.
    moveMagnifier([] { magnifierOn = !magnifierOn; });
}

void startFollowing(int x, int y) {
    fit.monitor = {};
    followPointer(x, y);
}

void followPointer(int x, int y) {
    moveMagnifier([&] {
        pointerX = x;
        pointerY = y;
    });
}

void refreshMagnifier() { repaintMagnifier(); }

void drawMagnifier(HDC overlay) {
    if (!magnifierOn) return;
    drawZoom(overlay, shown.layout, shown.area);
    drawText(overlay, shown.layout, shown.area);
}
