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

constexpr unsigned hotkeyModifiers(HotkeyCode code) { return (code >> 8) & 0xFF; }
constexpr unsigned hotkeyKey(HotkeyCode code) { return code & 0xFF; }

// Reads one hotkey text of `count` characters; the text need not be
// terminated. Returns 0 for a null pointer or an empty text.
HotkeyCode parseHotkeyText(const char* text, size_t count);

// The two hotkeys found in the argument text: each is 0 when its pair of
// brackets is incomplete or its text names neither a modifier nor a key.
struct HotkeyPair {
    HotkeyCode selection;
    HotkeyCode file;
};
HotkeyPair findHotkeyTexts(const char* argumentText);

// Writes "(mods+K) (mods+L)" into `out`, which holds 260 characters; the
// longest text is 45 characters. Only the low 8 bits of each key are used.
void composeHotkeyArguments(unsigned firstMods, unsigned firstKey, unsigned secondMods,
                            unsigned secondKey, char* out);

// The option that makes every freeze cover all monitors.
constexpr char AllMonitorsOption[] = "/allmonitors";

// Whether the argument text holds AllMonitorsOption, in any letter case, as a
// word of its own: blanks or the text's ends on both sides, and not inside
// either of the bracketed hotkey texts that findHotkeyTexts reads.
bool findAllMonitorsOption(const char* argumentText);

// The launcher's argument text: the option and one blank when `allMonitors`,
// then the hotkeys as composeHotkeyArguments writes them; at most 58
// characters into `out`, which holds 260.
void composeLauncherArguments(bool allMonitors, unsigned firstMods, unsigned firstKey,
                              unsigned secondMods, unsigned secondKey, char* out);
