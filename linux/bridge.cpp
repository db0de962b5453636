// grabnik-bridge.exe: runs inside the Wine session beside grabnik.exe and
// presses the hotkeys that the native companion hands it, one hexadecimal
// hotkey code a line on standard input; a line "freeze PATH" hands Grabnik
// the picture PATH to freeze from (core/picture_handover.h) and deletes it.
// Wine hands a hotkey to the program that registered it only for input that
// reaches the Wine session, and a key typed while a native window has the X
// focus never does; input sent from inside the session does, whatever has
// the focus. Ends at the end of input, that is when the companion ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/hotkey_text_logic.h"
#include "core/path_capacity.h"
#include "core/picture_handover.h"

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

// The picture was written for this one hand-over: it goes after it,
// whether Grabnik froze from it or not.
void handOverPicture(const char* path) {
    const HWND overlay = FindWindowA(OverlayClassName, nullptr);
    COPYDATASTRUCT data = {PictureHandoverTag, DWORD(std::strlen(path) + 1),
                           const_cast<char*>(path)};  // only read
    DWORD_PTR frozen = FALSE;
    // The overlay's thread may be busy a while (a save), never for ever.
    if (!overlay ||
        !SendMessageTimeoutA(overlay, WM_COPYDATA, 0, LPARAM(&data), SMTO_NORMAL, 10000, &frozen))
        frozen = FALSE;
    if (!frozen)
        std::fprintf(stderr,
                     "grabnik-bridge: Grabnik did not freeze from the picture %s; "
                     "nothing is frozen.\n",
                     path);
    DeleteFileA(path);
}

void onLine(const char* line) {
    constexpr char Freeze[] = "freeze ";
    if (std::strncmp(line, Freeze, sizeof Freeze - 1) == 0) {
        handOverPicture(line + sizeof Freeze - 1);
        return;
    }
    const HotkeyCode code = HotkeyCode(std::strtoul(line, nullptr, 16));
    if (hotkeyKey(code) != 0) pressHotkey(code);
}

}  // namespace

int main() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char line[PathCapacity + 16];
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
            onLine(line);
        }
        length = 0;
    }
    return 0;
}
