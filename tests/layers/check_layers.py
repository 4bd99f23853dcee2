#!/usr/bin/env python3
"""Checks that the core's and the window's includes point only down their
layers.

    check_layers.py REPO [--graph]

The layer orders are the numbered lists under "### Layers of the core" and
"### Layers of the window" in REPO/CONTRIBUTING.md, bottom first. A file in
a folder of src/core or src/app may include its own folder and the folders
listed before it. The files directly in src/core (UserInterface, Clock, ...)
lie below every core folder and include only each other; the files directly
in src/app (the main window and the program's start) lie above every window
folder and may include any of them. The core never includes src/app or
src/cli; the window may include the core but not src/cli. An include that
points to a later folder, to a folder the list does not name, or out of
where it may go is reported and the check fails. A strict order leaves no
room for a circle: every circle has an include that points up.

With --graph the folder graphs are printed instead: each folder, the
folders it includes and how many includes point there.
"""
import collections
import os
import re
import sys

LAYER = re.compile(r'^\d+\.\s+`([a-z0-9_]+)/`')
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


class Tree:
    def __init__(self, heading, folder, top_files_first, may_include):
        self.heading = heading
        self.folder = folder  # e.g. "src/core"
        self.top_files_first = top_files_first  # the loose files lie below the folders
        self.may_include = may_include  # other trees of src/ it may include
        self.root = f'({folder})'


TREES = [
    Tree('### Layers of the core', 'src/core', True, ()),
    Tree('### Layers of the window', 'src/app', False, ('src/core',)),
]


def layer_order(repo, tree):
    with open(os.path.join(repo, 'CONTRIBUTING.md'), encoding='utf-8') as file:
        lines = file.read().split('\n')
    start = lines.index(tree.heading)
    order = []
    for line in lines[start + 1:]:
        if line.startswith('#'):
            break
        match = LAYER.match(line)
        if match:
            order.append(match.group(1))
    return order


def resolve(repo, including, name):
    # As the compiler finds it: beside the including file, then src/ for
    # rooted names.
    for base in (os.path.dirname(including), os.path.join(repo, 'src')):
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(candidate):
            return candidate
    return None


def includes(repo, tree):
    """(including file, line number, target) for every include in the tree
    that finds a file of the repository."""
    for folder, subfolders, files in os.walk(os.path.join(repo, tree.folder)):
        subfolders.sort()
        for name in sorted(files):
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(folder, name)
            with open(path, encoding='utf-8') as file:
                for number, line in enumerate(file, 1):
                    match = INCLUDE.match(line)
                    target = match and resolve(repo, path, match.group(1))
                    if target:
                        yield path, number, target


def place(repo, tree, path):
    """The tree's folder a file lies in, the tree's root for its loose
    files, None outside the tree."""
    relative = os.path.relpath(path, os.path.join(repo, tree.folder))
    if relative.startswith('..'):
        return None
    parts = relative.split(os.sep)
    return parts[0] if len(parts) > 1 else tree.root


def within(repo, path, folder):
    return not os.path.relpath(path, os.path.join(repo, folder)).startswith('..')


def faults(repo, tree, order):
    rank = {folder: index for index, folder in enumerate(order)}
    found = []
    top = os.path.join(repo, tree.folder)
    present = {d for d in os.listdir(top) if os.path.isdir(os.path.join(top, d))}
    for folder in sorted(present - set(order)):
        found.append(f'{tree.folder}/{folder}/ is not in the list "{tree.heading}"')
    for folder in sorted(set(order) - present):
        found.append(f'the list "{tree.heading}" names {folder}/, which {tree.folder} lacks')
    for path, number, target in includes(repo, tree):
        source, goal = place(repo, tree, path), place(repo, tree, target)
        where = f'{os.path.relpath(path, repo)}:{number}'
        shown = os.path.relpath(target, repo)
        if goal is None:
            if not any(within(repo, target, other) for other in tree.may_include):
                found.append(f'{where}: {tree.folder} includes {shown}, outside where it may')
        elif goal == source:
            continue
        elif tree.top_files_first and goal == tree.root:
            continue
        elif tree.top_files_first and source == tree.root:
            found.append(f'{where}: a file directly in {tree.folder} includes {shown}')
        elif not tree.top_files_first and source == tree.root:
            continue
        elif not tree.top_files_first and goal == tree.root:
            found.append(f'{where}: {source}/ includes {shown}, a file directly in {tree.folder}')
        elif source in rank and goal in rank and rank[goal] > rank[source]:
            found.append(f'{where}: {source}/ includes {shown}, which lies above it')
    return found


def print_graph(repo, tree, order):
    edges = collections.defaultdict(collections.Counter)
    for path, _, target in includes(repo, tree):
        source = place(repo, tree, path)
        goal = place(repo, tree, target) or os.path.relpath(target, os.path.join(repo, 'src')).split(os.sep)[0]
        if goal != source:
            edges[source][goal] += 1
    rank = lambda item: order.index(item[0]) if item[0] in order else -1
    for folder in [tree.root] + order + sorted(set(edges) - set(order) - {tree.root}):
        targets = ', '.join(f'{goal} ({count})' for goal, count in sorted(edges[folder].items(), key=rank))
        print(f'{folder} -> {targets or "nothing"}')


def main(arguments):
    repo = os.path.abspath(arguments[0])
    failed = False
    for tree in TREES:
        order = layer_order(repo, tree)
        if '--graph' in arguments:
            print_graph(repo, tree, order)
            continue
        found = faults(repo, tree, order)
        failed = failed or bool(found)
        print('\n'.join(found) if found else f'{tree.folder}: ' + ' < '.join(order))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
