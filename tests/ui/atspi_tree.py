#!/usr/bin/env python3
"""What a screen reader finds in the windows of one process, through the accessibility bus.

Usage: atspi_tree.py PID [NAME ACTION]

Prints one JSON object a line for each object that shows: the window it is in, its role, its name and whether it
takes the focus. With NAME and ACTION, first does that action (as a screen reader's command does) on the object
of that name, and prints nothing else.
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


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def walk(node, window):
    for index in range(node.get_child_count()):
        child = node.get_child_at_index(index)
        if child is None or not showing(child):
            continue
        yield child, window
        yield from walk(child, window)


def controls(app):
    for index in range(app.get_child_count()):
        window = app.get_child_at_index(index)
        if window is not None and showing(window):
            yield from walk(window, window.get_name())


def act(app, name, action):
    offered = []
    for node, _ in controls(app):
        if node.get_name() != name:
            continue
        for index in range(node.get_n_actions()):
            offered.append(node.get_action_name(index))
            if offered[-1].lower() == action.lower():
                node.do_action(index)
                return
    sys.exit(f"no {action} action on a control named {name!r}, only {offered}")


def main():
    app = application(int(sys.argv[1]))
    if len(sys.argv) == 4:
        act(app, sys.argv[2], sys.argv[3])
        return
    for node, window in controls(app):
        states = node.get_state_set()
        print(json.dumps({"window": window,
                          "role": node.get_role_name(),
                          "name": node.get_name(),
                          "focusable": states.contains(Atspi.StateType.FOCUSABLE)}))


main()
