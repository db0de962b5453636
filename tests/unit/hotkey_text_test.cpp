#include "core/hotkey_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>

namespace {

HotkeyCode parse(const std::string& text) { return parseHotkeyText(text.data(), text.size()); }

struct ParseCase {
    const char* text;
    HotkeyCode expected;
};

// Printed by GoogleTest when a case fails or is listed.
std::ostream& operator<<(std::ostream& out, const ParseCase& c) {
    return out << '"' << c.text << '"';
}

class ParseHotkeyText : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseHotkeyText, GivesTheCode) {
    EXPECT_EQ(parse(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseHotkeyText,
    testing::Values(ParseCase{"ctrl+alt+S", 0x0353}, ParseCase{"S+alt+ctrl", 0x0353},
                    ParseCase{"CTRL+Alt+S", 0x0353},
                    ParseCase{"ctrl+s", 0x0273},  // a lower-case letter is another key
                    ParseCase{"shift+enter", 0x040D}, ParseCase{"win+alt+ctrl+shift+tab", 0x0F09},
                    ParseCase{"ctrl+A+B", 0x0242},  // the later key wins
                    ParseCase{"ctrl+F5", 0x0200},   // unknown token: modifiers alone still count
                    ParseCase{"ctrl++S", 0x0200},   // an empty token ends the evaluation
                    ParseCase{"+S", 0}, ParseCase{" ctrl+S", 0x0053},  // a blank is not trimmed
                    ParseCase{"a+b+c+d+e+f", 0x0065},                  // only five tokens are kept
                    ParseCase{"abcdefgh+S", 0},  // an 8-character token ends the scan
                    ParseCase{"abcdefg+S", 0x0053}, ParseCase{"ctrl+alt+shift+win+S", 0x0F53},
                    ParseCase{"alt+alt+7", 0x0137},  // modifiers may repeat
                    ParseCase{"esc", 27}, ParseCase{"space", 32}, ParseCase{"ins", 45},
                    ParseCase{"DEL", 46}, ParseCase{"up", 38}, ParseCase{"down", 40},
                    ParseCase{"left", 37}, ParseCase{"right", 39}, ParseCase{"home", 36},
                    ParseCase{"End", 35}, ParseCase{"TAB", 9},
                    ParseCase{"shiftx+S", 0x0053},  // a keyword prefix is no keyword
                    ParseCase{"ctr+S", 0x0053},
                    ParseCase{"\xC4", 0xC4},  // any byte names its own code
                    ParseCase{"ctrl", 0x0200}, ParseCase{"", 0}));

TEST(ParseHotkeyText, ReadsOnlyTheGivenCharacters) {
    // The text is not terminated at the closing bracket of the argument text.
    const char text[] = "ctrl+S) (alt+L)";
    EXPECT_EQ(parseHotkeyText(text, 6), 0x0253u);
    EXPECT_EQ(parseHotkeyText(text, 0), 0u);
    EXPECT_EQ(parseHotkeyText(nullptr, 5), 0u);
}

TEST(ParseHotkeyText, StopsAtTheCountWithoutTerminator) {
    // An unterminated buffer: ASan reports any read past the count.
    char* text = new char[6];
    std::memcpy(text, "ctrl+S", 6);
    EXPECT_EQ(parseHotkeyText(text, 6), 0x0253u);
    delete[] text;
}

struct ArgumentCase {
    const char* text;
    HotkeyCode selection;
    HotkeyCode file;
};

std::ostream& operator<<(std::ostream& out, const ArgumentCase& c) {
    return out << '"' << c.text << '"';
}

class FindHotkeyTexts : public testing::TestWithParam<ArgumentCase> {};

TEST_P(FindHotkeyTexts, FindsBothPairs) {
    const HotkeyPair pair = findHotkeyTexts(GetParam().text);
    EXPECT_EQ(pair.selection, GetParam().selection) << GetParam().text;
    EXPECT_EQ(pair.file, GetParam().file) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindHotkeyTexts,
    testing::Values(
        ArgumentCase{"(ctrl+alt+S) (ctrl+alt+F)", 0x0353, 0x0346},
        ArgumentCase{"(ctrl+alt+S)(ctrl+alt+F)", 0x0353, 0x0346},
        ArgumentCase{"snip (ctrl+alt+S) and (ctrl+alt+F) please", 0x0353, 0x0346},
        ArgumentCase{"(ctrl+alt+S) (ctrl+alt+F) (shift+X)", 0x0353, 0x0346},
        ArgumentCase{"(ctrl+alt+S)", 0x0353, 0}, ArgumentCase{"(ctrl+alt+S) (shift+L", 0x0353, 0},
        ArgumentCase{"() (ctrl+L)", 0, 0x024C}, ArgumentCase{"(F1) (ctrl+L)", 0, 0x024C},
        ArgumentCase{"((ctrl+S) (alt+L)", 0x0053, 0x014C},  // no nesting
        ArgumentCase{"(ctrl+S", 0, 0}, ArgumentCase{") (ctrl+S) (alt+L)", 0x0253, 0x014C},
        ArgumentCase{"ctrl+S alt+L", 0, 0}, ArgumentCase{"", 0, 0}));

TEST(ComposeHotkeyArguments, WritesModifiersInFixedOrder) {
    char out[260];
    composeHotkeyArguments(0, 'S', HotkeyModControl, 'L', out);
    EXPECT_STREQ(out, "(S) (ctrl+L)");
    composeHotkeyArguments(HotkeyModControl | HotkeyModAlt, 'K', HotkeyModShift, 'L', out);
    EXPECT_STREQ(out, "(ctrl+alt+K) (shift+L)");
    composeHotkeyArguments(0x0F, 'S', 0x0F, 0x14C, out);  // only the key's low byte is written
    EXPECT_STREQ(out, "(ctrl+alt+shift+win+S) (ctrl+alt+shift+win+L)");
    EXPECT_EQ(std::strlen(out), 45u);
}

TEST(ComposeHotkeyArguments, ReadsBackForEveryChoiceOfTheSetupDialog) {
    const std::string keys = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (unsigned mods = 1; mods <= 0x0F; ++mods) {
        for (char key : keys) {
            // The second hotkey takes another mask and key, so both halves are checked.
            const unsigned otherMods = 0x10 - mods;
            const char otherKey = keys[keys.size() - 1 - keys.find(key)];
            char out[260];
            composeHotkeyArguments(mods, key, otherMods, otherKey, out);
            const HotkeyPair pair = findHotkeyTexts(out);
            ASSERT_EQ(pair.selection, (mods << 8) | unsigned(key)) << out;
            ASSERT_EQ(pair.file, (otherMods << 8) | unsigned(otherKey)) << out;
        }
    }
}

}  // namespace
