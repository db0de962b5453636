#include "x_grabs.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <cstdio>
#include <memory>

#include "key_groups.h"

#include "x_refusal.h"

namespace {

// The modifier bit whose keys include one of these keysyms, or `fallback`.
unsigned modifierWithKey(Display* display, const XModifierKeymap* map,
                         std::initializer_list<KeySym> keysyms, unsigned fallback) {
    for (int modifier = Mod1MapIndex; modifier <= Mod5MapIndex; ++modifier) {
        for (int i = 0; i < map->max_keypermod; ++i) {
            const KeyCode keycode = map->modifiermap[modifier * map->max_keypermod + i];
            if (keycode == 0) continue;
            const KeySym keysym = XkbKeycodeToKeysym(display, keycode, 0, 0);
            for (KeySym wanted : keysyms)
                if (keysym == wanted) return 1u << modifier;
        }
    }
    return fallback;
}

XModifierRoles readModifierRoles(Display* display) {
    XModifierKeymap* map = XGetModifierMapping(display);
    const XModifierRoles roles = {
        modifierWithKey(display, map, {XK_Alt_L, XK_Alt_R, XK_Meta_L}, Mod1Mask),
        modifierWithKey(display, map, {XK_Super_L, XK_Super_R}, Mod4Mask),
        modifierWithKey(display, map, {XK_Num_Lock}, 0)};
    XFreeModifiermap(map);
    return roles;
}

struct FreeKeyboard {
    void operator()(XkbDescPtr keyboard) const { XkbFreeKeyboard(keyboard, 0, True); }
};

// The server's keyboard mapping now, every group of every key. Empty
// without the X keyboard extension, which every X server of this century
// has.
KeyboardMapping readKeyboardMapping(Display* display) {
    const std::unique_ptr<XkbDescRec, FreeKeyboard> keyboard(
        XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd));
    KeyboardMapping mapping = {0, {}};
    if (!keyboard) return mapping;
    mapping.minKeycode = keyboard->min_key_code;
    for (int keycode = keyboard->min_key_code; keycode <= keyboard->max_key_code; ++keycode) {
        const KeySym* keysyms = XkbKeySymsPtr(keyboard.get(), keycode);
        mapping.keys.push_back({XkbKeyGroupInfo(keyboard.get(), keycode),
                                unsigned(XkbKeyGroupsWidth(keyboard.get(), keycode)),
                                {keysyms, keysyms + XkbKeyNumSyms(keyboard.get(), keycode)}});
    }
    return mapping;
}

unsigned activeGroup(Display* display) {
    XkbStateRec state = {};
    XkbGetState(display, XkbUseCoreKbd, &state);
    return state.group;
}

// Each key on its own, so that a key another program holds does not cost
// the hotkey its other keys.
void grabKeys(Display* display, const RootGrab& grab, const XModifierRoles& roles) {
    if (grab.code == 0) return;
    if (grab.keycodes.empty()) {
        std::fprintf(stderr,
                     "grabnik-companion: the X keyboard has no key for the %s hotkey; it works "
                     "only while a Grabnik window has the keyboard.\n",
                     grab.name);
        return;
    }
    const Window root = DefaultRootWindow(display);
    bool anyRefused = false;
    for (KeyCode keycode : grab.keycodes) {
        const bool refused = refusesAccess(display, [&] {
            for (unsigned mask : lockVariants(grab.mask, roles))
                XGrabKey(display, keycode, mask, root, False, GrabModeAsync, GrabModeAsync);
        });
        if (!refused) continue;
        // Another program holds it: give back the variants that were granted.
        for (unsigned mask : lockVariants(grab.mask, roles))
            XUngrabKey(display, keycode, mask, root);
        anyRefused = true;
    }
    if (anyRefused)
        std::fprintf(stderr,
                     "grabnik-companion: another X program holds the %s hotkey; it works only "
                     "while a Grabnik window has the keyboard.\n",
                     grab.name);
}

// Giving back a grab that another program holds changes nothing.
void ungrabKeys(Display* display, const RootGrab& grab, const XModifierRoles& roles) {
    for (KeyCode keycode : grab.keycodes)
        for (unsigned mask : lockVariants(grab.mask, roles))
            XUngrabKey(display, keycode, mask, DefaultRootWindow(display));
}

}  // namespace

void watchKeyboard(RootGrabs& grabs) {
    int error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(grabs.display, nullptr, &grabs.keyboardEvent, &error, &major, &minor)) {
        grabs.keyboardEvent = -1;
        return;
    }
    // Xlib delivers no core MappingNotify for a new layout: these instead.
    const unsigned long changes = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    XkbSelectEvents(grabs.display, XkbUseCoreKbd, changes, changes);
    XkbSelectEventDetails(grabs.display, XkbUseCoreKbd, XkbStateNotify, XkbGroupStateMask,
                          XkbGroupStateMask);
}

bool isKeyboardChange(const RootGrabs& grabs, XEvent& event) {
    if (event.type != grabs.keyboardEvent) return false;
    auto& keyboardEvent = reinterpret_cast<XkbEvent&>(event);
    // Xlib's own copy of the mapping, which the modifier roles are read from.
    if (keyboardEvent.any.xkb_type == XkbMapNotify) XkbRefreshKeyboardMapping(&keyboardEvent.map);
    return true;
}

void grabHotkeys(RootGrabs& grabs) {
    const XModifierRoles roles = readModifierRoles(grabs.display);
    const KeyboardMapping mapping = readKeyboardMapping(grabs.display);
    const unsigned group = activeGroup(grabs.display);
    const bool rolesChanged = roles.alt != grabs.roles.alt || roles.super != grabs.roles.super ||
                              roles.numLock != grabs.roles.numLock;
    for (RootGrab* grab : {&grabs.selection, &grabs.file}) {
        std::vector<KeyCode> keycodes;
        if (grab->code != 0)
            for (unsigned keycode :
                 keycodesTyping(mapping, keysymForVirtualKey(hotkeyKey(grab->code)), group))
                keycodes.push_back(KeyCode(keycode));
        const unsigned mask = xModifierMask(hotkeyModifiers(grab->code), roles);
        if (!rolesChanged && keycodes == grab->keycodes && mask == grab->mask) continue;
        ungrabKeys(grabs.display, *grab, grabs.roles);
        grab->keycodes = keycodes;
        grab->mask = mask;
        grabKeys(grabs.display, *grab, roles);
    }
    grabs.roles = roles;
    XSync(grabs.display, False);
}

const RootGrab* grabOfPress(const RootGrabs& grabs, const XKeyEvent& press) {
    const unsigned state = withoutLocks(press.state, grabs.roles);
    for (const RootGrab* grab : {&grabs.selection, &grabs.file}) {
        if (grab->code == 0 || grab->mask != state) continue;
        for (KeyCode keycode : grab->keycodes)
            if (keycode == press.keycode) return grab;
    }
    return nullptr;
}
