#!/usr/bin/env python3
"""The layer check refuses what it should: in a small tree of layer folders,
an include of a lower layer passes, and each include planted up a layer
(core including textio, textio including commands, commands including cli,
the window including cli, a core test including commands) is named and makes
the check fail."""
import pathlib
import subprocess
import sys
import tempfile

check = sys.argv[1]


def run(root):
    done = subprocess.run([sys.executable, check, str(root)], capture_output=True, text=True)
    return done.returncode, done.stdout


def tree(root, files):
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)


sound = {
    "src/core/scalar.h": '#include <vector>\n#include "core/errors.h"\n',
    "src/textio/reader.cpp": '#include "textio/reader.h"\n#include "core/scalar.h"\n',
    "src/commands/frame.cpp": '#include "textio/reader.h"\n#include "linalg/solve.h"\n',
    "src/ui/window.cpp": '#include "files/project.h"\n#include "commands/frame.h"\n',
    "tests/commands/frame_test.cpp": '#include "command_test_util.h"\n#include "core/mat_test_util.h"\n',
    "programs/cli_main.cpp": '#include "cli/steps.h"\n',
}
planted = {
    "src/core/scalar.cpp": '#include "textio/reader.h"\n',
    "src/textio/reader.cpp": '#include "commands/frame.h"\n',
    "src/commands/frame.cpp": '#include "cli/steps.h"\n',
    "src/ui/window.cpp": '#include "cli/steps.h"\n',
    "tests/core/scalar_test.cpp": '#include "commands/frame.h"\n',
    "src/linalg/solve.cpp": '#include "textio/reader.h"\n',
}

failures = []
with tempfile.TemporaryDirectory() as d:
    root = pathlib.Path(d) / "sound"
    tree(root, sound)
    code, out = run(root)
    if code != 0:
        failures.append(f"a sound tree is refused:\n{out}")
    for name, text in planted.items():
        root = pathlib.Path(d) / name.replace("/", "_")
        tree(root, sound)
        tree(root, {name: text})
        code, out = run(root)
        if code == 0 or name not in out:
            failures.append(f"{name} including {text.strip()} passes (exit {code}):\n{out}")
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
