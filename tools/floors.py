#!/usr/bin/env python3
"""Tells which includes of the program's sources run to a floor they may not.

    tools/floors.py [ROOT]

The program's folders stand on floors: platform/ at the bottom, the shared
words of core/ above it, the subsystems bars/, sweep/ and options/ above those,
and app/ on top. res/ holds the resource ids anyone may read. A file may
include its own folder and the folders below its floor; the subsystems never
include each other. A file whose name does not end in _win32 holds rules that
need no window system: it may include only such files too.

Prints a line for each include that breaks a rule and exits 1 when there is
one; exits 2 when ROOT holds none of the folders, since then nothing was
checked. ROOT is the repository, the folder above tools/ by default.
"""
import os
import re
import sys

# The folders each folder's files may include, besides their own.
MAY_INCLUDE = {
    "platform": set(),
    "res": set(),
    "core": {"platform"},
    "bars": {"core", "platform", "res"},
    "sweep": {"core", "platform", "res"},
    "options": {"core", "platform", "res"},
    "app": {"bars", "sweep", "options", "core", "platform", "res"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE = re.compile(r".*\.(h|cpp)$")


def is_pure(path):
    """Whether a file's name says it needs no window system."""
    stem = os.path.splitext(os.path.basename(path))[0]
    return not stem.endswith("_win32")


def includes(text):
    """The quoted includes of a source text, with their line numbers."""
    return [(number, match.group(1)) for number, line in enumerate(text.splitlines(), 1)
            if (match := INCLUDE.match(line))]


def problems(path, text):
    """What breaks the rules in one file, path relative to the repository."""
    folder = path.split("/")[0]
    found = []
    for number, included in includes(text):
        target = os.path.normpath(os.path.join(os.path.dirname(path), included)).replace(os.sep, "/")
        target_folder = target.split("/")[0]
        if target_folder not in MAY_INCLUDE:
            found.append(f"{path}:{number}: includes {included}, which is not one of the program's folders")
        elif target_folder != folder and target_folder not in MAY_INCLUDE[folder]:
            found.append(f"{path}:{number}: includes {target} from {folder}/, which may not include {target_folder}/")
        elif is_pure(path) and not is_pure(target):
            found.append(f"{path}:{number}: includes {target}, which needs the window system, from rules that do not")
    return found


def check(root):
    """Every problem of the sources under root, and how many files were read."""
    found = []
    read = 0
    for folder in sorted(MAY_INCLUDE):
        for directory, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not SOURCE.match(name):
                    continue
                full = os.path.join(directory, name)
                path = os.path.relpath(full, root).replace(os.sep, "/")
                with open(full, encoding="utf-8") as source:
                    found.extend(problems(path, source.read()))
                read += 1
    return found, read


def main(argv):
    root = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    found, read = check(root)
    if read == 0:
        print(f"floors: no source file under {root}")
        return 2
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
