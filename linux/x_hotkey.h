// A hotkey of the argument text as an X display sees it: the text carries the
// Windows virtual-key code and MOD_* bits, an X grab wants a keysym and a
// modifier mask. Needs only the X headers' constants, so it is unit tested
// natively without a display.
#pragma once

#include <array>

#include "core/hotkey_text_logic.h"

// Which X modifier bits carry Alt, the Windows key and NumLock: the
// display's modifier map decides, usually Mod1, Mod4 and Mod2.
struct XModifierRoles {
    unsigned alt;
    unsigned super;
    unsigned numLock;
};

// The keysym of the key with this virtual-key code, or 0 (NoSymbol) when the
// hotkey text can name the code but an X keyboard has no such key.
unsigned long keysymForVirtualKey(unsigned virtualKey);

// The X modifier mask of a hotkey's MOD_* bits.
unsigned xModifierMask(unsigned hotkeyModifiers, const XModifierRoles& roles);

// The masks one hotkey is grabbed with, so that it works whatever CapsLock
// and NumLock are: X compares the whole state, locks included. Without a
// NumLock modifier two of the four repeat the others.
std::array<unsigned, 4> lockVariants(unsigned mask, const XModifierRoles& roles);

// A key event's state without the locks, for comparing with a grabbed mask.
unsigned withoutLocks(unsigned state, const XModifierRoles& roles);
