// The launcher shortcut that a successful setup writes beside the executable:
// it starts the program again with both hotkeys as its arguments.
#pragma once

#include <windows.h>

#include "core/hotkey_text_logic.h"
#include "shortcut_paths_logic.h"

// Fills both texts from this process's own module path, made absolute:
// not from its command line, which may name the program relatively (to a
// folder other than the current one, even) or without its extension.
void deriveShortcutPaths(ShortcutPaths& paths);

// Writes a shell shortcut at `path` that starts `target` with `arguments`.
// Returns the failure of creating the shell-link object, else that of asking
// for its persistence interface (or of converting the path), else the
// result of the save. Needs COM initialised on the calling thread.
HRESULT createLauncherShortcut(const char* target, const char* path, const char* description,
                               const char* arguments);

// The whole shortcut step for this process, best-effort: nothing is
// reported, whatever fails.
void writeLauncherShortcut(const HotkeyPair& hotkeys);

// The same step for paths already derived: writes nothing when the shortcut
// path is empty. The arguments keep the all-monitors option when this
// process has it. Initialises COM for the write and uninitialises it after.
void writeLauncherShortcut(const ShortcutPaths& paths, const HotkeyPair& hotkeys);
