"""Checks of tools/floors.py, the test command's check that every include of
the program's sources goes to a floor it may.

    python3 -B -m unittest discover -s tests/tools -p '*_test.py'
"""
import os
import subprocess
import sys
import tempfile
import unittest

TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools")
sys.path.insert(0, TOOLS)
import floors  # noqa: E402


class Rules(unittest.TestCase):
    def test_a_file_includes_its_own_folder_and_the_floors_below(self):
        text = '#include "sweep_verdict.h"\n#include "../core/edges.h"\n#include "../platform/wrap_int.h"\n'
        self.assertEqual([], floors.problems("sweep/moved_windows.cpp", text))
        self.assertEqual([], floors.problems("app/open_cycle_win32.cpp", '#include "../bars/bar_layout.h"\n'))
        self.assertEqual([], floors.problems("bars/bar_mouse_win32.cpp", '#include "../res/resource.h"\n'))

    def test_an_include_up_a_floor_or_across_the_middle_floor_is_named_with_its_line(self):
        self.assertEqual(
            ["core/settings.cpp:2: includes app/hotkey.h from core/, which may not include app/"],
            floors.problems("core/settings.cpp", '#include "settings.h"\n#include "../app/hotkey.h"\n'),
        )
        self.assertEqual(
            ["bars/bar_appearance_win32.cpp:1: includes sweep/sweeps_win32.h from bars/, which may not include sweep/"],
            floors.problems("bars/bar_appearance_win32.cpp", '#include "../sweep/sweeps_win32.h"\n'),
        )
        self.assertEqual(
            ["platform/libraries_win32.cpp:1: includes core/edges.h from platform/, which may not include core/"],
            floors.problems("platform/libraries_win32.cpp", '#include "../core/edges.h"\n'),
        )

    def test_rules_that_need_no_window_system_include_none_of_its_files(self):
        self.assertEqual(
            ["sweep/restore_place.cpp:1: includes core/state_win32.h, which needs the window system, "
             "from rules that do not"],
            floors.problems("sweep/restore_place.cpp", '#include "../core/state_win32.h"\n'),
        )
        self.assertEqual([], floors.problems("sweep/sweeps_win32.cpp", '#include "../core/state_win32.h"\n'))

    def test_system_headers_are_not_the_programs_and_others_are_named(self):
        self.assertEqual([], floors.problems("core/settings.cpp", "#include <string.h>\n  #  include <stdint.h>\n"))
        self.assertEqual(
            ['app/main_win32.cpp:1: includes ../tests/wine/harness.h, which is not one of the program\'s folders'],
            floors.problems("app/main_win32.cpp", '#include "../tests/wine/harness.h"\n'),
        )


class Tree(unittest.TestCase):
    def write(self, root, path, text):
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as out:
            out.write(text)

    def run_script(self, root):
        return subprocess.run([sys.executable, os.path.join(TOOLS, "floors.py"), root], capture_output=True,
                              text=True)

    def test_the_script_fails_on_a_planted_upward_include_and_passes_without_it(self):
        with tempfile.TemporaryDirectory() as root:
            self.write(root, "core/edges.h", "enum Edge {};\n")
            self.write(root, "bars/bar_layout.h", '#include "../core/edges.h"\n')
            self.assertEqual(0, self.run_script(root).returncode)
            self.write(root, "core/settings.h", '#include "../bars/bar_layout.h"\n')
            result = self.run_script(root)
            self.assertEqual(1, result.returncode)
            self.assertIn("core/settings.h:1: includes bars/bar_layout.h", result.stdout)

    def test_a_tree_without_the_programs_folders_checks_nothing_and_fails(self):
        with tempfile.TemporaryDirectory() as root:
            self.assertEqual(2, self.run_script(root).returncode)


if __name__ == "__main__":
    unittest.main()
