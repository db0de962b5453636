#pragma once

// Freezes the screen: a new picture of the primary display, or with the
// all-monitors option of the virtual screen, as it is measured now,
// shown on the overlay, which comes to the front. When the overlay is
// already shown over the same area, its picture, whitening included, is
// what gets frozen: restoring no longer undoes the whitening, and the frame
// and the magnifier stay as they were.
void freezeScreen();
