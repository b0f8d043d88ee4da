#!/usr/bin/env python3
"""Refuses an #include that points up a layer.

The engine is built in layers, each a library that may use only the layers
below it:

    core <- linalg
    core <- textio <- commands <- files <- cli
                      commands, files <- ui

(linalg, the double-precision numerics on LAPACK, stands beside textio:
commands and everything above may use it.) A file under src/LAYER, or a test
under tests/LAYER, may include headers of LAYER itself and of the layers it
may use; an include is named by its first folder ("core/scalar.h"). The two
programs are checked as the front ends they are: quorvix-cli over cli,
quorvix over ui. Includes of the system and of a test's own folder
("command_test_util.h") are not layer headers and pass.

Usage: check-layers.py [ROOT]   (ROOT: the repository, by default the one
this script is in). Prints every upward include and exits 1 when there is one.
"""
import pathlib
import re
import sys

BELOW = {
    "core": set(),
    "linalg": {"core"},
    "textio": {"core"},
    "commands": {"core", "linalg", "textio"},
    "files": {"core", "linalg", "textio", "commands"},
    "cli": {"core", "linalg", "textio", "commands", "files"},
    "ui": {"core", "linalg", "textio", "commands", "files"},
}
# The folders of tests/ that test one layer, and the other test folders as
# the layer whose code they drive.
TEST_LAYER = dict({layer: layer for layer in BELOW}, stress="commands", fuzz="cli")
PROGRAMS = {"cli_main.cpp": "cli", "gui_main.cpp": "ui"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCES = {".cpp", ".h"}


def may_use(layer):
    return BELOW[layer] | {layer}


def layer_of(root, path):
    parts = path.relative_to(root).parts
    if parts[0] == "src" and len(parts) > 2 and parts[1] in BELOW:
        return parts[1]
    if parts[0] == "tests" and len(parts) > 2 and parts[1] in TEST_LAYER:
        return TEST_LAYER[parts[1]]
    if parts[0] == "programs" and parts[-1] in PROGRAMS:
        return PROGRAMS[parts[-1]]
    return None


def check(root):
    faults = []
    for top in ("src", "tests", "programs"):
        for path in sorted((root / top).rglob("*")):
            if path.suffix not in SOURCES or not path.is_file():
                continue
            layer = layer_of(root, path)
            if layer is None:
                continue
            for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                first = m.group(1).split("/")[0]
                if "/" in m.group(1) and first in BELOW and first not in may_use(layer):
                    faults.append(f"{path.relative_to(root)}:{number}: {layer} includes \"{m.group(1)}\", "
                                  f"a header of {first}, which is not below it")
    return faults


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    faults = check(root.resolve())
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) point up a layer")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
