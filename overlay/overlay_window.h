#pragma once

#include <windows.h>

constexpr const char* OverlayClassName = "MainWindowClass";

// The overlay's window procedure: all work after start-up happens here.
LRESULT CALLBACK overlayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
