// The overlay's painting: the picture, with the decorations drawn over it
// into the window alone (the selection's frame, which Tab's window frame
// is too, and the magnifier). Whatever changes marks only the areas it
// leaves and covers; the window paints them when its queue runs empty.
#pragma once

#include <windows.h>

// Marks an area of the overlay, in overlay positions, to be painted again.
void repaintOverlayArea(const RECT& area);

// While one lives, the areas marked are gathered, and marked together when
// the outermost one goes: one call to the platform for a move of the
// pointer instead of one for each area (a frame's step marks nine, and
// under Wine each is a round trip to its server).
class RepaintBatch {
public:
    RepaintBatch();
    ~RepaintBatch();
    RepaintBatch(const RepaintBatch&) = delete;
    RepaintBatch& operator=(const RepaintBatch&) = delete;

private:
    bool outermost_;
};

// Before the overlay hides: the window shows the picture alone, and no
// paint is pending.
void showPictureAlone();

// The window's paint: every marked area from the picture, then the
// decorations over it.
void paintOverlay(HWND window);
