#include <gtest/gtest.h>

#include <cstring>

#include "core/hotkey_text_logic.h"
#include "support/named_rows.h"

namespace {

struct OptionCase : NamedRow {
    const char* text;
    bool found;
    const char* option = AllMonitorsOption;
};

class FindOptionWord : public testing::TestWithParam<OptionCase> {};

TEST_P(FindOptionWord, ReadsOnlyAWordOfItsOwnOutsideTheHotkeys) {
    EXPECT_EQ(findOptionWord(GetParam().text, GetParam().option), GetParam().found)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindOptionWord,
    testing::Values(OptionCase{"First", "/allmonitors (ctrl+alt+S) (ctrl+alt+F)", true},
                    OptionCase{"LastInCapitals", "(ctrl+alt+S) (ctrl+alt+F) /ALLMONITORS", true},
                    OptionCase{"BetweenTheHotkeysAfterTabs",
                               "(ctrl+alt+S)\t/AllMonitors\t(ctrl+alt+F)", true},
                    OptionCase{"Alone", "/allmonitors", true},
                    OptionCase{"AmongOtherWords", "please /allmonitors now (S) (L)", true},
                    OptionCase{"Absent", "(ctrl+alt+S) (ctrl+alt+F)", false},
                    OptionCase{"Empty", "", false},
                    OptionCase{"WithoutSlash", "allmonitors (S) (L)", false},
                    OptionCase{"Prefix", "/allmonitor (S) (L)", false},
                    OptionCase{"Longer", "/allmonitorsx (S) (L)", false},
                    OptionCase{"JoinedToABracket", "(S) (L)/allmonitors", false},
                    OptionCase{"JoinedBeforeABracket", "/allmonitors(S) (L)", false},
                    OptionCase{"InsideTheSelectionHotkey", "( /allmonitors ) (L)", false},
                    OptionCase{"InsideTheFileHotkey", "(S) ( /allmonitors )", false},
                    // Only the two hotkey texts hide words: a third pair is ignored text,
                    // and an unclosed bracket is no hotkey text at all.
                    OptionCase{"InsideAThirdPair", "(S) (L) ( /allmonitors )", true},
                    OptionCase{"AfterAnUnclosedBracket", "(S) ( /allmonitors", true},
                    // The magnifier's word follows the same rules, beside the other.
                    OptionCase{"MagnifierInCapitals", "/allmonitors /MAGNIFIER (S) (L)", true,
                               MagnifierOption},
                    OptionCase{"MagnifierInsideAHotkey", "( /magnifier ) (L)", false,
                               MagnifierOption},
                    OptionCase{"MagnifierJoined", "/allmonitors/magnifier (S) (L)", false,
                               MagnifierOption},
                    OptionCase{"OneWordIsNotTheOther", "/magnifier (S) (L)", false}),
    NamedAfterRow());

TEST(ComposeLauncherArguments, PutsTheOptionBeforeTheHotkeysAndReadsBack) {
    char out[260];
    const HotkeyPair hotkeys = {makeHotkeyCode(HotkeyModControl | HotkeyModAlt, 'K'),
                                makeHotkeyCode(HotkeyModShift, 'L')};
    const struct {
        StartOptions options;
        const char* text;
    } rows[] = {
        {{true, false}, "/allmonitors (ctrl+alt+K) (shift+L)"},
        {{false, true}, "/magnifier (ctrl+alt+K) (shift+L)"},
        {{true, true}, "/allmonitors /magnifier (ctrl+alt+K) (shift+L)"},
        {{false, false}, "(ctrl+alt+K) (shift+L)"},
    };
    for (const auto& row : rows) {
        composeLauncherArguments(row.options, hotkeys, out);
        EXPECT_STREQ(out, row.text);
        const StartOptions read = findStartOptions(out);
        EXPECT_EQ(read.allMonitors, row.options.allMonitors) << row.text;
        EXPECT_EQ(read.magnifier, row.options.magnifier) << row.text;
        EXPECT_EQ(findHotkeyCodes(out).selection, 0x034Bu);
        EXPECT_EQ(findHotkeyCodes(out).file, 0x044Cu);
    }

    composeLauncherArguments({true, true},
                             {makeHotkeyCode(0x0F, 'S'), makeHotkeyCode(0x0F, 'L')}, out);
    EXPECT_EQ(std::strlen(out), 69u) << "the longest text";
}

}  // namespace
