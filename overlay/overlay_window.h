#pragma once

#include <windows.h>

// The overlay's class name, exactly this text: other programs (and the
// Linux companion) find Grabnik's window by it.
constexpr const char* OverlayClassName = "MainWindowClass";

// The overlay's window procedure: all work after start-up happens here.
LRESULT CALLBACK overlayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
