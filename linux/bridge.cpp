// grabnik-bridge.exe: runs inside the Wine session beside grabnik.exe and
// presses the hotkeys that the native companion hands it, one hexadecimal
// hotkey code a line on standard input. Wine hands a hotkey to the program
// that registered it only for input that reaches the Wine session, and a key
// typed while a native window has the X focus never does; input sent from
// inside the session does, whatever has the focus. Ends at the end of input,
// that is when the companion ends.
#include <windows.h>

#include <cstdlib>

#include "core/hotkey_text_logic.h"

namespace {

void addKey(INPUT*& next, WORD virtualKey, DWORD flags) {
    next->type = INPUT_KEYBOARD;
    next->ki.wVk = virtualKey;
    next->ki.dwFlags = flags;
    ++next;
}

// The modifiers down, the key down and up, the modifiers up again: one
// SendInput call, so that nothing typed meanwhile comes between.
void pressHotkey(HotkeyCode code) {
    static const struct {
        unsigned modifier;
        WORD virtualKey;
    } modifierKeys[] = {{HotkeyModControl, VK_CONTROL},
                        {HotkeyModAlt, VK_MENU},
                        {HotkeyModShift, VK_SHIFT},
                        {HotkeyModWin, VK_LWIN}};
    INPUT inputs[10] = {};
    INPUT* next = inputs;
    for (const auto& m : modifierKeys)
        if (hotkeyModifiers(code) & m.modifier) addKey(next, m.virtualKey, 0);
    addKey(next, WORD(hotkeyKey(code)), 0);
    addKey(next, WORD(hotkeyKey(code)), KEYEVENTF_KEYUP);
    for (int i = 3; i >= 0; --i)
        if (hotkeyModifiers(code) & modifierKeys[i].modifier)
            addKey(next, modifierKeys[i].virtualKey, KEYEVENTF_KEYUP);
    SendInput(UINT(next - inputs), inputs, sizeof(INPUT));
}

}  // namespace

int main() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char line[32];
    size_t length = 0;
    char c;
    DWORD read = 0;
    while (ReadFile(input, &c, 1, &read, nullptr) && read == 1) {
        if (c != '\n') {
            // An overlong line is no hotkey code: it is dropped whole.
            if (length < sizeof line - 1) line[length] = c;
            ++length;
            continue;
        }
        if (length < sizeof line) {
            line[length] = '\0';
            const HotkeyCode code = HotkeyCode(std::strtoul(line, nullptr, 16));
            if (hotkeyKey(code) != 0) pressHotkey(code);
        }
        length = 0;
    }
    return 0;
}
