// The arguments a shell shortcut file (.lnk) starts its target with, read
// from the file's bytes: how the companion learns the hotkeys that the setup
// dialog wrote into the launcher shortcut. Platform-free, unit tested.
#pragma once

#include <cstddef>
#include <string>

// False when the bytes are not a shortcut, end early, or hold no arguments.
// Characters beyond ASCII come back as '?': hotkey text is ASCII.
bool readShortcutArguments(const unsigned char* bytes, size_t size, std::string& arguments);
