// GoogleTest before X: the X headers define macros such as None.
#include <gtest/gtest.h>

#include <X11/X.h>
#include <X11/keysym.h>

#include "linux/x_hotkey.h"

#include "support/named_rows.h"

namespace {

struct KeyRow : NamedRow {
    const char* text;  // a hotkey text, read by the program's own parser
    unsigned long keysym;
    unsigned mask;
};

// Alt and the Windows key where a typical X server puts them.
constexpr XModifierRoles Typical = {Mod1Mask, Mod4Mask, Mod2Mask};

class XHotkeyOfText : public testing::TestWithParam<KeyRow> {};

TEST_P(XHotkeyOfText, GivesTheKeysymAndMask) {
    const std::string text = GetParam().text;
    const HotkeyCode code = parseHotkeyText(text.data(), text.size());
    EXPECT_EQ(keysymForVirtualKey(hotkeyKey(code)), GetParam().keysym);
    EXPECT_EQ(xModifierMask(hotkeyModifiers(code), Typical), GetParam().mask);
}

INSTANTIATE_TEST_SUITE_P(
    Table, XHotkeyOfText,
    testing::Values(KeyRow{"CtrlAltLetter", "ctrl+alt+S", XK_s, ControlMask | Mod1Mask},
                    KeyRow{"AllModifiersDigit", "win+shift+ctrl+alt+7", XK_7,
                           Mod4Mask | ShiftMask | ControlMask | Mod1Mask},
                    KeyRow{"FirstAndLastLetter", "shift+A+Z", XK_z, ShiftMask},
                    KeyRow{"NamedKeys", "ctrl+esc", XK_Escape, ControlMask},
                    KeyRow{"Enter", "alt+enter", XK_Return, Mod1Mask},
                    KeyRow{"Arrow", "win+left", XK_Left, Mod4Mask},
                    KeyRow{"End", "shift+end", XK_End, ShiftMask},
                    // Lower-case letters carry the codes of keypad and function keys.
                    KeyRow{"LowerSIsF4", "ctrl+s", XK_F4, ControlMask},
                    KeyRow{"LowerAIsKeypad1", "ctrl+a", XK_KP_1, ControlMask},
                    KeyRow{"LowerOIsKeypadDivide", "ctrl+o", XK_KP_Divide, ControlMask},
                    KeyRow{"CommaIsPrint", "ctrl+,", XK_Print, ControlMask},
                    // Codes no X key has: nothing to grab.
                    KeyRow{"LowerLIsKeypadSeparator", "ctrl+l", NoSymbol, ControlMask},
                    KeyRow{"ByteBeyondTheKeys", "ctrl+\xC4", NoSymbol, ControlMask}),
    NamedAfterRow());

TEST(XHotkey, TakesAltAndWinFromTheDisplaysRoles) {
    const XModifierRoles elsewhere = {Mod3Mask, Mod5Mask, 0};
    EXPECT_EQ(xModifierMask(HotkeyModAlt | HotkeyModWin, elsewhere), unsigned(Mod3Mask | Mod5Mask));
}

TEST(XHotkey, GrabsEveryLockVariantAndIgnoresLocksInPresses) {
    const std::array<unsigned, 4> variants = lockVariants(ControlMask, Typical);
    EXPECT_EQ(variants,
              (std::array<unsigned, 4>{ControlMask, ControlMask | LockMask, ControlMask | Mod2Mask,
                                       ControlMask | LockMask | Mod2Mask}));
    for (unsigned variant : variants)
        EXPECT_EQ(withoutLocks(variant, Typical), unsigned(ControlMask));
    // NumLock on another bit, Mod2 is then a modifier like any other.
    const XModifierRoles numLockOnMod3 = {Mod1Mask, Mod4Mask, Mod3Mask};
    EXPECT_EQ(withoutLocks(ControlMask | Mod2Mask | Mod3Mask, numLockOnMod3),
              unsigned(ControlMask | Mod2Mask));
}

}  // namespace
