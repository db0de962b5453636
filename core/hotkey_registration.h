// Both hotkeys are registered on the overlay window, under these
// identifiers: start-up and the setup dialog register them, the overlay's
// WM_HOTKEY tells them apart by them.
#pragma once

#include "hotkey_text_logic.h"

constexpr int SelectionHotkey = 0;
constexpr int FileHotkey = 1;

// False when the platform refuses the combination (another program holds it).
bool registerHotkey(int id, HotkeyCode code);
void unregisterHotkeys();
