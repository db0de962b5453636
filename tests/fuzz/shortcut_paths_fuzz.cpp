// The launcher shortcut's paths from any program path: both stay terminated
// within their buffers; there is a shortcut exactly when the path fits and
// its file name is grabnik.exe, and then it is grabnik.lnk beside the
// program, whose path is the target.
#include "fuzz_check.h"
#include "setup/shortcut_paths_logic.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

const std::string NameWithSeparator = "\\grabnik.exe";

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // The path ends at its first null; it is passed in a buffer of exactly
    // its length, so that ASan reports any read beyond.
    const char* text = reinterpret_cast<const char*>(bytes);
    const std::string program(text, strnlen(text, size));
    const auto exact = std::make_unique<char[]>(program.size() + 1);
    std::memcpy(exact.get(), program.c_str(), program.size() + 1);

    // No terminator left over in the buffers can hide a missing one.
    ShortcutPaths paths;
    std::memset(&paths, 'x', sizeof paths);
    deriveShortcutPaths(exact.get(), paths);

    const size_t pathLength = strnlen(paths.shortcutPath, PathCapacity);
    const size_t targetLength = strnlen(paths.shortcutTarget, PathCapacity);
    FUZZ_REQUIRE(pathLength < PathCapacity);
    FUZZ_REQUIRE(targetLength < PathCapacity);

    const bool expected = program.size() < PathCapacity && endsWith(program, NameWithSeparator);
    FUZZ_REQUIRE((pathLength != 0) == expected);
    if (!expected) {
        FUZZ_REQUIRE(targetLength == 0);
        return 0;
    }
    FUZZ_REQUIRE(paths.shortcutTarget == program);
    FUZZ_REQUIRE(paths.shortcutPath == program.substr(0, program.size() - 3) + "lnk");
    return 0;
}
