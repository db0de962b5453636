// The two hotkeys grabbed on the X root window: every press of either, in
// whatever application has the focus, comes to the companion instead.
#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "core/hotkey_text_logic.h"
#include "x_hotkey.h"

struct RootGrab {
    const char* name;               // "selection" or "file", for messages
    HotkeyCode code;                // 0 while the hotkey is not known, or released
    std::vector<KeyCode> keycodes;  // grabbed: the keys that type its key now
    unsigned mask;
};

struct RootGrabs {
    Display* display;
    int keyboardEvent;  // the X keyboard extension's event type
    XModifierRoles roles;
    RootGrab selection;
    RootGrab file;
};

// Asks for the keyboard events after which the keys of a hotkey may move:
// another layout or mapping, another active layout group.
void watchKeyboard(RootGrabs& grabs);

// Whether this event is one of those.
bool isKeyboardChange(const RootGrabs& grabs, XEvent& event);

// Grabs each known hotkey, with every lock variant, on the keys that type
// its key in the active layout group; a hotkey whose keys and modifiers are
// unchanged keeps its grabs, the others give theirs back first. Says on
// stderr which hotkey cannot be grabbed, and why.
void grabHotkeys(RootGrabs& grabs);

// The grabbed hotkey a key press on the root window belongs to, or null.
const RootGrab* grabOfPress(const RootGrabs& grabs, const XKeyEvent& press);
