#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A running program's window as a screen reader finds it on the accessibility
# bus (AT-SPI):
#   accessible-controls.py list PROGRAM WINDOW        a line "role<TAB>name" for
#                                                     each object in the window,
#                                                     the role by its number
#   accessible-controls.py press PROGRAM WINDOW NAME  presses its push button NAME
# Exits with 3 while the program or its window is not on the bus (yet), with 4
# where the window has no such button. The distribution's own Python, as
# pyatspi is a package of the distribution.
import sys

import pyatspi

NOT_THERE, NO_BUTTON = 3, 4


def find_window(program, title):
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.name == program:
            for window in application:
                if window is not None and window.name == title:
                    return window
    return None


def descendants(accessible):
    for child in accessible:
        if child is not None:
            yield child
            yield from descendants(child)


def main(command, program, title, *button):
    window = find_window(program, title)
    if window is None:
        return NOT_THERE
    if command == "list":
        sys.stdout.reconfigure(encoding="utf-8")
        for accessible in descendants(window):
            print(f"{int(accessible.getRole())}\t{accessible.name}")
        return 0
    for accessible in descendants(window):
        if accessible.getRole() == pyatspi.ROLE_PUSH_BUTTON and accessible.name == button[0]:
            accessible.queryAction().doAction(0)
            return 0
    return NO_BUTTON


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
