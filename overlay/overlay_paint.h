// The overlay's painting: the picture, with the decorations drawn over it
// into the window alone (the selection's frame, which Tab's window frame
// is too, and the magnifier). Whatever changes marks only the areas it
// leaves and covers; the window paints them when its queue runs empty.
#pragma once

#include <windows.h>

// Marks an area of the overlay, in overlay positions, to be painted again.
void repaintOverlayArea(const RECT& area);

// Before the overlay hides: the window shows the picture alone, and no
// paint is pending.
void showPictureAlone();

// The window's paint: every marked area from the picture, then the
// decorations over it.
void paintOverlay(HWND window);
