#!/usr/bin/env python3
"""Checks that the source folders stay floors: each file includes and calls
only its own folder and the folders below it, no files call each other in a
loop, and core/ includes no Windows header.

    check-floors.py [--root DIR] [--objects DIR] [--nm NM]

The includes are read from the sources under --root; the calls from the
defined and undefined symbols of the object files under --objects (the
Windows tree's, which holds every floor). Prints each fault and exits 1 when
there is any."""

import argparse
import os
import re
import subprocess
import sys

# From the ground up. A folder may lean on those before it, never on those
# after it; resources/ holds only plain ids that any floor may include.
FLOORS = ["core", "shell", "editing", "disk_browser", "emulator", "user_menus", "preferences", "app"]
ANYWHERE = {"resources/resource.h"}
# The Windows headers, which core/ never includes.
WINDOWS_HEADER = re.compile(r"(windows|win[a-z0-9]*|commctrl|commdlg|richedit|richole|shellapi|shlobj|shlwapi|tom|"
                            r"ole2|objbase|olectl|mmsystem)\.h", re.I)

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def floor_of(path):
    top = path.split("/", 1)[0]
    return FLOORS.index(top) if top in FLOORS else None


def source_files(root):
    for floor in FLOORS:
        for folder, _, names in os.walk(os.path.join(root, floor)):
            for name in sorted(names):
                if name.endswith((".cpp", ".h")):
                    yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def include_faults(root):
    faults = []
    for path in source_files(root):
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            text = f.read()
        here = floor_of(path)
        for bracket, target in INCLUDE.findall(text):
            if bracket == "<":
                if FLOORS[here] == "core" and WINDOWS_HEADER.fullmatch(target):
                    faults.append(f"{path}: core includes the Windows header <{target}>")
                continue
            if target in ANYWHERE:
                continue
            there = floor_of(target)
            if there is None:
                faults.append(f"{path}: includes \"{target}\", which is in no floor")
            elif there > here:
                faults.append(f"{path}: includes \"{target}\" from the floor above ({FLOORS[there]}/)")
    return faults


def object_files(objects, root):
    for folder, _, names in os.walk(objects):
        for name in sorted(names):
            if name.endswith((".obj", ".o")):
                full = os.path.join(folder, name)
                # CMake names an object after its source: .../<floor>/<file>.cpp.obj
                rel = full.replace(os.sep, "/")
                for floor in FLOORS:
                    marker = f"/{floor}/"
                    if marker in rel:
                        source = floor + "/" + rel.split(marker, 1)[1]
                        source = re.sub(r"\.(obj|o)$", "", source)
                        if os.path.exists(os.path.join(root, source)):  # not an old file's leftover
                            yield source, full
                        break


def symbols(nm, path):
    out = subprocess.run([nm, "--defined-only", path], capture_output=True, text=True, check=True).stdout
    defined = {line.split()[-1] for line in out.splitlines()
               if len(line.split()) >= 3 and line.split()[1] in "TDBRG"}
    out = subprocess.run([nm, "--undefined-only", path], capture_output=True, text=True, check=True).stdout
    undefined = {line.split()[-1] for line in out.splitlines() if line.strip()}
    return defined, undefined


def call_faults(objects, root, nm):
    files = dict(object_files(objects, root))
    defined, undefined = {}, {}
    for source, path in files.items():
        defined[source], undefined[source] = symbols(nm, path)
    owner = {}
    for source, names in defined.items():
        for name in names:
            owner.setdefault(name, set()).add(source)
    calls = {source: set() for source in files}
    for source, names in undefined.items():
        for name in names:
            for target in owner.get(name, ()):
                if target != source and len(owner[name]) == 1:
                    calls[source].add(target)

    faults = []
    for source in sorted(calls):
        for target in sorted(calls[source]):
            if floor_of(target) > floor_of(source):
                faults.append(f"{source}: calls {target} on the floor above")
    for loop in loops(calls):
        faults.append("these files call each other in a loop: " + ", ".join(sorted(loop)))
    return faults


def loops(graph):
    """The strongly connected components of more than one file (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for next_node in graph[node]:
            if next_node not in index:
                visit(next_node)
                low[node] = min(low[node], low[next_node])
            elif next_node in on_stack:
                low[node] = min(low[node], index[next_node])
        if low[node] == index[node]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == node:
                    break
            if len(component) > 1:
                found.append(component)

    sys.setrecursionlimit(10000)
    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    parser.add_argument("--objects", help="a build tree whose object files to read the calls from")
    parser.add_argument("--nm", default="x86_64-w64-mingw32-nm")
    args = parser.parse_args()

    faults = include_faults(args.root)
    if args.objects:
        faults += call_faults(args.objects, args.root, args.nm)
    for fault in faults:
        print(fault)
    print(f"floors: {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
