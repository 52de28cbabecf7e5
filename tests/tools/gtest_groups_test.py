"""Checks of tools/gtest_groups.py, the test command's check that every Wine
test runs in some group: a listing as the Wine driver prints it, and filters
read the way GoogleTest reads them.

    python3 -B -m unittest discover -s tests/tools -p '*_test.py'
"""
import os
import subprocess
import sys
import tempfile
import unittest

TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools")
sys.path.insert(0, TOOLS)
import gtest_groups  # noqa: E402

# As the driver prints it under Wine: Windows line ends, a line of gtest_main's
# before the list, value-parameterized tests with their parameter noted.
LISTING = (
    "Running main() from gtest_main.cc\r\n"
    "Soak.\r\n"
    "  BrelloxHoldsNoMoreObjects\r\n"
    "  TheRealProgramsPrivateMemory\r\n"
    "MultiMonitorBed.\r\n"
    "  ThePointerParks\r\n"
    "LeftRightTopBottom/DoubleClickEachBar.\r\n"
    "  OpensAndRestores/0  # GetParam() = 0\r\n"
    "  OpensAndRestores/1  # GetParam() = 1\r\n"
    "JapaneseOptions.\r\n"
    "  TheJapaneseTemplate\r\n"
    "Startup.\r\n"
    "  SecondCopyEndsTheFirst\r\n"
)


class Listing(unittest.TestCase):
    def test_full_names_without_line_ends_parameters_or_other_lines(self):
        self.assertEqual(
            [
                "Soak.BrelloxHoldsNoMoreObjects",
                "Soak.TheRealProgramsPrivateMemory",
                "MultiMonitorBed.ThePointerParks",
                "LeftRightTopBottom/DoubleClickEachBar.OpensAndRestores/0",
                "LeftRightTopBottom/DoubleClickEachBar.OpensAndRestores/1",
                "JapaneseOptions.TheJapaneseTemplate",
                "Startup.SecondCopyEndsTheFirst",
            ],
            gtest_groups.listed_tests(LISTING),
        )


class Filter(unittest.TestCase):
    def test_patterns_match_the_whole_name_with_star_and_question_mark(self):
        self.assertTrue(gtest_groups.runs("Soak*", "Soak.A"))
        self.assertTrue(gtest_groups.runs("So?k.*", "Soak.A"))
        self.assertTrue(gtest_groups.runs("*DoubleClickEachBar*", "LeftRight/DoubleClickEachBar.Opens/0"))
        self.assertTrue(gtest_groups.runs("Soak.A", "Soak.A"))
        self.assertFalse(gtest_groups.runs("Soak", "Soak.A"))
        self.assertFalse(gtest_groups.runs("oak*", "Soak.A"))
        self.assertFalse(gtest_groups.runs("So?k", "Soak.A"))
        # Only '*' and '?' are wildcards; GoogleTest takes '.' and '[' as they are.
        self.assertFalse(gtest_groups.runs("Soak.A", "SoakxA"))
        self.assertFalse(gtest_groups.runs("[S]oak.A", "Soak.A"))

    def test_any_of_the_patterns_separated_by_colons(self):
        self.assertTrue(gtest_groups.runs("Bars*:Soak*", "Soak.A"))
        self.assertFalse(gtest_groups.runs("Bars*:Options*", "Soak.A"))

    def test_negative_patterns_take_out_what_the_positive_ones_run(self):
        self.assertTrue(gtest_groups.runs("S*-Soak*", "Startup.A"))
        self.assertFalse(gtest_groups.runs("S*-Soak*", "Soak.A"))
        self.assertFalse(gtest_groups.runs("S*-Bars*:Soak*", "Soak.A"))
        # Every '-' after the first belongs to the negative patterns.
        self.assertFalse(gtest_groups.runs("*-Bars*-x:Soak*", "Soak.A"))
        self.assertTrue(gtest_groups.runs("*-Bars*-x:Soak*", "Bars.A"))

    def test_negative_patterns_alone_run_everything_else(self):
        self.assertTrue(gtest_groups.runs("-Japanese*", "Soak.A"))
        self.assertFalse(gtest_groups.runs("-Japanese*", "JapaneseOptions.A"))

    def test_an_empty_filter_runs_nothing(self):
        self.assertFalse(gtest_groups.runs("", "Soak.A"))


class Groups(unittest.TestCase):
    NAMES = gtest_groups.listed_tests(LISTING)

    def test_a_suite_excluded_from_the_catch_all_and_taken_by_no_group_is_reported(self):
        filters = ["-Japanese*:Soak*:MultiMonitor*", "Japanese*", "Soak*"]
        self.assertEqual(
            {"MultiMonitorBed": (["MultiMonitorBed.ThePointerParks"], 1)},
            gtest_groups.unrun_by_suite(self.NAMES, filters),
        )

    def test_tests_of_a_suite_that_no_group_takes_are_reported_by_name(self):
        filters = ["-*DoubleClickEachBar.*/1", "Soak*"]
        self.assertEqual(
            {
                "LeftRightTopBottom/DoubleClickEachBar": (
                    ["LeftRightTopBottom/DoubleClickEachBar.OpensAndRestores/1"],
                    2,
                )
            },
            gtest_groups.unrun_by_suite(self.NAMES, filters),
        )

    def test_groups_that_take_every_test_report_nothing(self):
        filters = ["-Japanese*:Soak*:MultiMonitor*", "Japanese*", "Soak*", "MultiMonitor*"]
        self.assertEqual({}, gtest_groups.unrun_by_suite(self.NAMES, filters))


class Command(unittest.TestCase):
    def run_on(self, listing, *filters):
        with tempfile.NamedTemporaryFile("w", suffix=".log", delete=False) as f:
            f.write(listing)
        self.addCleanup(os.remove, f.name)
        return subprocess.run(
            [sys.executable, os.path.join(TOOLS, "gtest_groups.py"), f.name, *filters],
            capture_output=True,
            text=True,
        )

    def test_fails_naming_each_suite_that_runs_nowhere(self):
        result = self.run_on(LISTING, "-Japanese*:Soak*:MultiMonitor*", "Japanese*")
        self.assertEqual(1, result.returncode)
        self.assertEqual(
            ["suite Soak runs in no group (2 tests)", "suite MultiMonitorBed runs in no group (1 test)"],
            result.stdout.splitlines(),
        )

    def test_passes_silently_when_every_test_has_a_group(self):
        result = self.run_on(LISTING, "*")
        self.assertEqual((0, ""), (result.returncode, result.stdout))

    def test_a_listing_without_tests_checks_nothing_and_fails(self):
        result = self.run_on("Running main() from gtest_main.cc\r\n", "*")
        self.assertEqual(2, result.returncode)


if __name__ == "__main__":
    unittest.main()
