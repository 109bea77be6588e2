"""Prints what a screen reader reads of the running game over AT-SPI: the table's size, the
names of cells 0 and 9, the focused cell and the status line, one "key value" a line."""
import sys
import time

import pyatspi


def find(node, role, depth=0):
    if node is None or depth > 8:
        return None
    if node.getRole() == role:
        return node
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), role, depth + 1)
        if found:
            return found
    return None


desktop = pyatspi.Registry.getDesktop(0)
for _ in range(100):
    games = [a for a in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
             if a is not None and a.name.lower().startswith("zembro")]
    if games:
        break
    time.sleep(0.1)
else:
    sys.exit("no game on the accessibility bus")
table = find(games[0], pyatspi.ROLE_TABLE)
cells = [table.getChildAtIndex(i) for i in range(table.childCount)]
focused = [c.name for c in cells if c.getState().contains(pyatspi.STATE_FOCUSED)]
selected = [c.name for c in cells if c.getState().contains(pyatspi.STATE_SELECTED)]
status = find(games[0], pyatspi.ROLE_STATUS_BAR)
print("cells", len(cells))
print("rows", table.queryTable().nRows, table.queryTable().nColumns)
print("first", cells[0].name)
print("tenth", cells[9].name)
print("focus", focused[0] if focused else "none")
print("selected", selected[0] if selected else "none")
print("status", status.name if status else "none")
