#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The layering checker against a scratch source tree: the tree as made passes; each planted
include against the rules makes the checker fail, naming the file and line of the plant.
Usage: check_layers_test.py CHECKER"""
import pathlib
import subprocess
import sys
import tempfile

# A small tree that follows every rule, per-system files and a back end included.
CLEAN_TREE = {
    "base/rect.h": '#include <cstdint>\n',
    "base/mapped_file_posix.cpp": '#include "base/rect.h"\n#include <sys/mman.h>\n#include <unistd.h>\n',
    "base/mapped_file_win32.cpp": '#include "base/rect.h"\n#include <windows.h>\n',
    "archive/data_archive.h": '#include "base/rect.h"\n',
    "image/bitmap.h": '#include "base/rect.h"\n',
    "platform/window.h": '#include "base/rect.h"\n#include "image/bitmap.h"\n',
    "platform/sdl/sdl_window.cpp": '#include "platform/window.h"\n#include <SDL.h>\n#include <unistd.h>\n',
    "platform/win32/win32_window.cpp": '#include "platform/window.h"\n#include <windows.h>\n',
    "audio/engine.h": '#include "archive/data_archive.h"\n#include <mpg123.h>\n',
    "ui/page.h": '#include "audio/engine.h"\n#include "page_look.h"\n',
    "ui/page_look.h": '#include "base/rect.h"\n',
    "app/player.h": '#include "ui/page.h"\n#include "platform/window.h"\n',
}

# (what is planted, file, the include line added to it)
PLANTS = [
    ("an include of a layer above", "ui/page.h", '#include "app/player.h"'),
    ("a relative include", "ui/page.h", '#include "../app/player.h"'),
    ("a path through ..", "ui/page.h", '#include "ui/../app/player.h"'),
    ("a path through .", "ui/page.h", '#include "./page_look.h"'),
    ("a project header in angle brackets", "ui/page.h", "#include <app/player.h>"),
    ("a bare name from another folder", "ui/page.h", '#include "player.h"'),
    ("a header found beside the includer", "platform/window.h", '#include "sdl/sdl_window.cpp"'),
    ("<unistd.h> in ui", "ui/page.h", "#include <unistd.h>"),
    ("<sys/mman.h> in app", "app/player.h", "#include <sys/mman.h>"),
    ("<fcntl.h> in base", "base/rect.h", "#include <fcntl.h>"),
    ("<windows.h> in app", "app/player.h", "#include <windows.h>"),
    ("<Windows.h> in ui", "ui/page.h", "#include <Windows.h>"),
    ("<SDL.h> in ui", "ui/page.h", "#include <SDL.h>"),
    ("a POSIX header in a Windows file", "base/mapped_file_win32.cpp", "#include <unistd.h>"),
    ("a Windows header in a POSIX file", "base/mapped_file_posix.cpp", "#include <windows.h>"),
    ("a desktop header in a per-system file", "base/mapped_file_posix.cpp", "#include <X11/Xlib.h>"),
    ("the seam including archive", "platform/window.h", '#include "archive/data_archive.h"'),
    ("the seam including a back end", "platform/window.h", '#include "platform/sdl/sdl_window.cpp"'),
    ("a back end including archive", "platform/sdl/sdl_window.cpp", '#include "archive/data_archive.h"'),
    ("a back end including another", "platform/sdl/sdl_window.cpp", '#include "platform/win32/win32_window.cpp"'),
    ("a back end including app", "platform/sdl/sdl_window.cpp", '#include "app/player.h"'),
    ("a layer including a back end", "app/player.h", '#include "platform/sdl/sdl_window.cpp"'),
]


def run(checker: str, files: dict[str, str]) -> subprocess.CompletedProcess:
    with tempfile.TemporaryDirectory() as scratch:
        root = pathlib.Path(scratch) / "src"
        for name, text in files.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text)
        return subprocess.run([sys.executable, checker, str(root)], capture_output=True, text=True)


def main() -> int:
    checker = sys.argv[1]
    failures = []
    clean = run(checker, CLEAN_TREE)
    if clean.returncode != 0:
        failures.append(f"the clean tree fails:\n{clean.stdout}{clean.stderr}")
    for what, name, line in PLANTS:
        files = dict(CLEAN_TREE)
        files[name] += line + "\n"
        expected = f"src/{name}:{files[name].count(chr(10))}:"
        result = run(checker, files)
        if result.returncode != 1 or expected not in result.stdout:
            failures.append(f"{what} ({name}: {line}) is not caught: exit {result.returncode}\n{result.stdout}{result.stderr}")
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(PLANTS) - len(failures) + (clean.returncode == 0)} of {len(PLANTS) + 1} cases pass")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
