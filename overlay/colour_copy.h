// C on the overlay: the colour under the pointer as text.
#pragma once

// Puts the picture's colour at (x, y), in overlay positions, on the
// clipboard as the text "#RRGGBB". While another program holds the
// clipboard it stays as it was.
void copyColourAt(int x, int y);
