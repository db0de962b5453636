// The keys that type a keysym in a layout group, from any mapping: whatever
// a key's group info, width and number of keysyms say, only its own keysyms
// are read; the keycodes come ascending, once each, from the mapping's
// range; a keysym that no key carries, and NoSymbol, give none; and
// numbering the keys from elsewhere moves the keycodes along.
#include "fuzz_check.h"
#include "linux/key_groups.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider input(bytes, size);
    // Few keysyms, so that keys share them.
    const unsigned long keysym = input.ConsumeIntegralInRange<unsigned long>(0, 7);
    const unsigned group = input.ConsumeIntegralInRange<unsigned>(0, 3);
    KeyboardMapping mapping = {input.ConsumeIntegralInRange<unsigned>(8, 200), {}};
    const size_t keys = input.ConsumeIntegralInRange<size_t>(0, 24);
    for (size_t i = 0; i < keys; ++i) {
        MappedKey key = {
            input.ConsumeIntegral<uint8_t>(), input.ConsumeIntegralInRange<unsigned>(0, 6), {}};
        const size_t count = input.ConsumeIntegralInRange<size_t>(0, 20);
        for (size_t k = 0; k < count; ++k)
            key.keysyms.push_back(input.ConsumeIntegralInRange<unsigned long>(0, 7));
        mapping.keys.push_back(key);
    }

    const std::vector<unsigned> keycodes = keycodesTyping(mapping, keysym, group);
    FUZZ_REQUIRE(std::is_sorted(keycodes.begin(), keycodes.end()));
    FUZZ_REQUIRE(std::adjacent_find(keycodes.begin(), keycodes.end()) == keycodes.end());
    for (unsigned keycode : keycodes) {
        FUZZ_REQUIRE(keycode >= mapping.minKeycode);
        FUZZ_REQUIRE(keycode - mapping.minKeycode < mapping.keys.size());
        const std::vector<unsigned long>& own = mapping.keys[keycode - mapping.minKeycode].keysyms;
        FUZZ_REQUIRE(std::find(own.begin(), own.end(), keysym) != own.end());
    }
    if (keysym == 0) FUZZ_REQUIRE(keycodes.empty());

    KeyboardMapping moved = mapping;
    moved.minKeycode += 17;
    std::vector<unsigned> expected = keycodes;
    for (unsigned& keycode : expected) keycode += 17;
    FUZZ_REQUIRE(keycodesTyping(moved, keysym, group) == expected);
    return 0;
}
