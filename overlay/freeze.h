#pragma once

// Freezes the screen: a new snapshot of the primary display, or with the
// all-monitors option of the virtual screen, as it is measured now,
// shown on the overlay, which comes to the front. When the overlay is
// already shown, its own picture (frame, whitening) is what gets frozen.
void freezeScreen();
