#!/usr/bin/python3
"""Gives a headless mutter's seat a keyboard for as long as this runs: a
remote desktop session, which Wayland clipboard clients (wl-paste) need, as
they read the clipboard through the keyboard's focus. Started and ended with
the headless desktop by scripts/wayland-desktop.sh; prints "ready" once the
session runs."""
import dbus
from gi.repository import GLib
import dbus.mainloop.glib

dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
remote = bus.get_object("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop")
path = remote.CreateSession(dbus_interface="org.gnome.Mutter.RemoteDesktop")
session = bus.get_object("org.gnome.Mutter.RemoteDesktop", path)
session.Start(dbus_interface="org.gnome.Mutter.RemoteDesktop.Session")
# The virtual keyboard is made at its first key: Shift, pressed and released.
for pressed in (True, False):
    session.NotifyKeyboardKeysym(dbus.UInt32(0xFFE1), pressed,
                                 dbus_interface="org.gnome.Mutter.RemoteDesktop.Session")
print("ready", flush=True)
GLib.MainLoop().run()
