#!/usr/bin/env python3
"""Checks that the core's includes point only down its layers.

    check_layers.py REPO [--graph]

The layer order is the numbered list under "### Layers of the core" in
REPO/CONTRIBUTING.md, bottom first. A file in a folder of src/core may
include its own folder, the folders listed before it and the files directly
in src/core; those files include only each other. An include that points to
a later folder, to a folder the list does not name, or out of the core
(src/app, src/cli) is reported and the check fails. A strict order leaves
no room for a circle: every circle has an include that points up.

With --graph the folder graph is printed instead: each folder, the folders
it includes and how many includes point there.
"""
import collections
import os
import re
import sys

HEADING = '### Layers of the core'
LAYER = re.compile(r'^\d+\.\s+`([a-z0-9_]+)/`')
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
ROOT = '(src/core)'


def layer_order(repo):
    with open(os.path.join(repo, 'CONTRIBUTING.md'), encoding='utf-8') as file:
        lines = file.read().split('\n')
    start = lines.index(HEADING)
    order = []
    for line in lines[start + 1:]:
        if line.startswith('#'):
            break
        match = LAYER.match(line)
        if match:
            order.append(match.group(1))
    return order


def resolve(repo, including, name):
    # As the compiler finds it: beside the including file, then the include
    # roots (src/ for rooted names, the older roots for unrooted ones).
    bases = [os.path.dirname(including)]
    bases += [os.path.join(repo, 'src', root) for root in ('', 'core', 'app', 'cli')]
    for base in bases:
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(candidate):
            return candidate
    return None


def includes(repo):
    """(including file, line number, target) for every include in the core
    that finds a file of the repository."""
    core = os.path.join(repo, 'src', 'core')
    for folder, subfolders, files in os.walk(core):
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


def place(repo, path):
    """The core folder a file lies in, ROOT for the files directly in
    src/core, None outside the core."""
    relative = os.path.relpath(path, os.path.join(repo, 'src', 'core'))
    if relative.startswith('..'):
        return None
    parts = relative.split(os.sep)
    return parts[0] if len(parts) > 1 else ROOT


def faults(repo, order):
    rank = {folder: index for index, folder in enumerate(order)}
    found = []
    core = os.path.join(repo, 'src', 'core')
    present = {d for d in os.listdir(core) if os.path.isdir(os.path.join(core, d))}
    for folder in sorted(present - set(order)):
        found.append(f'src/core/{folder}/ is not in the layer list of CONTRIBUTING.md')
    for folder in sorted(set(order) - present):
        found.append(f'the layer list names {folder}/, which src/core does not have')
    for path, number, target in includes(repo):
        source, goal = place(repo, path), place(repo, target)
        where = f'{os.path.relpath(path, repo)}:{number}'
        shown = os.path.relpath(target, repo)
        if goal is None:
            found.append(f'{where}: the core includes {shown}, outside the core')
        elif goal == source or goal == ROOT:
            continue
        elif source == ROOT:
            found.append(f'{where}: a file directly in src/core includes {shown}')
        elif source in rank and goal in rank and rank[goal] > rank[source]:
            found.append(f'{where}: {source}/ includes {shown}, which lies above it')
    return found


def graph(repo):
    edges = collections.defaultdict(collections.Counter)
    for path, _, target in includes(repo):
        source, goal = place(repo, path), place(repo, target) or 'outside the core'
        if goal != source:
            edges[source][goal] += 1
    return edges


def main(arguments):
    repo = os.path.abspath(arguments[0])
    order = layer_order(repo)
    if '--graph' in arguments:
        edges = graph(repo)
        for folder in [ROOT] + order + sorted(set(edges) - set(order) - {ROOT}):
            targets = ', '.join(f'{goal} ({count})' for goal, count in sorted(
                edges[folder].items(), key=lambda item: order.index(item[0]) if item[0] in order else -1))
            print(f'{folder} -> {targets or "nothing"}')
        return 0
    found = faults(repo, order)
    print('\n'.join(found) if found else 'layers: ' + ' < '.join(order))
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
