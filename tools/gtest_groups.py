#!/usr/bin/env python3
"""Tells which tests of a GoogleTest driver no group runs.

    tools/gtest_groups.py LIST FILTER...

LIST is a file with what the driver printed for --gtest_list_tests; each FILTER
is the --gtest_filter of one group. Prints a line for each test suite with
tests that no filter runs and exits 1 when there is one; exits 2 when LIST holds
no test at all, since then nothing was checked.

Filters are read by GoogleTest's rules: positive patterns, then optionally '-'
and negative ones, all separated by ':'; '*' matches any text and '?' any one
character; a filter of negative patterns alone runs '*' less those. A pattern
matches the whole name "Suite.Test".
"""
import collections
import re
import sys

SUITE = re.compile(r"^(\S+)\.(\s+#.*)?$")
TEST = re.compile(r"^  (\S+)(\s+#.*)?$")


def listed_tests(text):
    """The full names in a --gtest_list_tests listing, in its order. Lines of
    neither shape, such as Wine's own messages, are passed over."""
    names = []
    suite = None
    for line in text.splitlines():
        line = line.rstrip("\r")
        if match := SUITE.match(line):
            suite = match.group(1)
        elif (match := TEST.match(line)) and suite is not None:
            names.append(f"{suite}.{match.group(1)}")
    return names


def _matches(patterns, name):
    return any(
        re.fullmatch("".join(".*" if c == "*" else "." if c == "?" else re.escape(c) for c in pattern), name)
        for pattern in patterns.split(":")
    )


def runs(gtest_filter, name):
    """Whether a run with --gtest_filter=gtest_filter runs the test name."""
    positive, dash, negative = gtest_filter.partition("-")
    if dash and not positive:
        positive = "*"
    return _matches(positive, name) and not (dash and _matches(negative, name))


def unrun_by_suite(names, filters):
    """{suite: (tests of it no filter runs, how many tests it has)}, for the
    suites with any."""
    tests = collections.defaultdict(list)
    for name in names:
        tests[name.rsplit(".", 1)[0]].append(name)
    unrun = {}
    for suite, names_of_suite in tests.items():
        missed = [name for name in names_of_suite if not any(runs(f, name) for f in filters)]
        if missed:
            unrun[suite] = (missed, len(names_of_suite))
    return unrun


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    with open(argv[1], encoding="utf-8", errors="replace") as listing:
        names = listed_tests(listing.read())
    if not names:
        print(f"no test listed in {argv[1]}")
        return 2
    unrun = unrun_by_suite(names, argv[2:])
    for suite, (missed, total) in unrun.items():
        if len(missed) == total:
            print(f"suite {suite} runs in no group ({total} {'test' if total == 1 else 'tests'})")
        else:
            print(f"suite {suite}: {len(missed)} of {total} tests run in no group: {', '.join(missed)}")
    return 1 if unrun else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
