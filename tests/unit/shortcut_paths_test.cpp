#include "setup/shortcut_paths_logic.h"
#include "support/named_rows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct PathsCase : NamedRow {
    const char* programPath;
    const char* shortcutPath;  // empty: no shortcut
};

class DeriveShortcutPaths : public testing::TestWithParam<PathsCase> {};

TEST_P(DeriveShortcutPaths, GivesThePathBesideTheProgramAndTheProgramAsTarget) {
    ShortcutPaths paths;
    deriveShortcutPaths(GetParam().programPath, paths);
    EXPECT_STREQ(paths.shortcutPath, GetParam().shortcutPath) << GetParam().programPath;
    EXPECT_STREQ(paths.shortcutTarget, *GetParam().shortcutPath ? GetParam().programPath : "");
}

INSTANTIATE_TEST_SUITE_P(
    ProgramPaths, DeriveShortcutPaths,
    testing::Values(
        PathsCase{"InAFolder", R"(C:\Tools\grabnik.exe)", R"(C:\Tools\grabnik.lnk)"},
        PathsCase{"FolderWithBlanks", R"(C:\Program Files\Grabnik\grabnik.exe)",
                  R"(C:\Program Files\Grabnik\grabnik.lnk)"},
        PathsCase{"DriveRoot", R"(D:\grabnik.exe)", R"(D:\grabnik.lnk)"},
        PathsCase{"NetworkShare", R"(\\server\share\grabnik.exe)", R"(\\server\share\grabnik.lnk)"},
        // Only the file name counts, and only it changes.
        PathsCase{"FolderNamedLikeTheProgram", R"(C:\grabnik.exe\grabnik.exe)",
                  R"(C:\grabnik.exe\grabnik.lnk)"},
        PathsCase{"OnlyTheFolderNamedLikeTheProgram", R"(C:\grabnik.exe\snipper.exe)", ""},
        PathsCase{"NameEndingLikeTheProgram", R"(C:\Tools\mygrabnik.exe)", ""},
        // The name is compared byte by byte, case-sensitively.
        PathsCase{"NameInCapitals", R"(C:\Tools\GRABNIK.EXE)", ""},
        PathsCase{"NameCapitalised", R"(C:\Tools\Grabnik.exe)", ""},
        PathsCase{"NameWithoutExtension", R"(C:\Tools\grabnik)", ""},
        PathsCase{"NameWithAnotherExtensionAfter", R"(C:\Tools\grabnik.exe.bak)", ""},
        PathsCase{"AnotherName", R"(C:\Tools\snipper.exe)", ""},
        // No backslash, so no folder: never an absolute path.
        PathsCase{"BareName", "grabnik.exe", ""}, PathsCase{"Empty", "", ""}),
    NamedAfterRow());

// A heap copy of exactly the path and its terminator: ASan reports any read
// beyond it.
std::unique_ptr<char[]> exactCopy(const std::string& path) {
    auto copy = std::make_unique<char[]>(path.size() + 1);
    path.copy(copy.get(), path.size());
    copy[path.size()] = '\0';
    return copy;
}

// The program's path of `length` characters, its folder's name padded to
// reach that length.
std::string programPathOfLength(size_t length) {
    const std::string head = "C:\\";
    const std::string tail = "\\grabnik.exe";
    return head + std::string(length - head.size() - tail.size(), 'd') + tail;
}

TEST(DeriveShortcutPaths, APathOf259CharactersGetsItsShortcut) {
    const std::string program = programPathOfLength(259);
    ASSERT_EQ(program.size(), 259u);
    ShortcutPaths paths;
    deriveShortcutPaths(exactCopy(program).get(), paths);
    EXPECT_EQ(paths.shortcutTarget, program);
    EXPECT_EQ(paths.shortcutPath, program.substr(0, program.size() - 3) + "lnk");
}

TEST(DeriveShortcutPaths, APathOf260OrMoreCharactersGetsNone) {
    for (size_t length : {260u, 261u, 1000u}) {
        ShortcutPaths paths;
        deriveShortcutPaths(exactCopy(programPathOfLength(length)).get(), paths);
        EXPECT_STREQ(paths.shortcutPath, "") << length;
        EXPECT_STREQ(paths.shortcutTarget, "") << length;
    }
}

}  // namespace
