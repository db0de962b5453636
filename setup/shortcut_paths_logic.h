// Where the launcher shortcut goes and what it starts, worked out from the
// program's own path. Platform-free so that it is unit tested natively.
#pragma once

#include "core/path_capacity.h"

struct ShortcutPaths {
    // The program's path with "lnk" for "exe": grabnik.lnk beside the
    // program. Empty when no shortcut is to be written.
    char shortcutPath[PathCapacity];
    // The program's path itself.
    char shortcutTarget[PathCapacity];
};

// Fills both texts from the program's absolute path. The file name, after
// the last backslash, must be "grabnik.exe" byte by byte (in lower case),
// and the path with its terminator must fit PathCapacity; otherwise, and
// for a path without any backslash, which cannot be absolute, the shortcut
// path is empty.
void deriveShortcutPaths(const char* programPath, ShortcutPaths& paths);
