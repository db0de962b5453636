// GoogleTest before X: the X headers define macros such as None.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XKBstr.h>
#include <X11/keysym.h>

#include "linux/key_groups.h"

#include "support/named_rows.h"

namespace {

// Keys 9 to 13 like those of a keyboard with "fr,us" (group 0 French, group 1 US), as
// an X server describes them, and keys of more groups for the rules
// of a group a key lacks.
constexpr unsigned TwoGroups = 2, OneGroup = 1, ThreeGroups = 3;
const KeyboardMapping FrenchAndUs = {
    9,
    {
        {OneGroup, 1, {XK_Escape}},                                              // 9
        {TwoGroups, 2, {XK_ampersand, XK_1, XK_1, XK_exclam}},                   // 10
        {TwoGroups, 4, {XK_q, XK_Q, XK_at, XK_Greek_OMEGA, XK_a, XK_A, 0, 0}},   // 11
        {TwoGroups, 2, {XK_a, XK_A, XK_q, XK_Q}},                                // 12
        {TwoGroups, 2, {XK_s, XK_S, XK_s, XK_S}},                                // 13
        {ThreeGroups, 1, {XK_x, XK_y, XK_z}},                                    // 14: wraps
        {ThreeGroups | XkbClampIntoRange, 1, {XK_b, XK_c, XK_d}},                // 15: clamps
        {ThreeGroups | XkbRedirectIntoRange | (1 << 4), 1, {XK_e, XK_f, XK_g}},  // 16: to 1
        {ThreeGroups | XkbRedirectIntoRange | (3 << 4), 1, {XK_h, XK_i, XK_j}},  // 17: to 3, none
        {TwoGroups, 1, {XK_Cyrillic_ef, XK_Return}},                             // 18
        {OneGroup, 1, {XK_Return}},                                              // 19
        {0, 0, {}},                                                              // 20: no symbols
    }};

struct GroupRow : NamedRow {
    unsigned long keysym;
    unsigned group;
    std::vector<unsigned> keycodes;
};

class KeycodesTyping : public testing::TestWithParam<GroupRow> {};

TEST_P(KeycodesTyping, AreTheKeysOfTheGroup) {
    EXPECT_EQ(keycodesTyping(FrenchAndUs, GetParam().keysym, GetParam().group),
              GetParam().keycodes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeycodesTyping,
    testing::Values(GroupRow{"LetterOfTheFirstLayout", XK_a, 0, {12}},
                    GroupRow{"SameLetterInTheSecondLayoutIsAnotherKey", XK_a, 1, {11}},
                    GroupRow{"LetterOnTheSameKeyInBoth", XK_s, 1, {13}},
                    GroupRow{"DigitWithShift", XK_1, 0, {10}},
                    GroupRow{"DigitAlone", XK_1, 1, {10}},
                    GroupRow{"AltGrLevelNamesNoKey", XK_at, 0, {}},
                    GroupRow{"KeyOfOneGroupInTheSecond", XK_Escape, 1, {9}},
                    GroupRow{"WrappedGroup", XK_x, 3, {14}},
                    GroupRow{"ClampedGroup", XK_d, 3, {15}},
                    GroupRow{"RedirectedGroup", XK_f, 3, {16}},
                    GroupRow{"RedirectBeyondTheGroupsIsTheFirst", XK_h, 3, {17}},
                    GroupRow{"EveryKeyThatTypesIt", XK_Return, 1, {18, 19}},
                    GroupRow{"OnlyTheKeysOfTheActiveGroup", XK_Return, 0, {19}},
                    GroupRow{"KeyOfTheFirstLayoutWhenTheActiveHasNone", XK_ampersand, 1, {10}},
                    GroupRow{"LetterOfNoLayout", XK_w, 0, {}},
                    GroupRow{"NoSymbolOfTheEmptyLevels", NoSymbol, 1, {}}),
    NamedAfterRow());

}  // namespace
