// The frozen picture and its snapshot (core/snip_state.h): made together by
// every freeze, kept from start-up to shutdown, read and written here pixel
// by pixel.
#pragma once

#include <windows.h>

#include <cstdint>

// Makes sure a picture and snapshot of `width` by `height` pixels are in
// place: the pair in place is kept when it has that size; otherwise a new
// pair compatible with `screen` takes its place and the old one is deleted.
// When either cannot be made, the old ones stay in place and false is
// returned.
bool preparePicture(HDC screen, int width, int height);

// Deletes both; the snip state's handles are null afterwards.
void deletePicture();

// Whether (x, y) lies on the picture.
bool onPicture(int x, int y);

// Colours as the platform's pixel reads give them: red in the low byte. Off
// the picture a read gives 0xFFFFFFFF, as the platform's does, and a write
// changes nothing.
uint32_t pictureColour(int x, int y);
void setPictureColour(int x, int y, uint32_t colour);
uint32_t snapshotColour(int x, int y);
