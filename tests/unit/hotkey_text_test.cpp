#include "core/hotkey_text_logic.h"
#include "support/named_rows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

HotkeyCode parse(const std::string& text) { return parseHotkeyText(text.data(), text.size()); }

struct ParseCase : NamedRow {
    const char* text;
    HotkeyCode expected;
};

class ParseHotkeyText : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseHotkeyText, GivesTheCode) {
    EXPECT_EQ(parse(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseHotkeyText,
    testing::Values(ParseCase{"ModifiersThenKey", "ctrl+alt+S", 0x0353},
                    ParseCase{"KeyFirst", "S+alt+ctrl", 0x0353},
                    ParseCase{"KeywordsInAnyLetterCase", "CTRL+Alt+S", 0x0353},
                    ParseCase{"LowerCaseLetterIsAnotherKey", "ctrl+s", 0x0273},
                    ParseCase{"NamedKey", "shift+enter", 0x040D},
                    ParseCase{"AllModifiersAndTab", "win+alt+ctrl+shift+tab", 0x0F09},
                    ParseCase{"LaterKeyWins", "ctrl+A+B", 0x0242},
                    ParseCase{"UnknownTokenKeepsTheModifiers", "ctrl+F5", 0x0200},
                    ParseCase{"EmptyTokenEndsTheEvaluation", "ctrl++S", 0x0200},
                    ParseCase{"LeadingPlusGivesNothing", "+S", 0},
                    ParseCase{"BlankIsNotTrimmed", " ctrl+S", 0x0053},
                    ParseCase{"OnlyFiveTokensAreKept", "a+b+c+d+e+f", 0x0065},
                    ParseCase{"EightCharacterTokenEndsTheScan", "abcdefgh+S", 0},
                    ParseCase{"SevenCharacterTokenIsRead", "abcdefg+S", 0x0053},
                    ParseCase{"FourModifiers", "ctrl+alt+shift+win+S", 0x0F53},
                    ParseCase{"ModifiersMayRepeat", "alt+alt+7", 0x0137},
                    ParseCase{"Esc", "esc", 27}, ParseCase{"Space", "space", 32},
                    ParseCase{"Ins", "ins", 45}, ParseCase{"DelInCapitals", "DEL", 46},
                    ParseCase{"Up", "up", 38}, ParseCase{"Down", "down", 40},
                    ParseCase{"Left", "left", 37}, ParseCase{"Right", "right", 39},
                    ParseCase{"Home", "home", 36}, ParseCase{"EndCapitalised", "End", 35},
                    ParseCase{"TabInCapitals", "TAB", 9},
                    ParseCase{"KeywordPrefixIsNoKeyword", "shiftx+S", 0x0053},
                    ParseCase{"ShortenedKeywordIsNoKeyword", "ctr+S", 0x0053},
                    ParseCase{"AnyByteNamesItsOwnCode", "\xC4", 0xC4},
                    ParseCase{"ModifierAlone", "ctrl", 0x0200}, ParseCase{"EmptyText", "", 0}),
    NamedAfterRow());

TEST(ParseHotkeyText, ReadsOnlyTheGivenCharacters) {
    // The text is not terminated at the closing bracket of the argument text.
    const char text[] = "ctrl+S) (alt+L)";
    EXPECT_EQ(parseHotkeyText(text, 6), 0x0253u);
}

TEST(ParseHotkeyText, NoCharactersOrNoTextGiveNoHotkey) {
    EXPECT_EQ(parseHotkeyText("ctrl+S", 0), 0u);
    EXPECT_EQ(parseHotkeyText(nullptr, 5), 0u);
}

TEST(ParseHotkeyText, StopsAtTheCountWithoutTerminator) {
    // An unterminated buffer: ASan reports any read past the count.
    char* text = new char[6];
    std::memcpy(text, "ctrl+S", 6);
    EXPECT_EQ(parseHotkeyText(text, 6), 0x0253u);
    delete[] text;
}

struct ArgumentCase : NamedRow {
    const char* text;
    HotkeyCode selection;
    HotkeyCode file;
};

class FindHotkeyTexts : public testing::TestWithParam<ArgumentCase> {};

TEST_P(FindHotkeyTexts, FindsBothPairs) {
    const HotkeyPair pair = findHotkeyCodes(GetParam().text);
    EXPECT_EQ(pair.selection, GetParam().selection) << GetParam().text;
    EXPECT_EQ(pair.file, GetParam().file) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    ArgumentTexts, FindHotkeyTexts,
    testing::Values(ArgumentCase{"TwoPairs", "(ctrl+alt+S) (ctrl+alt+F)", 0x0353, 0x0346},
                    ArgumentCase{"PairsWithoutBlank", "(ctrl+alt+S)(ctrl+alt+F)", 0x0353, 0x0346},
                    ArgumentCase{"WordsAroundThePairs", "snip (ctrl+alt+S) and (ctrl+alt+F) please",
                                 0x0353, 0x0346},
                    ArgumentCase{"ThirdPairIgnored", "(ctrl+alt+S) (ctrl+alt+F) (shift+X)", 0x0353,
                                 0x0346},
                    ArgumentCase{"OnePair", "(ctrl+alt+S)", 0x0353, 0},
                    ArgumentCase{"SecondPairUnclosed", "(ctrl+alt+S) (shift+L", 0x0353, 0},
                    ArgumentCase{"FirstPairEmpty", "() (ctrl+L)", 0, 0x024C},
                    ArgumentCase{"FirstPairUnknownKey", "(F1) (ctrl+L)", 0, 0x024C},
                    ArgumentCase{"NoNesting", "((ctrl+S) (alt+L)", 0x0053, 0x014C},
                    ArgumentCase{"FirstPairUnclosed", "(ctrl+S", 0, 0},
                    ArgumentCase{"StrayClosingBracketFirst", ") (ctrl+S) (alt+L)", 0x0253, 0x014C},
                    ArgumentCase{"NoBrackets", "ctrl+S alt+L", 0, 0},
                    ArgumentCase{"EmptyText", "", 0, 0}),
    NamedAfterRow());

TEST(ComposeHotkeyArguments, WritesModifiersInFixedOrder) {
    char out[260];
    composeHotkeyArguments({makeHotkeyCode(0, 'S'), makeHotkeyCode(HotkeyModControl, 'L')}, out);
    EXPECT_STREQ(out, "(S) (ctrl+L)");
    composeHotkeyArguments(
        {makeHotkeyCode(HotkeyModControl | HotkeyModAlt, 'K'), makeHotkeyCode(HotkeyModShift, 'L')},
        out);
    EXPECT_STREQ(out, "(ctrl+alt+K) (shift+L)");
}

TEST(ComposeHotkeyArguments, LongestTextIs45CharactersWithTheKeysLowByte) {
    char out[260];
    // Only the key's low byte is kept.
    composeHotkeyArguments({makeHotkeyCode(0x0F, 'S'), makeHotkeyCode(0x0F, 0x14C)}, out);
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
            composeHotkeyArguments({makeHotkeyCode(mods, key), makeHotkeyCode(otherMods, otherKey)},
                                   out);
            const HotkeyPair pair = findHotkeyCodes(out);
            ASSERT_EQ(pair.selection, (mods << 8) | unsigned(key)) << out;
            ASSERT_EQ(pair.file, (otherMods << 8) | unsigned(otherKey)) << out;
        }
    }
}

}  // namespace
