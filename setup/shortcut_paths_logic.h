// Where the launcher shortcut goes and what it starts, worked out from the
// process command line. Platform-free so that it is unit tested natively.
#pragma once

#include "core/path_capacity.h"

struct ShortcutPaths {
    // The executable's path with "lnk" for "exe" and without quotes; empty
    // when no shortcut is to be written.
    char shortcutPath[PathCapacity];
    // The command line up to and including the executable's name, with the
    // closing quote when the line begins with one.
    char shortcutTarget[PathCapacity];
};

// Fills both texts from a whole process command line (program path and
// arguments, exactly as the process was started). The name searched for is
// "grabnik.exe", byte by byte and case-sensitively; without it, and for a
// line that does not fit the buffers, the shortcut path is empty.
void deriveShortcutPaths(const char* commandLine, ShortcutPaths& paths);
