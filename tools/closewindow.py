#!/usr/bin/python3
"""Asks the X window titled NAME to close, as its close button does
(a WM_DELETE_WINDOW message). Exits 1 when there is no such window."""
import sys
import time

from Xlib import X, display, protocol


def find(window, name):
    if window.get_wm_name() == name:
        return window
    for child in window.query_tree().children:
        found = find(child, name)
        if found:
            return found
    return None


def main():
    if len(sys.argv) != 2:
        print("usage: closewindow.py NAME", file=sys.stderr)
        return 2
    screen = display.Display()
    window = None
    for _ in range(30):
        window = find(screen.screen().root, sys.argv[1])
        if window:
            break
        time.sleep(0.1)
    if not window:
        print("no window titled " + sys.argv[1], file=sys.stderr)
        return 1
    protocols = screen.intern_atom("WM_PROTOCOLS")
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                         data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event)
    screen.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main())
