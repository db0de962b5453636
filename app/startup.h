#pragma once

#include <windows.h>

// Start-up, the message loop and shutdown; returns the process exit code.
int runGrabnik(HINSTANCE instance, const char* argumentText);
