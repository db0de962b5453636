#include "x_grabs.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <cstdio>

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

void grabOne(RootGrabs& grabs, RootGrab& grab) {
    grab.keycode = 0;
    if (grab.code == 0) return;
    const KeySym keysym = keysymForVirtualKey(hotkeyKey(grab.code));
    const KeyCode keycode = keysym ? XKeysymToKeycode(grabs.display, keysym) : 0;
    if (keycode == 0) {
        std::fprintf(stderr,
                     "grabnik-companion: the X keyboard has no key for the %s hotkey; it works "
                     "only while a Grabnik window has the keyboard.\n",
                     grab.name);
        return;
    }
    grab.mask = xModifierMask(hotkeyModifiers(grab.code), grabs.roles);
    const Window root = DefaultRootWindow(grabs.display);
    const bool refused = refusesAccess(grabs.display, [&] {
        for (unsigned mask : lockVariants(grab.mask, grabs.roles))
            XGrabKey(grabs.display, keycode, mask, root, False, GrabModeAsync, GrabModeAsync);
    });
    if (!refused) {
        grab.keycode = keycode;
        return;
    }
    // Another program holds it: give back the variants that were granted.
    for (unsigned mask : lockVariants(grab.mask, grabs.roles))
        XUngrabKey(grabs.display, keycode, mask, root);
    std::fprintf(stderr,
                 "grabnik-companion: another X program holds the %s hotkey; it works only "
                 "while a Grabnik window has the keyboard.\n",
                 grab.name);
}

void ungrabOne(const RootGrabs& grabs, RootGrab& grab) {
    if (grab.keycode == 0) return;
    for (unsigned mask : lockVariants(grab.mask, grabs.roles))
        XUngrabKey(grabs.display, grab.keycode, mask, DefaultRootWindow(grabs.display));
    grab.keycode = 0;
}

}  // namespace

void grabHotkeys(RootGrabs& grabs) {
    grabs.roles = readModifierRoles(grabs.display);
    grabOne(grabs, grabs.selection);
    grabOne(grabs, grabs.file);
}

void ungrabHotkeys(RootGrabs& grabs) {
    ungrabOne(grabs, grabs.selection);
    ungrabOne(grabs, grabs.file);
    XSync(grabs.display, False);
}

const RootGrab* grabOfPress(const RootGrabs& grabs, const XKeyEvent& press) {
    const unsigned state = withoutLocks(press.state, grabs.roles);
    for (const RootGrab* grab : {&grabs.selection, &grabs.file})
        if (grab->keycode != 0 && grab->keycode == press.keycode && grab->mask == state)
            return grab;
    return nullptr;
}
