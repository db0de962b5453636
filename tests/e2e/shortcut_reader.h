// Reads a shell shortcut back through the platform's shell-link object.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace e2e {

struct ShortcutContent {
    HRESULT loaded = E_FAIL;  // the result of loading the file
    std::string target;       // as stored, quotes and all
    std::string arguments;
    std::string description;
    std::string workingDirectory;
    std::string iconPath;
    WORD hotkey = 0xFFFF;
};

// Initialises COM on the calling thread for the read, if it is not yet.
ShortcutContent readShortcut(const std::string& path);

// Success when the shortcut loaded and is a launcher as the setup writes it:
// this target (letter case aside) and these arguments, the description
// "Grabnik", and no working directory, icon or shortcut key of its own.
testing::AssertionResult isLauncher(const ShortcutContent& shortcut, const std::string& target,
                                    const std::string& arguments);

}  // namespace e2e
