#pragma once

#include <windows.h>

// Runs the modal hotkey setup dialog. True when it registered both hotkeys on
// the overlay window; false when the user closed it.
bool runHotkeySetupDialog(HINSTANCE instance);
