#!/usr/bin/env python3
"""Mutation testing of the rules, the files and the pictures code.

A seeded sample of mutants of the classic kinds, one site at a time in src/game, src/store and
src/render, each built incrementally by one of two workers (each with its own copy of the
sources and its own build folder) and run against the fast suite: the unit tests and the
zembro-tool contract, no end-to-end runs. A mutant that does not compile is drawn again; one
that makes a test fail, crash or run past the time limit is killed. Prints each mutant, the
survivors and the kill rate.

Usage: mutation.py [--count N] [--seed S] [--workers W] [--out DIR] [--sites FILE] [--matrix FILE]
                   [--folders FOLDER...]
"""
import argparse
import json
import os
import random
import re
import shutil
import signal
import stat
import subprocess
import sys
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["src/game", "src/store", "src/render"]
TEST_TIMEOUT = 120
# With --matrix, a crashed or hung unit run is run again without the test that ended it.
# A mutant that hangs many tests is killed whoever keeps them: after a few the rest go unnamed.
MATRIX_TIMEOUT = 20
MATRIX_RERUNS = 4

# Operator swaps, spaced as the formatted code writes binary operators.
SWAPS = [
    ("relational", " < ", " <= "), ("relational", " <= ", " < "),
    ("relational", " > ", " >= "), ("relational", " >= ", " > "),
    ("relational", " == ", " != "), ("relational", " != ", " == "),
    ("logical", " && ", " || "), ("logical", " || ", " && "),
    ("arithmetic", " + ", " - "), ("arithmetic", " - ", " + "),
    ("arithmetic", " * ", " / "), ("arithmetic", " / ", " * "),
    ("arithmetic", " % ", " * "), ("arithmetic", " << ", " >> "), ("arithmetic", " >> ", " << "),
    ("arithmetic", " & ", " | "), ("arithmetic", " | ", " & "),
    ("arithmetic", "++", "--"), ("arithmetic", "--", "++"),
    ("arithmetic", " += ", " -= "), ("arithmetic", " -= ", " += "),
    ("boolean", "true", "false"), ("boolean", "false", "true"),
]
WORD = re.compile(r"[A-Za-z0-9_]")
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")
CONDITION = re.compile(r"\b(if|while) \((.*)\)( \{)?$")
STATEMENT = re.compile(r"^\s*(\+\+|--)?[A-Za-z_][\w.\->\[\]()*, ]*(\+\+|--|\s[-+*/|&^]?=\s.*|\(.*\))?;$")


def source_files(folders):
    files = []
    for folder in folders:
        for name in sorted(os.listdir(os.path.join(ROOT, folder))):
            if name.endswith(".cpp"):
                files.append(os.path.join(folder, name))
    return files


def code_lines(text):
    """(index, line) of the lines that hold code: no comments, preprocessor or blank lines."""
    in_block = False
    for index, line in enumerate(text.split("\n")):
        stripped = line.strip()
        if in_block:
            if "*/" in stripped:
                in_block = False
            continue
        if stripped.startswith("/*"):
            in_block = "*/" not in stripped
            continue
        if not stripped or stripped.startswith("//") or stripped.startswith("#"):
            continue
        if stripped.startswith("static_assert"):
            continue
        yield index, line


def strip_comment(line):
    at = line.find("//")
    return line if at < 0 else line[:at]


def sites(path):
    """Every mutation of the file: (kind, line index, new line, description)."""
    with open(os.path.join(ROOT, path)) as f:
        text = f.read()
    found = []
    for index, line in code_lines(text):
        code = strip_comment(line)
        if '"' in code:  # strings keep their operators and digits
            code_for_numbers = re.sub(r'"([^"\\]|\\.)*"', lambda m: " " * len(m.group(0)), code)
        else:
            code_for_numbers = code
        rest = line[len(code):]
        for kind, old, new in SWAPS:
            start = 0
            while True:
                at = code.find(old, start)
                if at < 0:
                    break
                start = at + len(old)
                if kind == "boolean" and (WORD.match(code[at - 1:at] or " ") or
                                          WORD.match(code[start:start + 1] or " ")):
                    continue  # part of a longer name
                if old in ("++", "--") and (code[at - 1:at] in ("+", "-") or
                                            code[at + 2:at + 3] in ("+", "-", "=")):
                    continue
                mutated = code[:at] + new + code[at + len(old):] + rest
                found.append((kind, index, mutated, f"'{old.strip()}' -> '{new.strip()}'"))
        for match in NUMBER.finditer(code_for_numbers):
            value = int(match.group(1))
            for replacement in (value + 1, value - 1) if value > 0 else (value + 1,):
                mutated = code[:match.start()] + str(replacement) + code[match.end():] + rest
                found.append(("constant", index, mutated, f"{value} -> {replacement}"))
        condition = CONDITION.search(code)
        if condition:
            keyword, inner, brace = condition.group(1), condition.group(2), condition.group(3) or ""
            mutated = code[:condition.start()] + f"{keyword} (!({inner})){brace}" + rest
            found.append(("negation", index, mutated, f"{keyword} condition negated"))
        stripped = code.strip()
        if STATEMENT.match(code) and not stripped.startswith(("return", "const ", "auto ", "using ",
                                                              "case ", "default", "break", "continue")):
            indent = code[:len(code) - len(code.lstrip())]
            found.append(("removal", index, indent + ";" + rest, "statement removed"))
    return [(path, kind, index, mutated, what) for kind, index, mutated, what in found]


class Worker:
    def __init__(self, number, out):
        self.number = number
        self.tree = os.path.join(out, f"tree{number}")
        self.build = os.path.join(self.tree, "build")
        self.log = os.path.join(out, f"worker{number}.log")

    def prepare(self):
        if not os.path.isdir(self.tree):
            os.makedirs(self.tree)
        subprocess.run(["rsync", "-a", "--delete", "--exclude", "build*", "--exclude", ".git",
                        ROOT + "/", self.tree + "/"], check=True)
        shared = os.path.join(os.path.dirname(ROOT), "shared")
        if os.path.isdir(shared) and not os.path.exists(os.path.join(os.path.dirname(self.tree), "shared")):
            os.symlink(shared, os.path.join(os.path.dirname(self.tree), "shared"))
        elif not os.path.isdir(shared) and self.number == 0:
            # The BMP reader's suite tests would skip, and the rate read lower than it is.
            print(f"no BMP suite at {shared}: its tests skip in every mutant", file=sys.stderr)
        # A build left by an earlier run may hold objects of its last mutant, newer than the
        # sources copied back with their own times: each run builds afresh.
        shutil.rmtree(self.build, ignore_errors=True)
        subprocess.run(["cmake", "-S", self.tree, "-B", self.build, "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_CXX_FLAGS_RELEASE=-O1",
                        "-DZEMBRO_BUILD_BENCH=OFF", "-DZEMBRO_WERROR=OFF"],
                       check=True, stdout=subprocess.DEVNULL)
        if not self.make():
            sys.exit(f"the sources do not build in {self.build}")

    def make(self):
        result = subprocess.run(["cmake", "--build", self.build, "--target", "unit_tests",
                                 "zembro-tool", "-j1"], stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT)
        return result.returncode == 0

    def suite(self, matrix=False):
        """True when every test passed; with matrix, the names of the tests that failed."""
        self.check_devices()
        env = dict(os.environ, GTEST_BRIEF="1")
        commands = [
            ("unit", [os.path.join(self.build, "tests", "unit_tests"), "--gtest_brief=1"]),
            ("contract", ["bash", os.path.join(self.tree, "tests/tool/contract_test.sh"),
                          os.path.join(self.build, "zembro-tool"), os.path.join(self.build, "run")]),
        ]
        failed = []
        for name, command in commands:
            if matrix and name == "unit":
                # Without brief output, so that each test's start is printed.
                verbose = {k: v for k, v in env.items() if k != "GTEST_BRIEF"}
                failed.extend(self.unit_failures(command[0], verbose))
                continue
            code, out = self.execute(command, env, TEST_TIMEOUT)
            if code == 0:
                continue
            if not matrix:
                return False
            failed.extend(self.contract_failures(code, out))
        return failed if matrix else True

    @staticmethod
    def check_devices():
        """Stops everything when a mutant run as root has replaced a device the tests link to:
        every later mutant would fail for that alone and count as killed."""
        for device in ("/dev/null", "/dev/zero"):
            if not stat.S_ISCHR(os.lstat(device).st_mode):
                print(f"{device} is no longer a device: restore it (mknod) and run again",
                      file=sys.stderr, flush=True)
                os._exit(3)

    def execute(self, command, env, timeout):
        """(exit status or 'hung', standard output)."""
        # A session of its own, so that a mutant that hangs is ended with every process its
        # tests forked.
        process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                   env=env, cwd=self.build, start_new_session=True)
        try:
            out, _ = process.communicate(timeout=timeout)
            code = process.returncode
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            out, _ = process.communicate()
            code = "hung"
        finally:
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        return code, out.decode(errors="replace")

    def unit_failures(self, binary, env):
        """The unit tests that failed, crashed or hung: a test that crashes or hangs the run is
        named from the last test started, left out, and the rest run again."""
        # The report is written only by a run that reached its end.
        report = os.path.join(self.build, "gtest.json")
        failed, skipped = [], []
        for _ in range(MATRIX_RERUNS):
            if os.path.exists(report):
                os.remove(report)
            command = [binary, "--gtest_output=json:" + report]
            if skipped:
                command.append("--gtest_filter=-" + ":".join(skipped))
            code, out = self.execute(command, env, MATRIX_TIMEOUT)
            failed.extend(re.findall(r"^\[  FAILED  \] ([^\s,]+),? .*\(\d+ ms\)$", out, re.M))
            if code in (0, 1) and os.path.exists(report):
                return list(dict.fromkeys(failed))
            started = re.findall(r"^\[ RUN      \] (\S+)$", out, re.M)
            if not started or started[-1] in skipped:
                break
            failed.append(started[-1])
            skipped.append(started[-1])
        return list(dict.fromkeys(failed)) + [f"unit ({'hung' if code == 'hung' else 'crashed'})"]

    @staticmethod
    def contract_failures(code, out):
        """Which contract cases failed: a crash or a hang counts against the whole script."""
        cases = re.findall(r"^FAIL ([^:]+):", out, re.M)
        return ["contract " + c for c in cases] or [f"contract ({code})"]

    def run(self, mutant, matrix=False):
        """'killed', 'survived' or 'stillborn' (and with matrix, the tests that failed)."""
        path, _, index, mutated, _ = mutant
        target = os.path.join(self.tree, path)
        with open(target) as f:
            original = f.read()
        lines = original.split("\n")
        lines[index] = mutated
        with open(target, "w") as f:
            f.write("\n".join(lines))
        try:
            if not self.make():
                return "stillborn", []
            if matrix:
                failed = self.suite(matrix=True)
                return ("killed" if failed else "survived"), failed
            return ("survived" if self.suite() else "killed"), []
        finally:
            with open(target, "w") as f:
                f.write(original)


def mutant_name(mutant):
    """How a mutant is printed and named in matrices and --sites files."""
    path, kind, index, _, what = mutant
    return f"{path}:{index + 1} {kind}: {what}"


def write_matrix(path, kills):
    with open(path + ".part", "w") as f:
        json.dump([{"mutant": mutant_name(m), "failed": failed}
                   for m, failed in kills], f, indent=1)
    os.replace(path + ".part", path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--count", type=int, default=200)
    parser.add_argument("--seed", type=int, default=20261206)
    parser.add_argument("--workers", type=int, default=2)
    parser.add_argument("--out", default=os.path.join(ROOT, "build-mutation"))
    parser.add_argument("--sites", metavar="FILE",
                        help="instead of a sample, the mutants this file names, one per line as "
                        "this script prints them ('src/store/score_file.cpp:83 relational: ...')")
    parser.add_argument("--folders", nargs="+", default=FOLDERS, metavar="FOLDER",
                        help="where the mutants are drawn (default: %(default)s)")
    parser.add_argument("--matrix", help="run every test on each mutant; write which failed "
                        "to this JSON file (scripts/test_cover.py reads it)")
    args = parser.parse_args()

    candidates = []
    for path in source_files(args.folders):
        candidates.extend(sites(path))
    random.Random(args.seed).shuffle(candidates)
    if args.sites:
        with open(args.sites) as f:
            wanted = [l.strip() for l in f if l.strip() and not l.startswith("#")]
        missing = set(wanted) - {mutant_name(m) for m in candidates}
        if missing:
            sys.exit("no such mutant: " + "; ".join(sorted(missing)))
        # A name that fits two sites of a line (two '<') names both.
        candidates = sorted((m for m in candidates if mutant_name(m) in wanted),
                            key=lambda m: wanted.index(mutant_name(m)))
        args.count = len(candidates)
    print(f"{len(candidates)} mutation sites; drawing {args.count} that compile (seed {args.seed})",
          flush=True)

    workers = [Worker(n, args.out) for n in range(args.workers)]
    for worker in workers:
        worker.prepare()
    for worker in workers:
        if not worker.suite():
            sys.exit("the suite fails without any mutant: fix it first")

    lock = threading.Lock()
    queue = list(candidates)
    results = []
    kills = []
    if args.matrix and os.path.exists(args.matrix):
        # Resumes a run that was stopped: its mutants count as they were found.
        done = {}
        with open(args.matrix) as f:
            for entry in json.load(f):  # two sites of a line share a name: first drawn, first
                done.setdefault(entry["mutant"], []).append(entry["failed"])
        for mutant in list(queue):
            if done.get(mutant_name(mutant)):
                queue.remove(mutant)
                failed = done[mutant_name(mutant)].pop(0)
                results.append((mutant, "killed" if failed else "survived"))
                kills.append((mutant, failed))
        print(f"{len(results)} mutants taken from {args.matrix}", flush=True)
    started = time.time()

    def work(worker):
        while True:
            with lock:
                done = sum(1 for r in results if r[1] != "stillborn")
                if done >= args.count or not queue:
                    return
                mutant = queue.pop(0)
            outcome, failed = worker.run(mutant, matrix=bool(args.matrix))
            with lock:
                if sum(1 for r in results if r[1] != "stillborn") >= args.count:
                    return
                results.append((mutant, outcome))
                if outcome != "stillborn":
                    kills.append((mutant, failed))
                    if args.matrix:  # written as it grows: a long run stopped keeps its part
                        write_matrix(args.matrix, kills)
                    n = sum(1 for r in results if r[1] != "stillborn")
                    print(f"{n:4d} {outcome:9s} {mutant_name(mutant)}", flush=True)

    threads = [threading.Thread(target=work, args=(w,)) for w in workers]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()

    counted = [r for r in results if r[1] != "stillborn"]
    killed = sum(1 for r in counted if r[1] == "killed")
    survivors = [r[0] for r in counted if r[1] == "survived"]
    print("\nSurvivors:")
    for path, kind, index, mutated, what in sorted(survivors, key=lambda m: (m[0], m[2])):
        print(f"  {path}:{index + 1} {kind}: {what}: {mutated.strip()}")
    minutes = (time.time() - started) / 60
    print(f"\n{killed} of {len(counted)} mutants killed: {100.0 * killed / max(1, len(counted)):.1f} % "
          f"({len(results) - len(counted)} that did not compile drawn again; {minutes:.0f} min)")


if __name__ == "__main__":
    main()
