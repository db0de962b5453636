// Which keys type a hotkey's key in the active keyboard layout group: with
// two layouts configured ("fr,us") the key that types `a` in one types `q`
// in the other, so the companion grabs the keys of the active group and
// grabs again when the group changes, as Windows follows the active layout.
// The mapping comes in as plain values: unit tested without a display.
#pragma once

#include <vector>

// One key of the keyboard mapping, as the X keyboard extension describes it.
struct MappedKey {
    unsigned groupInfo;                  // its group count and out-of-range rule
    unsigned width;                      // the levels of each of its groups
    std::vector<unsigned long> keysyms;  // group after group, `width` levels each
};

struct KeyboardMapping {
    unsigned minKeycode;
    std::vector<MappedKey> keys;  // the keys from minKeycode on
};

// The keycodes that type `keysym` in keyboard group `group`, alone or with
// Shift (digits need Shift on some layouts); a level that needs AltGr
// belongs to another key's character. A key with fewer groups wraps, clamps
// or redirects the group as its group info says. When no key of the group
// types it (a layout without Latin letters), the keys of the first group
// that has it: the key at the same place, as Windows keeps it. No key
// types NoSymbol.
std::vector<unsigned> keycodesTyping(const KeyboardMapping& mapping, unsigned long keysym,
                                     unsigned group);
