#pragma once

#include <windows.h>

#include "core/picture_handover.h"

// The overlay's window procedure: all work after start-up happens here.
LRESULT CALLBACK overlayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
