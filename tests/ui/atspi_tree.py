#!/usr/bin/env python3
"""What a screen reader finds in the windows of one process, through the accessibility bus.

Usage: atspi_tree.py PID [NAME ACTION]. Prints a JSON line for each object that shows in a window: the window's name,
its role, its name and whether it takes the focus. With NAME and ACTION, does that action (as a screen reader's
command does) on the object of that name instead.
"""
import json
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def application(pid):
    # The program registers with the accessibility bus shortly after it starts.
    for _ in range(100):
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(index)
            if app is not None and app.get_process_id() == pid:
                return app
        time.sleep(0.1)
    sys.exit(f"no application of process {pid} on the accessibility bus")


def controls(node, window=None):
    """Each showing object below the application's windows, with its window's name."""
    for index in range(node.get_child_count()):
        child = node.get_child_at_index(index)
        if child is not None and child.get_state_set().contains(Atspi.StateType.SHOWING):
            if window is not None:
                yield child, window
            yield from controls(child, child.get_name() if window is None else window)


def act(app, name, action):
    for node, _ in controls(app):
        for index in range(node.get_n_actions() if node.get_name() == name else 0):
            if node.get_action_name(index).lower() == action.lower():
                node.do_action(index)
                return
    sys.exit(f"no {action} action on a control named {name!r}")


app = application(int(sys.argv[1]))
if len(sys.argv) == 4:
    act(app, sys.argv[2], sys.argv[3])
else:
    for node, window in controls(app):
        focusable = node.get_state_set().contains(Atspi.StateType.FOCUSABLE)
        print(json.dumps({"window": window, "role": node.get_role_name(), "name": node.get_name(),
                          "focusable": focusable}))
