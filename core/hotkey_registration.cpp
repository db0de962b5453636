#include "hotkey_registration.h"

#include <windows.h>

#include "snip_state.h"

static_assert(HotkeyModAlt == MOD_ALT && HotkeyModControl == MOD_CONTROL &&
                  HotkeyModShift == MOD_SHIFT && HotkeyModWin == MOD_WIN,
              "hotkey codes carry the platform's modifier bits");

bool registerHotkey(int id, HotkeyCode code) {
    return RegisterHotKey(snipState.mainWindow, id, hotkeyModifiers(code), hotkeyKey(code)) != 0;
}

void unregisterHotkeys() {
    UnregisterHotKey(snipState.mainWindow, SelectionHotkey);
    UnregisterHotKey(snipState.mainWindow, FileHotkey);
}
