#!/usr/bin/python3
"""Closes an X window as a user would: by sending it WM_DELETE_WINDOW."""
import sys

from Xlib import X, display, protocol

d = display.Display()
w = d.create_resource_object("window", int(sys.argv[1]))
protocols = d.intern_atom("WM_PROTOCOLS")
delete = d.intern_atom("WM_DELETE_WINDOW")
w.send_event(protocol.event.ClientMessage(
    window=w, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
d.flush()
