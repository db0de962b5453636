#!/usr/bin/python3
"""A stand-in for the desktop's screenshot portal, for the companion's portal
client tests. Run inside `dbus-run-session --config-file bus.conf`: prints the
private bus's address once it owns the portal's name, answers every
Screenshot call as told, and ends when its standard input ends.

    fake_portal.py picture URI     answers 0 with the URI
    fake_portal.py refuse CODE     answers CODE (1 cancelled, 2 refused)
    fake_portal.py silent          never answers, as while the user is asked
    fake_portal.py absent          does not take the portal's name
"""
import os
import sys

import dbus
import dbus.lowlevel
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

mode, argument = sys.argv[1], (sys.argv[2] if len(sys.argv) > 2 else "")
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()


def respond(path):
    response = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
    code = 0 if mode == "picture" else int(argument)
    results = {"uri": argument} if mode == "picture" else {}
    response.append(dbus.UInt32(code), dbus.Dictionary(results, signature="sv"),
                    signature="ua{sv}")
    bus.send_message(response)
    return False


class Portal(dbus.service.Object):
    @dbus.service.method("org.freedesktop.portal.Screenshot", in_signature="sa{sv}",
                         out_signature="o", sender_keyword="sender")
    def Screenshot(self, parent_window, options, sender):
        path = "/org/freedesktop/portal/desktop/request/%s/%s" % (
            sender[1:].replace(".", "_"), options["handle_token"])
        if mode != "silent" and not options["interactive"]:
            GLib.idle_add(respond, path)
        return dbus.ObjectPath(path)


if mode != "absent":
    name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
    Portal(bus, "/org/freedesktop/portal/desktop")
print(os.environ["DBUS_SESSION_BUS_ADDRESS"], flush=True)
loop = GLib.MainLoop()
GLib.io_add_watch(sys.stdin.fileno(), GLib.IO_IN | GLib.IO_HUP, lambda *_: loop.quit())
loop.run()
