// The hotkey text: any bytes read as a code of the four known modifiers and
// one key, never beyond the given count, and never more than the documented
// five tokens; the all-monitors option is found in any letter case, put
// before or after any argument text, and leaves the hotkeys as they were;
// any two hotkeys the launcher's argument text can spell, with or without
// the option, read back as themselves.
#include "core/hotkey_text_logic.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr unsigned KnownModifiers = HotkeyModAlt | HotkeyModControl | HotkeyModShift | HotkeyModWin;
// Five tokens of eight characters, each followed by a '+': what lies further
// on is never read.
constexpr size_t ReadLimit = 5 * (8 + 1);
constexpr size_t ArgumentTextSize = 260;

void checkCode(HotkeyCode code) {
    FUZZ_REQUIRE((hotkeyModifiers(code) & ~KnownModifiers) == 0);
    FUZZ_REQUIRE(code >> 16 == 0);
}

std::string toggleCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        else if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return text;
}

void checkArbitraryText(const char* text, size_t size) {
    // libFuzzer's buffer holds exactly `size` bytes: ASan reports a read past
    // the count.
    const HotkeyCode code = parseHotkeyText(text, size);
    checkCode(code);
    FUZZ_REQUIRE(code == parseHotkeyText(text, std::min(size, ReadLimit)));

    const std::string terminated(text, strnlen(text, size));
    const HotkeyPair pair = findHotkeyCodes(terminated.c_str());
    checkCode(pair.selection);
    checkCode(pair.file);

    for (const char* option : {AllMonitorsOption, MagnifierOption}) {
        const bool found = findOptionWord(terminated.c_str(), option);
        FUZZ_REQUIRE(findOptionWord(toggleCase(terminated).c_str(), option) == found);
        // Ahead of every bracket, and after all of them, the option is a word
        // of its own that no hotkey text holds.
        const std::string optionFirst = toggleCase(option) + " " + terminated;
        FUZZ_REQUIRE(findOptionWord(optionFirst.c_str(), option));
        FUZZ_REQUIRE(findOptionWord((terminated + "\t" + option).c_str(), option));
        const HotkeyPair withOption = findHotkeyCodes(optionFirst.c_str());
        FUZZ_REQUIRE(withOption.selection == pair.selection && withOption.file == pair.file);
    }
}

// The argument text's own delimiters cannot be spelled as keys: a null ends
// the text, a '+' would leave an empty token and a ')' would close the bracket.
bool spellable(unsigned char key) { return key != '\0' && key != '+' && key != ')'; }

void checkComposedArguments(FuzzedDataProvider& data) {
    const StartOptions options = {data.ConsumeBool(), data.ConsumeBool()};
    const unsigned firstMods = data.ConsumeIntegralInRange(0u, KnownModifiers);
    const unsigned char firstKey = data.ConsumeIntegral<unsigned char>();
    const unsigned secondMods = data.ConsumeIntegralInRange(0u, KnownModifiers);
    const unsigned char secondKey = data.ConsumeIntegral<unsigned char>();

    // Exactly the buffer the setup hands over: ASan reports a write past it.
    const auto out = std::make_unique<char[]>(ArgumentTextSize);
    composeLauncherArguments(
        options, {makeHotkeyCode(firstMods, firstKey), makeHotkeyCode(secondMods, secondKey)},
        out.get());
    const size_t optionsLength = (options.allMonitors ? 13u : 0u) + (options.magnifier ? 11u : 0u);
    FUZZ_REQUIRE(strnlen(out.get(), ArgumentTextSize) <= 45u + optionsLength);
    if (!spellable(firstKey) || !spellable(secondKey)) return;

    const StartOptions read = findStartOptions(out.get());
    FUZZ_REQUIRE(read.allMonitors == options.allMonitors && read.magnifier == options.magnifier);
    const HotkeyPair pair = findHotkeyCodes(out.get());
    FUZZ_REQUIRE(pair.selection == ((firstMods << 8) | firstKey));
    FUZZ_REQUIRE(pair.file == ((secondMods << 8) | secondKey));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    checkArbitraryText(reinterpret_cast<const char*>(bytes), size);
    FuzzedDataProvider data(bytes, size);
    checkComposedArguments(data);
    return 0;
}
