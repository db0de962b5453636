#include <gtest/gtest.h>

#include <cstring>

#include "core/hotkey_text_logic.h"
#include "support/named_rows.h"

namespace {

struct OptionCase : NamedRow {
    const char* text;
    bool found;
};

class FindAllMonitorsOption : public testing::TestWithParam<OptionCase> {};

TEST_P(FindAllMonitorsOption, ReadsOnlyAWordOfItsOwnOutsideTheHotkeys) {
    EXPECT_EQ(findAllMonitorsOption(GetParam().text), GetParam().found) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FindAllMonitorsOption,
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
                    OptionCase{"AfterAnUnclosedBracket", "(S) ( /allmonitors", true}),
    NamedAfterRow());

TEST(ComposeLauncherArguments, PutsTheOptionBeforeTheHotkeysAndReadsBack) {
    char out[260];
    const HotkeyPair hotkeys = {makeHotkeyCode(HotkeyModControl | HotkeyModAlt, 'K'),
                                makeHotkeyCode(HotkeyModShift, 'L')};
    composeLauncherArguments(true, hotkeys, out);
    EXPECT_STREQ(out, "/allmonitors (ctrl+alt+K) (shift+L)");
    EXPECT_TRUE(findAllMonitorsOption(out));
    EXPECT_EQ(findHotkeyCodes(out).selection, 0x034Bu);
    EXPECT_EQ(findHotkeyCodes(out).file, 0x044Cu);

    composeLauncherArguments(false, hotkeys, out);
    EXPECT_STREQ(out, "(ctrl+alt+K) (shift+L)");

    composeLauncherArguments(true, {makeHotkeyCode(0x0F, 'S'), makeHotkeyCode(0x0F, 'L')}, out);
    EXPECT_EQ(std::strlen(out), 58u) << "the longest text";
}

}  // namespace
