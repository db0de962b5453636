#include "shortcut_paths_logic.h"

#include <cstring>

namespace {

constexpr char ExecutableName[] = "grabnik.exe";

void writeNoShortcut(ShortcutPaths& paths) {
    paths.shortcutPath[0] = '\0';
    paths.shortcutTarget[0] = '\0';
}

}  // namespace

void deriveShortcutPaths(const char* programPath, ShortcutPaths& paths) {
    // A longer path would run past the buffers: it gets no shortcut at all.
    const size_t length = strnlen(programPath, PathCapacity);
    if (length >= PathCapacity) {
        writeNoShortcut(paths);
        return;
    }
    size_t nameStart = length;
    while (nameStart > 0 && programPath[nameStart - 1] != '\\') --nameStart;
    if (nameStart == 0 || std::strcmp(programPath + nameStart, ExecutableName) != 0) {
        writeNoShortcut(paths);
        return;
    }
    std::memcpy(paths.shortcutTarget, programPath, length + 1);
    std::memcpy(paths.shortcutPath, programPath, length + 1);
    std::memcpy(paths.shortcutPath + length - 3, "lnk", 3);
}
