#!/usr/bin/python3
"""What a screen reader sees of the game, through AT-SPI (python3-gi, Atspi 2.0).

  atspi.py listen FILE   writes one line per event until killed:
                         seconds (monotonic), event type, role, name, text
                         (inserted text for text-changed:insert)
  atspi.py tree NAME     prints the accessible tree of the application's frame
                         or dialog whose name contains NAME: role, name,
                         description

Debian's own python3 (/usr/bin/python3) has the gi bindings.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

EVENTS = ["focus:", "object:state-changed:focused", "object:text-changed:insert"]


def clean(text):
    return (text or "").replace("\t", " ").replace("\r", "\\r").replace("\n", "\\n")


def listen(path):
    out = open(path, "a", buffering=1, encoding="utf-8")

    def on_event(event):
        if event.type.startswith("object:state-changed") and not event.detail1:
            return  # focus lost
        try:
            role = event.source.get_role_name()
            name = event.source.get_name()
        except Exception:  # the object may be gone already
            role, name = "?", "?"
        text = event.any_data if event.type.startswith("object:text-changed") else ""
        out.write(f"{time.monotonic():.3f}\t{event.type}\t{role}\t{clean(name)}\t{clean(text)}\n")

    listener = Atspi.EventListener.new(on_event)
    for kind in EVENTS:
        listener.register(kind)
    print("listening", flush=True)
    Atspi.event_main()


def tree(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None:
            continue
        found = find(app, name, 0)
        if found is not None:
            dump(found, 0)
            return 0
    print(f"no accessible named like '{name}'", file=sys.stderr)
    return 1


def find(node, name, depth):
    if depth > 8 or node is None:
        return None
    if name in (node.get_name() or "") and node.get_role_name() in ("frame", "window", "internal frame", "dialog"):
        return node
    for i in range(node.get_child_count()):
        found = find(node.get_child_at_index(i), name, depth + 1)
        if found is not None:
            return found
    return None


def dump(node, depth):
    if node is None:
        return
    description = node.get_description() or ""
    line = f"{'  ' * depth}[{node.get_role_name()}] \"{node.get_name() or ''}\""
    if description:
        line += f" — {description}"
    print(line)
    for i in range(node.get_child_count()):
        dump(node.get_child_at_index(i), depth + 1)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "listen":
        listen(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == "tree":
        sys.exit(tree(sys.argv[2]))
    else:
        sys.exit(__doc__)
