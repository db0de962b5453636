// How a command finds the companion running on this display, to have it
// press a hotkey: on Wayland desktops, where no X program can grab keys, the
// desktop's own shortcut settings run `scripts/press.sh selection|file`.
#pragma once

#include <signal.h>

// The signals that ask the companion to press the selection or file hotkey.
constexpr int PressSelectionSignal = SIGUSR1;
constexpr int PressFileSignal = SIGUSR2;

// Records this process as the display's companion; forgets it again.
void recordRunningCompanion();
void forgetRunningCompanion();

// `grabnik-companion --press selection|file`: the exit code.
int pressInRunningCompanion(const char* which);
