// The freeze from a picture handed over by another program instead of the
// screen (core/picture_handover.h says what is accepted).
#pragma once

#include <windows.h>

// WM_COPYDATA: TRUE when the picture was frozen, FALSE otherwise.
LRESULT onPictureHandover(const COPYDATASTRUCT& data);
