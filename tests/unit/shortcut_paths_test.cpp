#include "setup/shortcut_paths_logic.h"
#include "support/named_rows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct PathsCase : NamedRow {
    const char* commandLine;
    const char* shortcutPath;  // empty: no shortcut
    const char* shortcutTarget;
};

class DeriveShortcutPaths : public testing::TestWithParam<PathsCase> {};

TEST_P(DeriveShortcutPaths, GivesPathAndTarget) {
    ShortcutPaths paths;
    deriveShortcutPaths(GetParam().commandLine, paths);
    EXPECT_STREQ(paths.shortcutPath, GetParam().shortcutPath) << GetParam().commandLine;
    if (*GetParam().shortcutPath) {
        EXPECT_STREQ(paths.shortcutTarget, GetParam().shortcutTarget) << GetParam().commandLine;
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, DeriveShortcutPaths,
    testing::Values(
        PathsCase{"QuotedPath", R"("C:\Tools\grabnik.exe" )", R"(C:\Tools\grabnik.lnk)",
                  R"("C:\Tools\grabnik.exe")"},
        PathsCase{"QuotedPathWithBlankAndArguments",
                  R"("C:\Program Files\grabnik.exe" (ctrl+S) (alt+L))",
                  R"(C:\Program Files\grabnik.lnk)", R"("C:\Program Files\grabnik.exe")"},
        PathsCase{"UnquotedPathWithArguments", R"(C:\Tools\grabnik.exe (ctrl+S) x)",
                  R"(C:\Tools\grabnik.lnk)", R"(C:\Tools\grabnik.exe)"},
        PathsCase{"UnquotedPathAlone", R"(C:\Tools\grabnik.exe)", R"(C:\Tools\grabnik.lnk)",
                  R"(C:\Tools\grabnik.exe)"},
        PathsCase{"BareName", "grabnik.exe", "grabnik.lnk", "grabnik.exe"},
        // The first occurrence decides, even inside a folder's name.
        PathsCase{"QuotedFolderNamedLikeTheProgram", R"("C:\grabnik.exe.d\grabnik.exe" )",
                  R"(C:\grabnik.lnk)", R"("C:\grabnik.exe")"},
        PathsCase{"UnquotedFolderNamedLikeTheProgram", R"(C:\grabnik.exe.d\grabnik.exe)",
                  R"(C:\grabnik.lnk)", R"(C:\grabnik.exe)"},
        // Quotes inside the line vanish from the path only.
        PathsCase{"QuotesInsideTheLine", R"(C:\"My Tools"\grabnik.exe)",
                  R"(C:\My Tools\grabnik.lnk)", R"(C:\"My Tools"\grabnik.exe)"},
        // The name is compared byte by byte, case-sensitively.
        PathsCase{"NameInCapitals", R"("C:\Tools\GRABNIK.EXE" )", "", ""},
        PathsCase{"NameCapitalised", R"(C:\Tools\Grabnik.exe)", "", ""},
        PathsCase{"NameWithoutExtension", R"("C:\Tools\grabnik" (ctrl+S) (alt+L))", "", ""},
        PathsCase{"AnotherName", R"("C:\Tools\snipper.exe" )", "", ""},
        PathsCase{"EmptyLine", "", "", ""},
        // A quote that splits the name: the path has the name, the target not.
        PathsCase{"QuoteSplittingTheName", R"(C:\grab"nik.exe)", "", ""}),
    NamedAfterRow());

// A heap copy of exactly the line and its terminator: ASan reports any read
// beyond it.
std::unique_ptr<char[]> exactCopy(const std::string& line) {
    auto copy = std::make_unique<char[]>(line.size() + 1);
    line.copy(copy.get(), line.size());
    copy[line.size()] = '\0';
    return copy;
}

// A quoted command line of `length` characters whose executable's path is
// padded to reach that length.
std::string quotedLineOfLength(size_t length, const std::string& arguments = " ") {
    const std::string head = "\"C:\\";
    const std::string tail = "\\grabnik.exe\"" + arguments;
    return head + std::string(length - head.size() - tail.size(), 'd') + tail;
}

TEST(DeriveShortcutPaths, ALineOf259CharactersGetsItsShortcut) {
    const std::string line = quotedLineOfLength(259);
    ASSERT_EQ(line.size(), 259u);
    auto copy = exactCopy(line);
    ShortcutPaths paths;
    deriveShortcutPaths(copy.get(), paths);
    const std::string target = line.substr(0, line.size() - 1);  // without the blank
    EXPECT_EQ(paths.shortcutTarget, target);
    EXPECT_EQ(paths.shortcutPath, target.substr(1, target.size() - 6) + ".lnk");
}

TEST(DeriveShortcutPaths, ALineOf260OrMoreCharactersGetsNone) {
    for (size_t length : {260u, 261u, 1000u}) {
        const std::string line = quotedLineOfLength(length);
        auto copy = exactCopy(line);
        ShortcutPaths paths;
        deriveShortcutPaths(copy.get(), paths);
        EXPECT_STREQ(paths.shortcutPath, "") << length;
    }
}

TEST(DeriveShortcutPaths, AnUnclosedQuoteEndingAtTheLimitGetsNone) {
    // 259 characters that end with the name: the target's added quote and
    // terminator would need 261 bytes.
    const std::string line = quotedLineOfLength(260, "");
    ASSERT_EQ(line.back(), '"');
    const std::string unclosed = line.substr(0, 259);
    auto copy = exactCopy(unclosed);
    ShortcutPaths paths;
    deriveShortcutPaths(copy.get(), paths);
    EXPECT_STREQ(paths.shortcutPath, "");

    // One character shorter, the quote fits.
    const std::string shorter = unclosed.substr(0, 4) + unclosed.substr(5);
    deriveShortcutPaths(exactCopy(shorter).get(), paths);
    EXPECT_EQ(paths.shortcutTarget, shorter + "\"");
}

}  // namespace
