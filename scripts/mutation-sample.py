#!/usr/bin/env python3
"""Mutation sample: how many small faults in the window code does the test suite catch?

Picks one-line faults at random (fixed seed) across the window folders, applies them one at a
time, rebuilds, runs the whole suite under ctest and restores the file. A mutant that does not
compile is replaced by another one. Prints one line per mutant and the figure caught / total.

    python3 scripts/mutation-sample.py [--count 24] [--seed 7] [--build-dir build] [--list]
"""

import argparse
import os
import random
import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FOLDERS = ["src/editors", "src/catalogs", "src/company", "src/documents", "src/salaries"]

# (name, pattern, replacement): each applies to the first match on a line.
OPERATORS = [
    ("== to !=", re.compile(r"(?<![=!<>])==(?!=)"), "!="),
    ("!= to ==", re.compile(r"!=(?!=)"), "=="),
    ("< to <=", re.compile(r"(?<=[\w)\]] )<(?= [\w(])"), "<="),
    ("> to >=", re.compile(r"(?<=[\w)\]] )>(?= [\w(])"), ">="),
    ("<= to <", re.compile(r"(?<= )<=(?= )"), "<"),
    (">= to >", re.compile(r"(?<= )>=(?= )"), ">"),
    ("&& to ||", re.compile(r" && "), " || "),
    ("|| to &&", re.compile(r" \|\| "), " && "),
    ("condition negated", re.compile(r"\bif \((.*)\)(?=\s*(\{|return|continue|break|[\w:]+\(|$))"),
     r"if (!(\1))"),
    ("return false to true", re.compile(r"\breturn false;"), "return true;"),
    ("return true to false", re.compile(r"\breturn true;"), "return false;"),
    ("constant changed", re.compile(r"(?<![\w.\"'])([1-9]\d{0,5})(?![\w.\"'])"), None),
    ("message text changed", re.compile(r'QStringLiteral\("([^"\\]{6,})"\)'), r'QStringLiteral("\1 x")'),
    ("call removed", re.compile(r"^(\s*)([\w:>.-]+\([^;]*\);)\s*$"), r"\1;"),
]


def in_string(line, position):
    """Whether position falls inside a string literal of the line (quotes counted, escapes skipped)."""
    quotes = 0
    i = 0
    while i < position:
        if line[i] == "\\":
            i += 2
            continue
        if line[i] == '"':
            quotes += 1
        i += 1
    return quotes % 2 == 1


def first_match(line, index):
    name, pattern, _ = OPERATORS[index]
    for match in pattern.finditer(line):
        if name == "message text changed" or name == "call removed" or not in_string(line, match.start()):
            return match
    return None


def candidates():
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).glob("*.cpp")):
            lines = path.read_text(encoding="utf-8").split("\n")
            for number, line in enumerate(lines):
                stripped = line.strip()
                if not stripped or stripped.startswith(("//", "#", "*", "/*")):
                    continue
                for index, (name, pattern, _) in enumerate(OPERATORS):
                    if first_match(line, index):
                        yield path, number, index


def mutate(line, index):
    match = first_match(line, index)
    if match is None:
        return line
    replacement = OPERATORS[index][2]
    new = str(int(match.group(1)) + 1) if replacement is None else match.expand(replacement)
    return line[: match.start()] + new + line[match.end():]


def run(cmd, cwd, timeout):
    try:
        return subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -1


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--count", type=int, default=24)
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--build-dir", default="build")
    parser.add_argument("--list", action="store_true", help="print the sample without running it")
    args = parser.parse_args()

    build = (ROOT / args.build_dir).resolve()
    pool = list(candidates())
    random.Random(args.seed).shuffle(pool)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")

    caught = total = 0
    survivors = []
    for path, number, index in pool:
        if total >= args.count:
            break
        original = path.read_text(encoding="utf-8")
        lines = original.split("\n")
        mutated = mutate(lines[number], index)
        if mutated == lines[number]:
            continue
        where = f"{path.relative_to(ROOT)}:{number + 1}"
        if args.list:
            total += 1
            print(f"{where}: {OPERATORS[index][0]}: {lines[number].strip()}  ->  {mutated.strip()}")
            continue
        lines[number] = mutated
        try:
            path.write_text("\n".join(lines), encoding="utf-8")
            if run(["cmake", "--build", str(build), "-j2"], ROOT, 1800) != 0:
                continue  # does not compile: not a mutant
            total += 1
            result = run(["ctest", "-j2", "--timeout", "120"], build, 3600)
            status = "caught" if result != 0 else "SURVIVED"
            if result != 0:
                caught += 1
            else:
                survivors.append(where)
            print(f"{total:3} {status:8} {where}: {OPERATORS[index][0]}: {original.split(chr(10))[number].strip()}"
                  f"  ->  {mutated.strip()}", flush=True)
        finally:
            path.write_text(original, encoding="utf-8")
    if not args.list:
        run(["cmake", "--build", str(build), "-j2"], ROOT, 1800)
        print(f"caught {caught} / {total}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
