#!/usr/bin/env python3
"""Checks that every include in src/ runs down the layer order:

    app > browse, sound, maps_pictures, tools > widgets > data > common > platform

A folder includes itself and the folders below it. The four window subsystems
stand on one level and never include each other: they meet through callbacks
or interfaces of a lower layer, wired together in app/.

Usage: check_layers.py SRC_FOLDER         exit code 1 with one line per offence
       check_layers.py --graph SRC_FOLDER  the includes between folders, counted
"""

import collections
import pathlib
import re
import sys

LAYERS = {
    "platform": 0,
    "common": 1,
    "data": 2,
    "widgets": 3,
    "browse": 4,
    "sound": 4,
    "maps_pictures": 4,
    "tools": 4,
    "app": 5,
}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def folder_of(source, root):
    parts = source.relative_to(root).parts
    return parts[0] if len(parts) > 1 else None


def includes(root):
    """(file, line number, including folder, included folder, include text)."""
    for source in sorted(root.rglob("*")):
        if source.suffix not in (".h", ".cpp") or not source.is_file():
            continue
        folder = folder_of(source, root)
        text = source.read_text(encoding="latin-1")
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or "/" not in match.group(1):
                continue
            target = match.group(1).split("/")[0]
            if target in LAYERS or (root / target).is_dir():
                yield source, number, folder, target, match.group(1)


def offences(root):
    found = []
    for source, number, folder, target, included in includes(root):
        where = f"{source}:{number}: "
        if folder not in LAYERS:
            found.append(where + f'"{folder}" is no layer; give it a place in the order')
        elif target not in LAYERS:
            found.append(where + f'includes "{included}" from "{target}", which is no layer')
        elif target != folder and LAYERS[target] >= LAYERS[folder]:
            level = "on the same level as" if LAYERS[target] == LAYERS[folder] else "above"
            found.append(where + f'includes "{included}": {target} stands {level} {folder}')
    return found


def graph(root):
    counts = collections.Counter(
        (folder, target) for _, _, folder, target, _ in includes(root) if folder != target)
    lines = ["| folder | includes | count |", "|---|---|---|"]
    lines += [f"| {a} | {b} | {n} |" for (a, b), n in sorted(counts.items())]
    return "\n".join(lines)


def main(arguments):
    if len(arguments) == 2 and arguments[0] == "--graph":
        print(graph(pathlib.Path(arguments[1])))
        return 0
    if len(arguments) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    root = pathlib.Path(arguments[0])
    if not root.is_dir():
        print(f"{root}: no such folder", file=sys.stderr)
        return 2
    found = offences(root)
    for offence in found:
        print(offence)
    if found:
        print(f"{len(found)} include(s) against the layer order", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
