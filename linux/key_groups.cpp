#include "key_groups.h"

#include <X11/Xlib.h>
#include <X11/extensions/XKBstr.h>

namespace {

// Unshifted and shifted: the levels that name a key.
constexpr unsigned NamingLevels = 2;

// The key's own group that a keyboard group selects.
unsigned keyGroup(unsigned group, unsigned groupInfo) {
    const unsigned count = XkbNumGroups(groupInfo);
    if (group < count) return group;
    switch (XkbOutOfRangeGroupAction(groupInfo)) {
    case XkbClampIntoRange:
        return count - 1;
    case XkbRedirectIntoRange: {
        const unsigned target = XkbOutOfRangeGroupNumber(groupInfo);
        return target < count ? target : 0;
    }
    default:
        return group % count;
    }
}

bool types(const MappedKey& key, unsigned long keysym, unsigned group) {
    if (XkbNumGroups(key.groupInfo) == 0) return false;
    const unsigned first = keyGroup(group, key.groupInfo) * key.width;
    for (unsigned level = 0; level < key.width && level < NamingLevels; ++level)
        if (first + level < key.keysyms.size() && key.keysyms[first + level] == keysym) return true;
    return false;
}

std::vector<unsigned> keycodesInGroup(const KeyboardMapping& mapping, unsigned long keysym,
                                      unsigned group) {
    std::vector<unsigned> keycodes;
    for (unsigned i = 0; i < mapping.keys.size(); ++i)
        if (types(mapping.keys[i], keysym, group)) keycodes.push_back(mapping.minKeycode + i);
    return keycodes;
}

}  // namespace

std::vector<unsigned> keycodesTyping(const KeyboardMapping& mapping, unsigned long keysym,
                                     unsigned group) {
    if (keysym == NoSymbol) return {};
    std::vector<unsigned> keycodes = keycodesInGroup(mapping, keysym, group);
    for (unsigned other = 0; keycodes.empty() && other < XkbNumKbdGroups; ++other)
        keycodes = keycodesInGroup(mapping, keysym, other);
    return keycodes;
}
