// The arguments a shell shortcut file (.lnk) starts its target with, read
// from the file's bytes: how the companion learns the hotkeys that the setup
// dialog wrote into the launcher shortcut. Platform-free, unit tested.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// False when the bytes are not a shortcut, end early, or hold no arguments.
// Characters beyond ASCII come back as '?': hotkey text is ASCII.
bool readShortcutArguments(const unsigned char* bytes, size_t size, std::string& arguments);

// The words of an argument text, split at blanks: the arguments to start
// the program with again, which it joins back into the same text.
std::vector<std::string> argumentWords(const std::string& arguments);
