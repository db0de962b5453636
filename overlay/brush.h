// The whitening brush on the overlay, one 16x16 block at the cursor at a
// time. The positions are screen coordinates, which are also the overlay's.
#pragma once

// Measures the block: the mean of its non-white colours and a tolerance,
// kept in the snip state until the next sample.
void sampleBrushColour(int x, int y);
// Paints white every pixel of the block within the tolerance of the sample.
void whitenBrushArea(int x, int y);
// Puts the block back as the frozen screen holds it.
void restoreBrushArea(int x, int y);
