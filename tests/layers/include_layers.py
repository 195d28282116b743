#!/usr/bin/python3
"""Checks every #include "..." below src/ against the layer table of docs/architecture.md.

The table's first column names a folder of src/ (`store/base/`, `reminder/`), its last column
what the folder's files may include: folders (`app`, `store`), single headers (`app/help.h`),
"<folder> and below" (that folder and what it may use), "everything". A file may always
include its own folder. Window files (all of ui/ and widgets/, elsewhere *_window, *_dialog,
*_ctrl, *_wx, and the help and window modules) are wx code: beside their folder's layers they may use `widgets`; every
other file is core code and may include no wx header. Files directly in src/ (the program's
main) may include anything. Prints each wrong arrow and exits 1 when there is one.
Usage: include_layers.py SOURCE_DIR"""
import os
import re
import sys

WINDOW_NAME = re.compile(r"_(window|dialog|ctrl|wx)\.(cpp|h)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def read_table(doc):
    """{folder: [allowed entries as written]} from the table under "## Layers and folders"."""
    text = open(doc, encoding="utf-8").read()
    section = text.split("## Layers and folders", 1)[1].split("\n## ", 1)[0]
    rules = {}
    for line in section.splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) < 4 or not cells[0].startswith("`"):
            continue
        folder = re.match(r"`([^`]+)`", cells[0]).group(1).rstrip("/")
        rules[folder] = cells[-1]
    return rules


def allowed_sets(rules):
    """{folder: set of folders or headers it may include}."""
    def direct(folder):
        cell = rules[folder]
        if cell.strip() == "everything":
            return {"*"}
        names = set(re.findall(r"`([^`]+)`", cell))
        for below in re.findall(r"`([^`]+)` and below", cell):
            names |= direct(below.rstrip("/"))
        return {n.rstrip("/") for n in names}
    return {folder: direct(folder) for folder in rules}


def folder_of(path, folders):
    """The longest folder of the table that holds `path` (relative to src/), or None."""
    best = None
    for f in folders:
        if path.startswith(f + "/") and (best is None or len(f) > len(best)):
            best = f
    return best


def is_window_file(path):
    return (path.startswith(("ui/", "widgets/", "help_module/", "gui_module/"))
            or WINDOW_NAME.search(path) is not None)


def permits(allowed, target, target_folder):
    if "*" in allowed or target in allowed:
        return True
    return any(target_folder == a or target_folder.startswith(a + "/") for a in allowed)


def main():
    source = sys.argv[1]
    src = os.path.join(source, "src")
    allowed = allowed_sets(read_table(os.path.join(source, "docs", "architecture.md")))
    folders = list(allowed)
    wrong = []
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.relpath(os.path.join(root, name), src)
            own = folder_of(path, folders)
            if "/" not in path:
                continue  # the program's main
            if own is None:
                wrong.append(f"src/{path}: its folder is not in the layer table")
                continue
            window = is_window_file(path)
            text = open(os.path.join(root, name), encoding="utf-8").read()
            for number, (kind, target) in enumerate(INCLUDE.findall(text), 1):
                if kind == "<":
                    if target.startswith("wx/") and not window:
                        wrong.append(f"src/{path}: core code includes <{target}>")
                    continue
                target_folder = folder_of(target, folders)
                if target_folder is None or target_folder == own:
                    continue
                may = allowed[own] | ({"widgets"} if window else set())
                if not permits(may, target, target_folder):
                    kind_of = "window file" if window else "file"
                    wrong.append(f"src/{path}: {kind_of} of {own}/ includes {target}")
    for line in wrong:
        print(line)
    print(f"{len(wrong)} include(s) against the layer table")
    return 1 if wrong else 0


sys.exit(main())
