#include "x_hotkey.h"

#include <X11/X.h>
#include <X11/keysym.h>

namespace {

// Virtual-key codes that are not characters of their own: the named keys
// of the hotkey text and the ones any other character's code stands for.
struct NamedKey {
    unsigned virtualKey;
    unsigned long keysym;
};

const NamedKey namedKeys[] = {
    {0x09, XK_Tab},    {0x0D, XK_Return},      {0x1B, XK_Escape},     {0x20, XK_space},
    {0x21, XK_Prior},  {0x22, XK_Next},        {0x23, XK_End},        {0x24, XK_Home},
    {0x25, XK_Left},   {0x26, XK_Up},          {0x27, XK_Right},      {0x28, XK_Down},
    {0x2C, XK_Print},  {0x2D, XK_Insert},      {0x2E, XK_Delete},     {0x6A, XK_KP_Multiply},
    {0x6B, XK_KP_Add}, {0x6D, XK_KP_Subtract}, {0x6E, XK_KP_Decimal}, {0x6F, XK_KP_Divide},
};

}  // namespace

unsigned long keysymForVirtualKey(unsigned virtualKey) {
    // Digits share their codes with their keysyms; letters are grabbed by
    // their lower-case keysym, the one an unshifted key reports.
    if (virtualKey >= '0' && virtualKey <= '9') return virtualKey;
    if (virtualKey >= 'A' && virtualKey <= 'Z') return XK_a + (virtualKey - 'A');
    if (virtualKey >= 0x60 && virtualKey <= 0x69) return XK_KP_0 + (virtualKey - 0x60);
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return XK_F1 + (virtualKey - 0x70);
    for (const NamedKey& key : namedKeys)
        if (key.virtualKey == virtualKey) return key.keysym;
    return NoSymbol;
}

unsigned xModifierMask(unsigned hotkeyModifiers, const XModifierRoles& roles) {
    unsigned mask = 0;
    if (hotkeyModifiers & HotkeyModControl) mask |= ControlMask;
    if (hotkeyModifiers & HotkeyModShift) mask |= ShiftMask;
    if (hotkeyModifiers & HotkeyModAlt) mask |= roles.alt;
    if (hotkeyModifiers & HotkeyModWin) mask |= roles.super;
    return mask;
}

std::array<unsigned, 4> lockVariants(unsigned mask, const XModifierRoles& roles) {
    return {mask, mask | LockMask, mask | roles.numLock, mask | LockMask | roles.numLock};
}

unsigned withoutLocks(unsigned state, const XModifierRoles& roles) {
    return state & ~(LockMask | roles.numLock);
}
