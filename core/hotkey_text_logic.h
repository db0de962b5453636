// Hotkey text: "ctrl+alt+S" <-> HotkeyCode, the two-hotkey argument text
// "(ctrl+alt+S) (shift+L)" and the option beside it. Platform-free so that it
// is unit tested natively.
#pragma once

#include <cstddef>
#include <cstdint>

// Low byte: virtual-key code; next byte: modifier mask; 0 means "no hotkey".
using HotkeyCode = uint32_t;

// The same bit values as the platform's MOD_* constants.
constexpr unsigned HotkeyModAlt = 1;
constexpr unsigned HotkeyModControl = 2;
constexpr unsigned HotkeyModShift = 4;
constexpr unsigned HotkeyModWin = 8;

constexpr HotkeyCode makeHotkeyCode(unsigned modifiers, unsigned key) {
    return (key & 0xFF) | ((modifiers & 0xFF) << 8);
}
constexpr unsigned hotkeyModifiers(HotkeyCode code) { return (code >> 8) & 0xFF; }
constexpr unsigned hotkeyKey(HotkeyCode code) { return code & 0xFF; }
// Registrable: at least one modifier and a key, as the setup dialog asks.
constexpr bool isCompleteHotkey(HotkeyCode code) {
    return hotkeyModifiers(code) != 0 && hotkeyKey(code) != 0;
}

// Reads one hotkey text of `count` characters; the text need not be
// terminated. Returns 0 for a null pointer or an empty text.
HotkeyCode parseHotkeyText(const char* text, size_t count);

// Both hotkeys, the selection hotkey first: how they travel from the
// argument text or the setup dialog to the registration, the launcher
// shortcut and the Linux companion's grabs.
struct HotkeyPair {
    HotkeyCode selection;
    HotkeyCode file;
};

// The two hotkeys found in the argument text: each is 0 when its pair of
// brackets is incomplete or its text names neither a modifier nor a key.
HotkeyPair findHotkeyCodes(const char* argumentText);

// Writes "(mods+K) (mods+L)" into `out`, which holds 260 characters; the
// longest text is 45 characters.
void composeHotkeyArguments(const HotkeyPair& hotkeys, char* out);

// The option words, each read the same way: every freeze covers all
// monitors; the magnifier is on from the start.
constexpr char AllMonitorsOption[] = "/allmonitors";
constexpr char MagnifierOption[] = "/magnifier";

// Whether the argument text holds the option word, in any letter case, as a
// word of its own: blanks or the text's ends on both sides, and not inside
// either of the bracketed hotkey texts that findHotkeyCodes reads.
bool findOptionWord(const char* argumentText, const char* option);

// The options the program was started with, as the launcher keeps them.
struct StartOptions {
    bool allMonitors;
    bool magnifier;
};
StartOptions findStartOptions(const char* argumentText);

// The launcher's argument text: each option that is on and one blank, in
// the order of StartOptions, then the hotkeys as composeHotkeyArguments
// writes them; at most 69 characters into `out`, which holds 260.
void composeLauncherArguments(const StartOptions& options, const HotkeyPair& hotkeys, char* out);
