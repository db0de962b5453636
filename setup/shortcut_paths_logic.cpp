#include "shortcut_paths_logic.h"

#include <cstring>

namespace {

constexpr char ExecutableName[] = "grabnik.exe";
constexpr size_t ExecutableNameLength = sizeof ExecutableName - 1;

void writeNoShortcut(ShortcutPaths& paths) {
    paths.shortcutPath[0] = '\0';
    paths.shortcutTarget[0] = '\0';
}

}  // namespace

void deriveShortcutPaths(const char* commandLine, ShortcutPaths& paths) {
    // Both copies must hold the line and its terminator; a longer line would
    // run past the buffers, so it gets no shortcut at all.
    const size_t length = strnlen(commandLine, PathCapacity);
    if (length >= PathCapacity) {
        writeNoShortcut(paths);
        return;
    }

    // One pass, terminator included: the target verbatim, the path without
    // any double quote.
    char* path = paths.shortcutPath;
    for (size_t i = 0; i <= length; ++i) {
        paths.shortcutTarget[i] = commandLine[i];
        if (commandLine[i] != '"') *path++ = commandLine[i];
    }

    if (char* name = std::strstr(paths.shortcutPath, ExecutableName)) {
        char* extension = name + ExecutableNameLength - 3;
        std::memcpy(extension, "lnk", 4);  // drops the arguments after the name
    }

    char* name = std::strstr(paths.shortcutTarget, ExecutableName);
    if (!name) {
        writeNoShortcut(paths);
        return;
    }
    char* end = name + ExecutableNameLength;
    if (commandLine[0] == '"') {
        // An unclosed quote may leave the name as the line's last characters:
        // then the added quote and its terminator would not fit.
        if (size_t(end - paths.shortcutTarget) + 2 > PathCapacity) {
            writeNoShortcut(paths);
            return;
        }
        *end++ = '"';
    }
    *end = '\0';
}
