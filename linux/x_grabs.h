// The two hotkeys grabbed on the X root window: every press of either, in
// whatever application has the focus, comes to the companion instead.
#pragma once

#include <X11/Xlib.h>

#include "core/hotkey_text_logic.h"
#include "x_hotkey.h"

struct RootGrab {
    const char* name;  // "selection" or "file", for messages
    HotkeyCode code;   // 0 while the hotkey is not known
    KeyCode keycode;   // 0 while not grabbed
    unsigned mask;
};

struct RootGrabs {
    Display* display;
    XModifierRoles roles;
    RootGrab selection;
    RootGrab file;
};

// Reads the display's modifier roles and grabs both known hotkeys with
// every lock variant; says on stderr which one cannot be grabbed, and why.
void grabHotkeys(RootGrabs& grabs);

// Releases every grab made; the keyboard mapping may have changed since.
void ungrabHotkeys(RootGrabs& grabs);

// The grabbed hotkey a key press on the root window belongs to, or null.
const RootGrab* grabOfPress(const RootGrabs& grabs, const XKeyEvent& press);
