#!/usr/bin/env python3
"""Which tests can go without losing a killed mutant.

Reads the matrices written by `mutation.py --matrix` (each mutant with the tests that failed on
it) and keeps, for every killed mutant, at least one test that kills it: the files and tests
named with --keep stay whatever they kill, the others are kept cheapest first (fewest lines per
kill not yet made). Prints the unit tests and contract cases that are left over, by file, with
their lines. A mutant that only a crash of the whole run killed names no test and is left out.

Usage: test_cover.py MATRIX.json... [--keep FILE_OR_TEST...]
"""
import argparse
import glob
import json
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CONTRACT = "tests/tool/contract_test.sh"


def unit_tests():
    """{Suite.Test: (file, lines)} of every test body, counted without blanks and comments."""
    tests = {}
    for path in sorted(glob.glob(os.path.join(ROOT, "tests/unit/*_test.cpp"))):
        lines = open(path).read().split("\n")
        for i, line in enumerate(lines):
            m = re.match(r"TEST(?:_F|_P)?\((\w+), (\w+)\)", line)
            if not m:
                continue
            end = i
            while end < len(lines) and lines[end] != "}":
                end += 1
            size = sum(1 for l in lines[i:end + 1] if l.strip() and not l.strip().startswith("//"))
            tests[f"{m.group(1)}.{m.group(2)}"] = (os.path.basename(path), size)
    return tests


def contract_cases():
    """{contract NAME: (file, lines)}: a case runs from its expect line to the next blank line."""
    cases = {}
    lines = open(os.path.join(ROOT, CONTRACT)).read().split("\n")
    for i, line in enumerate(lines):
        m = re.match(r'\s*expect(?:_error)? "([^"]+)"', line)
        if m:
            end = i
            while end + 1 < len(lines) and lines[end + 1].strip() and "expect" not in lines[end + 1]:
                end += 1
            cases["contract " + m.group(1)] = (os.path.basename(CONTRACT), end - i + 1)
    return cases


def base_name(test):
    """Suite.Test of a parameterised or instantiated test (Prefix/Suite.Test/Case)."""
    m = re.match(r"(?:\w+/)?(\w+)\.(\w+)(?:/\w+)?$", test)
    return f"{m.group(1)}.{m.group(2)}" if m else test


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("matrices", nargs="+")
    parser.add_argument("--keep", nargs="*", default=[],
                        help="test files (frame_input_test.cpp) or tests (Suite.Test) kept whatever "
                        "they kill")
    args = parser.parse_args()

    tests = {**unit_tests(), **contract_cases()}
    kills = []
    for path in args.matrices:
        for entry in json.load(open(path)):
            named = {t if t.startswith("contract") else base_name(t) for t in entry["failed"]}
            named &= tests.keys()
            if named:
                kills.append(named)
    kept = {t for t, (f, _) in tests.items() if f in args.keep or t in args.keep}
    open_kills = [k for k in kills if not k & kept]
    while open_kills:
        reach = {}
        for k in open_kills:
            for t in k:
                reach[t] = reach.get(t, 0) + 1
        best = min(reach, key=lambda t: (tests[t][1] / reach[t], t))
        kept.add(best)
        open_kills = [k for k in open_kills if best not in k]

    left = {}
    for t in sorted(tests.keys() - kept):
        left.setdefault(tests[t][0], []).append(t)
    total = 0
    for f, names in sorted(left.items()):
        lines = sum(tests[t][1] for t in names)
        total += lines
        print(f"{f} ({lines} lines):")
        for t in names:
            print(f"  {t} ({tests[t][1]})")
    print(f"\n{len(kills)} killed mutants name a test; {sum(len(v) for v in left.values())} tests "
          f"kill none that a kept test does not ({total} lines)")


if __name__ == "__main__":
    main()
