#!/usr/bin/env python3
"""Plants small faults in the code one at a time and tells which ones the tests catch.

Each fault ("mutant") is one edit of one line: a comparison turned round, a boundary
moved, && swapped with ||, a boolean return inverted, a + 1 or - 1 dropped, or a call
statement's effect dropped. For each, the layer's test program is rebuilt in its own
build folder and run until its first failure. A mutant that does not compile is not a
fault the tests could catch: it is skipped and the next site is taken, so the count is
of mutants that ran.

The sites are found in sorted order and shuffled with the seed, so a seed always picks
the same mutants from the same code. The file is put back after every mutant, and on
SIGINT, SIGTERM or SIGHUP; a run killed outright leaves its backup, which the next run
puts back before it starts.
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
from dataclasses import dataclass
from pathlib import Path

LAYERS = ("platform", "host", "editor", "app")
BUILD = "build-mutants"
BACKUP = Path(BUILD) / "backup"
TEST_TIMEOUT = 600

# (name, pattern, replacement). Binary operators are matched with the spaces that
# clang-format puts around them, which keeps template brackets and stream operators out.
RULES = [
    ("== to !=", re.compile(r" == "), " != "),
    ("!= to ==", re.compile(r" != "), " == "),
    ("< to <=", re.compile(r" < "), " <= "),
    ("<= to <", re.compile(r" <= "), " < "),
    ("> to >=", re.compile(r" > "), " >= "),
    (">= to >", re.compile(r" >= "), " > "),
    ("&& to ||", re.compile(r" && "), " || "),
    ("|| to &&", re.compile(r" \|\| "), " && "),
    ("return true to false", re.compile(r"\breturn true;"), "return false;"),
    ("return false to true", re.compile(r"\breturn false;"), "return true;"),
    ("drop + 1", re.compile(r" \+ 1\b(?![.\d])"), ""),
    ("drop - 1", re.compile(r" - 1\b(?![.\d])"), ""),
]
# A line that is nothing but a call: `Name(...);`, `obj.Name(...);`, `p->Name(...);`.
CALL_STATEMENT = re.compile(r"^(\s*)(?!return\b|delete\b|throw\b|co_)[A-Za-z_][\w:]*"
                            r"((\.|->)[A-Za-z_]\w*)*(<[^;]*>)?\(.*\);\s*$")


@dataclass(frozen=True)
class Site:
    path: str
    line: int  # 1-based
    column: int  # 0-based start of the match, -1 for a dropped statement
    rule: str
    replacement: str

    def describe(self):
        return f"{self.path}:{self.line}  {self.rule}"


def code_part(line):
    """The line without a trailing // comment and with string literals blanked, so
    operators inside texts are never taken."""
    line = re.sub(r'"(\\.|[^"\\])*"', lambda m: '"' + " " * (len(m.group(0)) - 2) + '"', line)
    cut = line.find("//")
    return line if cut < 0 else line[:cut]


def sites_in(path):
    sites = []
    lines = Path(path).read_text(encoding="utf-8").split("\n")
    in_block_comment = False
    previous = ""
    for number, text in enumerate(lines, start=1):
        stripped = text.strip()
        if in_block_comment:
            in_block_comment = "*/" not in stripped
            continue
        if stripped.startswith("/*"):
            in_block_comment = "*/" not in stripped
            continue
        if not stripped or stripped.startswith(("#", "//", "*", "static_assert")):
            continue
        code = code_part(text)
        for name, pattern, replacement in RULES:
            for match in pattern.finditer(code):
                sites.append(Site(path, number, match.start(), name, replacement))
        if is_call_statement(code, previous):
            sites.append(Site(path, number, -1, "drop a call's effect", ";"))
        previous = stripped
    return sites


def is_call_statement(code, previous):
    """A call standing alone in a function body: indented, and after a line that ended a
    statement or opened a block, so that the last line of a wrapped call is not taken."""
    if not code.startswith((" ", "\t")) or not CALL_STATEMENT.match(code):
        return False
    return previous.endswith((";", "{", "}", ":")) or previous == ""


def mutated_text(original, site):
    lines = original.split("\n")
    text = lines[site.line - 1]
    if site.column < 0:
        indent = text[: len(text) - len(text.lstrip())]
        lines[site.line - 1] = indent + site.replacement
    else:
        pattern = dict((r[0], r[1]) for r in RULES)[site.rule]
        match = pattern.match(text, site.column)
        lines[site.line - 1] = text[: match.start()] + site.replacement + text[match.end():]
    return "\n".join(lines)


def source_files(targets):
    chosen = set()
    for target in targets or ["editor", "app", "host", "platform"]:
        path = Path(target)
        if not path.exists():
            sys.exit(f"mutants: {target} is neither a layer nor a path in the checkout")
        candidates = [path] if path.is_file() else sorted(path.rglob("*.cpp"))
        for candidate in candidates:
            layer = candidate.parts[0]
            if layer not in LAYERS:
                sys.exit(f"mutants: {candidate} is not in a layer with a test program "
                         f"({', '.join(LAYERS)})")
            chosen.add(str(candidate))
    return sorted(chosen)


class Restorer:
    """Keeps the one file under change backed up on disk, and puts it back."""

    def __init__(self):
        self.current = None

    def recover_leftovers(self):
        if not BACKUP.exists():
            return
        for saved in BACKUP.rglob("*"):
            if saved.is_file():
                target = saved.relative_to(BACKUP)
                shutil.copyfile(saved, target)
                print(f"mutants: put back {target} from an interrupted run")
                saved.unlink()

    def plant(self, path, text):
        saved = BACKUP / path
        saved.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(path, saved)
        self.current = path
        Path(path).write_text(text, encoding="utf-8")

    def restore(self):
        if self.current is None:
            return
        saved = BACKUP / self.current
        # Copied, not renamed back with its old time: the build must see the file change
        # again, or the next mutant's test program would keep this one's object.
        shutil.copyfile(saved, self.current)
        saved.unlink()
        self.current = None


def run(command, log, timeout=None):
    try:
        result = subprocess.run(command, stdout=log, stderr=subprocess.STDOUT, timeout=timeout)
        return result.returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def configure(log):
    launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"] if shutil.which("ccache") else []
    linker = ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"] if shutil.which("ld.lld") else []
    # Warnings stay warnings: a mutant that only adds an unused variable is still a fault.
    command = ["cmake", "-S", ".", "-B", BUILD, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
               "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1", "-DCE_WERROR=OFF", "-DCE_GUI=OFF",
               "-DCE_BENCH=OFF", *launcher, *linker]
    if run(command, log) != 0:
        sys.exit(f"mutants: configuring {BUILD} failed; see {log.name}")


def build(layer, log):
    return run(["cmake", "--build", BUILD, "-j", str(os.cpu_count() or 2), "--target",
                f"{layer}_test"], log)


def test(layer, log, every_test=False):
    """0 when every test passes; otherwise the first failing test's name or, with
    `every_test`, the names of all the tests that fail, space-separated."""
    if every_test:
        return every_failing_test(layer, log)
    program = Path(BUILD) / "tests" / f"{layer}_test"
    try:
        result = subprocess.run([str(program), "--gtest_fail_fast", "--gtest_brief=1"],
                                capture_output=True, text=True, timeout=TEST_TIMEOUT)
    except subprocess.TimeoutExpired:
        return "a test that never ended"
    log.write(result.stdout + result.stderr)
    log.flush()
    if result.returncode == 0:
        return 0
    failed = re.search(r"\[  FAILED  \] (\S+)", result.stdout)
    return failed.group(1) if failed else f"exit {result.returncode}"


def every_failing_test(layer, log):
    """Runs every test; a test that crashes the program is named, left out, and the rest
    run again, so that the list says which tests catch the fault."""
    program = Path(BUILD) / "tests" / f"{layer}_test"
    failing = []
    for _ in range(10):
        excluded = ":".join(name.split("(")[0] for name in failing)
        command = [str(program)] + ([f"--gtest_filter=-{excluded}"] if excluded else [])
        try:
            result = subprocess.run(command, capture_output=True, text=True, timeout=TEST_TIMEOUT)
        except subprocess.TimeoutExpired:
            return " ".join(failing + ["(a test that never ended)"])
        log.write(result.stdout[-4000:] + result.stderr[-4000:])
        log.flush()
        # Each failure's own line: "Suite.Name (N ms)" or "Suite.Name/0, where GetParam() = ...".
        failed = re.findall(r"^\[  FAILED  \] ([^\s,]+)(?:, where| \()", result.stdout, re.M)
        failing = list(dict.fromkeys(failing + failed))
        if result.returncode in (0, 1):
            break
        started = re.findall(r"^\[ RUN      \] (\S+)", result.stdout, re.M)
        if not started:
            failing.append(f"(exit {result.returncode})")
            break
        failing.append(f"{started[-1]}(exit {result.returncode})")
    return " ".join(failing) if failing else 0


def main():
    parser = argparse.ArgumentParser(prog="tools/mutants", description=__doc__.split("\n")[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=20)
    parser.add_argument("--every-test", action="store_true",
                        help="run every test on each mutant and name all that catch it")
    parser.add_argument("targets", nargs="*", metavar="LAYER|PATH")
    args = parser.parse_args()
    if args.count < 1:
        parser.error("--count must be at least 1")

    restorer = Restorer()
    restorer.recover_leftovers()

    def interrupted(signum, _frame):
        restorer.restore()
        print(f"mutants: interrupted ({signal.Signals(signum).name}); every file put back")
        sys.exit(130)

    for signum in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(signum, interrupted)

    sites = [site for path in source_files(args.targets) for site in sites_in(path)]
    random.Random(args.seed).shuffle(sites)
    Path(BUILD).mkdir(exist_ok=True)
    with open(Path(BUILD) / "mutants.log", "w", encoding="utf-8") as log:
        configure(log)
        layers = sorted({site.path.split("/")[0] for site in sites})
        for layer in layers:
            if build(layer, log) != 0 or test(layer, log) != 0:
                sys.exit(f"mutants: the unchanged {layer} tests do not pass; see {log.name}")
        caught = missed = 0
        for site in sites:
            if caught + missed == args.count:
                break
            original = Path(site.path).read_text(encoding="utf-8")
            layer = site.path.split("/")[0]
            try:
                restorer.plant(site.path, mutated_text(original, site))
                log.write(f"== {site.describe()}\n")
                if build(layer, log) != 0:
                    continue
                verdict = test(layer, log, args.every_test)
            finally:
                restorer.restore()
            if verdict == 0:
                missed += 1
                print(f"missed  {site.describe()}", flush=True)
            else:
                caught += 1
                print(f"caught  {site.describe()}  ({verdict})", flush=True)
        # The last rebuild puts the unchanged objects back into the mutants' build.
        for layer in layers:
            build(layer, log)
    print(f"mutants: {caught} caught, {missed} missed")


if __name__ == "__main__":
    main()
