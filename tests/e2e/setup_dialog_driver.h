// Driving the setup dialog of a running grabnik.exe from outside, as a user
// would: ticking boxes, picking keys, pressing Set, reading its messages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/hotkey_text_logic.h"

namespace e2e {

// The setup dialog of the process, once it is shown; null on timeout.
HWND waitForSetupDialog(DWORD pid, DWORD timeoutMs = 5000);

enum class DialogHotkey { Selection, File };

// A hotkey as the dialog shows it: the ticked modifier boxes and the
// selected key, 0 when no key is selected.
void chooseHotkey(HWND dialog, DialogHotkey which, HotkeyCode choice);
HotkeyCode chosenHotkey(HWND dialog, DialogHotkey which);
std::vector<std::string> keyListItems(HWND dialog, DialogHotkey which);

// Clicks Set without waiting for it: Set may show message boxes.
void pressSet(HWND dialog);

class Grabnik;

// Chooses both hotkeys and presses Set; true when the dialog ended and the
// program runs on without a message.
bool completeSetup(Grabnik& grabnik, HWND dialog, const HotkeyPair& hotkeys);

// The program's visible message boxes.
std::vector<HWND> errorBoxesOf(DWORD pid);

// Reads and dismisses the program's message boxes one after the other: waits
// up to `firstTimeoutMs` for the first, and ends when no further box follows
// within `quietMs`.
std::vector<std::string> dismissMessages(DWORD pid, DWORD firstTimeoutMs = 5000,
                                         DWORD quietMs = 500);

}  // namespace e2e
