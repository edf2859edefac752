# Listens to a program as a screen reader does: tells the accessibility bus that a screen reader
# is on, then prints every change of an accessible name or description in the program named on
# the command line, one line each: event, role, name, description (read when the change is
# heard, as a reader reads them).
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Gio, GLib  # noqa: E402
import pyatspi  # noqa: E402

program = sys.argv[1]


def heard(event):
    try:
        if event.host_application is None or event.host_application.name != program:
            return
        source = event.source
        print(f"{event.type}\t{source.getRoleName()}\t{source.name}\t{source.description}",
              flush=True)
    except GLib.Error as error:
        print(f"error\t{error}", flush=True)


bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
              GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled",
                                     GLib.Variant("b", True))),
              None, Gio.DBusCallFlags.NONE, -1, None)
pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-name",
                                       "object:property-change:accessible-description")
print("ready", flush=True)
pyatspi.Registry.start()
