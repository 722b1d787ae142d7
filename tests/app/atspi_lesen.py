#!/usr/bin/env python3
"""Reads the window state of a running program from outside, through its accessibility tree.

  atspi_lesen.py dump PROGRAM    one JSON object a line for every node: role, name, states,
                                 screen extents, text and the path of names
Exit status 1 when the program is not on the accessibility bus.
"""
import json
import sys

import pyatspi


def anwendung(name):
    desk = pyatspi.Registry.getDesktop(0)
    for i in range(desk.childCount):
        a = desk.getChildAtIndex(i)
        if a is not None and a.name == name:
            return a
    return None


def zustaende(n):
    s = n.getState()
    namen = {pyatspi.STATE_ENABLED: "enabled", pyatspi.STATE_SENSITIVE: "sensitive",
             pyatspi.STATE_VISIBLE: "visible", pyatspi.STATE_SHOWING: "showing",
             pyatspi.STATE_CHECKED: "checked", pyatspi.STATE_ACTIVE: "active",
             pyatspi.STATE_FOCUSED: "focused", pyatspi.STATE_CHECKABLE: "checkable"}
    return [v for k, v in namen.items() if s.contains(k)]


def knoten(n, pfad, aus):
    try:
        e = n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        ausdehnung = [e.x, e.y, e.width, e.height]
    except Exception:
        ausdehnung = None
    text = None
    try:
        t = n.queryText()
        text = t.getText(0, -1)
    except Exception:
        pass
    aus.append({"role": n.getRoleName(), "name": n.name or "", "states": zustaende(n),
                "extents": ausdehnung, "text": text, "path": pfad})
    for i in range(n.childCount):
        c = n.getChildAtIndex(i)
        if c is not None:
            knoten(c, pfad + [c.name or ""], aus)


def main():
    was, programm = sys.argv[1], sys.argv[2]
    a = anwendung(programm)
    if a is None:
        return 1
    if was == "dump":
        aus = []
        knoten(a, [], aus)
        for k in aus:
            print(json.dumps(k))
        return 0
    return 2


sys.exit(main())
