#include "linux/shortcut_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/named_rows.h"

namespace {

// The parts of a shell shortcut file that come before its arguments.
constexpr unsigned TargetIdList = 0x01, LinkInfo = 0x02, Name = 0x04, WorkingDir = 0x10,
                   Arguments = 0x20, Unicode = 0x80;

void put(std::vector<unsigned char>& bytes, unsigned value, int width) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void putString(std::vector<unsigned char>& bytes, const std::string& text, bool unicode) {
    put(bytes, unsigned(text.size()), 2);
    for (char c : text) put(bytes, static_cast<unsigned char>(c), unicode ? 2 : 1);
}

std::vector<unsigned char> shortcut(unsigned flags, const std::string& arguments) {
    std::vector<unsigned char> bytes;
    put(bytes, 0x4C, 4);
    bytes.resize(20);
    put(bytes, flags, 4);
    bytes.resize(0x4C);
    if (flags & TargetIdList) {
        put(bytes, 6, 2);
        put(bytes, 0xFFFFFFFF, 4);
        put(bytes, 0xFF, 2);
    }
    if (flags & LinkInfo) {
        put(bytes, 8, 4);  // the size counts itself
        put(bytes, 0x42424242, 4);
    }
    const bool unicode = (flags & Unicode) != 0;
    if (flags & Name) putString(bytes, "Grabnik", unicode);
    if (flags & WorkingDir) putString(bytes, "Z:\\bin", unicode);
    if (flags & Arguments) putString(bytes, arguments, unicode);
    put(bytes, 0, 4);  // the extra data's terminal block
    return bytes;
}

struct ShortcutRow : NamedRow {
    std::vector<unsigned char> bytes;
    bool read;
    const char* arguments;
};

class ReadShortcutArguments : public testing::TestWithParam<ShortcutRow> {};

TEST_P(ReadShortcutArguments, FindsTheArguments) {
    std::string arguments = "unchanged";
    const std::vector<unsigned char>& bytes = GetParam().bytes;
    EXPECT_EQ(readShortcutArguments(bytes.data(), bytes.size(), arguments), GetParam().read);
    EXPECT_EQ(arguments, GetParam().arguments);
}

const unsigned Everything = TargetIdList | LinkInfo | Name | WorkingDir | Arguments | Unicode;
const std::string Hotkeys = "(ctrl+alt+K) (shift+L)";

std::vector<unsigned char> truncated(std::vector<unsigned char> bytes, size_t less) {
    bytes.resize(bytes.size() - less);
    return bytes;
}

std::vector<unsigned char> withHeaderSize(std::vector<unsigned char> bytes, unsigned char size) {
    bytes[0] = size;
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadShortcutArguments,
    testing::Values(
        ShortcutRow{"AfterEveryOtherPart", shortcut(Everything, Hotkeys), true, Hotkeys.c_str()},
        ShortcutRow{"AnsiStrings", shortcut(Name | Arguments, Hotkeys), true, Hotkeys.c_str()},
        ShortcutRow{"NonAsciiAsQuestionMarks", shortcut(Arguments | Unicode, "(\xE4)"), true,
                    "(?)"},
        ShortcutRow{"EmptyArguments", shortcut(Everything, ""), true, ""},
        ShortcutRow{"NoArguments", shortcut(Everything & ~Arguments, ""), false, "unchanged"},
        // The terminal block and one of the argument's two bytes gone.
        ShortcutRow{"CutShort", truncated(shortcut(Everything, Hotkeys), 5), false, "unchanged"},
        ShortcutRow{"NotAShortcut", withHeaderSize(shortcut(Everything, Hotkeys), 0x4D), false,
                    "unchanged"},
        ShortcutRow{
            "HeaderOnly",
            truncated(shortcut(Everything, Hotkeys), shortcut(Everything, Hotkeys).size() - 0x40),
            false, "unchanged"}),
    NamedAfterRow());

struct WordsRow {
    const char* name;
    const char* arguments;
    std::vector<std::string> words;
};

class ArgumentWords : public testing::TestWithParam<WordsRow> {};

TEST_P(ArgumentWords, SplitAtBlanks) {
    EXPECT_EQ(argumentWords(GetParam().arguments), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArgumentWords,
    testing::Values(WordsRow{"TwoHotkeys", "(ctrl+alt+K) (shift+L)", {"(ctrl+alt+K)", "(shift+L)"}},
                    WordsRow{"OptionAndBlanksAround",
                             " \t/allmonitors  (a)\t(b) ",
                             {"/allmonitors", "(a)", "(b)"}},
                    WordsRow{"Blanks", "  ", {}}, WordsRow{"Empty", "", {}}),
    NamedAfterRow());

}  // namespace
