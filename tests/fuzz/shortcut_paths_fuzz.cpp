// The launcher shortcut's paths from any command line: both stay terminated
// within their buffers, the path holds no quote and names the .lnk beside
// the executable, and the target is the line up to the executable's name.
#include "fuzz_check.h"
#include "setup/shortcut_paths_logic.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

const std::string ExecutableName = "grabnik.exe";

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // The process command line ends at its first null; it is passed in a
    // buffer of exactly its length, so that ASan reports any read beyond.
    const char* text = reinterpret_cast<const char*>(bytes);
    const std::string line(text, strnlen(text, size));
    const auto exact = std::make_unique<char[]>(line.size() + 1);
    std::memcpy(exact.get(), line.c_str(), line.size() + 1);

    // No terminator left over in the buffers can hide a missing one.
    ShortcutPaths paths;
    std::memset(&paths, 'x', sizeof paths);
    deriveShortcutPaths(exact.get(), paths);

    const size_t pathLength = strnlen(paths.shortcutPath, PathCapacity);
    FUZZ_REQUIRE(pathLength < PathCapacity);
    FUZZ_REQUIRE(std::memchr(paths.shortcutPath, '"', pathLength) == nullptr);

    const size_t nameAt = line.find(ExecutableName);
    if (pathLength == 0) {
        // Only a line that does not fit, or one whose quotes hide the name,
        // loses its shortcut.
        FUZZ_REQUIRE(line.size() >= PathCapacity - 1 || nameAt == std::string::npos ||
                     line.find('"') != std::string::npos);
        return 0;
    }

    FUZZ_REQUIRE(line.size() < PathCapacity);
    FUZZ_REQUIRE(endsWith(paths.shortcutPath, "grabnik.lnk"));
    FUZZ_REQUIRE(strnlen(paths.shortcutTarget, PathCapacity) < PathCapacity);
    FUZZ_REQUIRE(nameAt != std::string::npos);
    const std::string closingQuote = line[0] == '"' ? "\"" : "";
    FUZZ_REQUIRE(paths.shortcutTarget ==
                 line.substr(0, nameAt + ExecutableName.size()) + closingQuote);
    return 0;
}
