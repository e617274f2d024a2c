#!/usr/bin/env python3
"""Finds source files that call each other in a loop, or folders that include
each other's headers.

Usage: scripts/call-cycles.py [--graph] [--module TARGET]... BUILD_FOLDER [PATH_PART...]
       scripts/call-cycles.py --folders [--graph] ROOT

Reads BUILD_FOLDER/compile_commands.json, takes the object files of the
sources whose path holds one of the PATH_PARTs (all of them when none is
given), and links each object to the objects that define the symbols it
uses (nm). A --module TARGET (a module opened at run time) is a world of its
own: its objects and the program's are not linked to each other even where
names match. Prints every loop of files and exits 1 when there is one;
--graph also prints the whole graph.

With --folders, reads the sources under ROOT instead: an #include "a/b.h"
names ROOT/a/b.h (or the header beside the including file), and the folder
of the including file then uses the folder of the header. Prints every loop
of folders (a folder including a header of a folder that includes it back)
and exits 1 when there is one.
"""
import collections
import json
import os
import re
import subprocess
import sys


def symbols(obj, *args):
    out = subprocess.run(["nm", "-C", *args, obj], capture_output=True, text=True, check=True)
    return out.stdout.splitlines()


def strongly_connected(nodes, graph):
    """The components of more than one node (Tarjan, iteratively)."""
    index, low, stack, on_stack, components = {}, {}, [], set(), []
    counter = 0
    for root in nodes:
        if root in index:
            continue
        work = [(root, iter(sorted(graph[root])))]
        index[root] = low[root] = counter
        counter += 1
        stack.append(root)
        on_stack.add(root)
        while work:
            node, successors = work[-1]
            advanced = False
            for succ in successors:
                if succ not in index:
                    index[succ] = low[succ] = counter
                    counter += 1
                    stack.append(succ)
                    on_stack.add(succ)
                    work.append((succ, iter(sorted(graph[succ]))))
                    advanced = True
                    break
                if succ in on_stack:
                    low[node] = min(low[node], index[succ])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    components.append(component)
    return components


def folder_loops(root, show_graph):
    include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
    graph = collections.defaultdict(set)
    folders = set()
    for directory, _, files in os.walk(root):
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(directory, name)
            folder = os.path.relpath(directory, root)
            folders.add(folder)
            for header in include.findall(open(path, encoding="utf-8").read()):
                for candidate in (os.path.join(directory, header), os.path.join(root, header)):
                    if os.path.exists(candidate):
                        target = os.path.relpath(os.path.dirname(candidate), root)
                        if target != folder:
                            graph[folder].add(target)
                        break
    if show_graph:
        for folder in sorted(graph):
            print(folder, "->", ", ".join(sorted(graph[folder])))
    loops = strongly_connected(sorted(folders), graph)
    for loop in loops:
        print("folders including each other:", " <-> ".join(sorted(loop)))
    print(f"{len(folders)} folders, {len(loops)} loop(s)")
    return 1 if loops else 0


def main():
    args, show_graph, by_folder = [], False, False
    argv = sys.argv[1:]
    while argv:
        arg = argv.pop(0)
        if arg == "--graph":
            show_graph = True
        elif arg == "--folders":
            by_folder = True
        elif arg == "--module" and argv:
            MODULE_TARGETS.add(argv.pop(0))
        else:
            args.append(arg)
    if not args:
        print(__doc__)
        return 2
    if by_folder:
        return folder_loops(args[0], show_graph)
    build, parts = args[0], args[1:]
    commands = json.load(open(os.path.join(build, "compile_commands.json")))
    objects = []
    for command in commands:
        if parts and not any(part in command["file"] for part in parts):
            continue
        match = re.search(r" -o (\S+)", command["command"])
        if match:
            obj = os.path.join(command["directory"], match.group(1))
            if os.path.exists(obj):
                objects.append(obj)
    defined = collections.defaultdict(set)
    for obj in objects:
        for line in symbols(obj, "--defined-only", "-g"):
            fields = line.split(" ", 2)
            if len(fields) == 3 and fields[1] in "TDBRVW":
                defined[fields[2]].add(obj)
    graph = collections.defaultdict(set)
    for obj in objects:
        for line in symbols(obj, "-u"):
            name = line.strip()[2:].strip()
            for other in defined.get(name, ()):
                if other != obj and unit_of(other) == unit_of(obj):
                    graph[obj].add(other)

    def short(obj):
        return re.sub(r"\.o(bj)?$", "", obj.split(".dir/")[-1])

    loops = [sorted(short(m) for m in component)
             for component in strongly_connected(objects, graph)]
    if show_graph:
        for obj in sorted(graph, key=short):
            print(short(obj), "->", ", ".join(sorted(short(o) for o in graph[obj])))
    for loop in loops:
        print("files calling each other in a loop:", " <-> ".join(loop))
    print(f"{len(objects)} object files, {len(loops)} loop(s)")
    return 1 if loops else 0


def unit_of(obj):
    target = os.path.basename(obj.split(".dir/")[0])
    return target if target in MODULE_TARGETS else "program"


MODULE_TARGETS = set()

if __name__ == "__main__":
    sys.exit(main())
