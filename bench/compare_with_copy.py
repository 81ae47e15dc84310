#!/usr/bin/env python3
"""Times lvltext6 against a plain C copy of the same two lists into one file (the floor for this
job), as the median ratio of alternated runs, and reports the program's peak memory.

Usage: bench/compare_with_copy.py [BUILD_DIR]   (default: build/bench; build it with
       cmake --preset bench && cmake --build --preset bench)
"""
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "bench"))
PROGRAM = os.path.join(BUILD, "lvltext6")
COPY = os.path.join(BUILD, "copy_floor")
MEASURE = os.path.join(BUILD, "measure")
MIB = 1024 * 1024


def lines(texts):
    return b"".join(t + b"\r\n" for t in texts)


def realistic():
    entries = [b"Level %d: the stairs are slippery_mind your step" % i for i in range(25)]
    names = [b"The Lighthouse, part %d" % i for i in range(25)]
    return lines(entries), lines(names)


def million_repeated():
    texts = [b"Watch out for falling rocks %d" % i for i in range(20)]
    return lines(texts[i % 20] for i in range(1_000_000)), lines(texts[:25])


def long_lines():
    first = b"a" * (32 * MIB)
    second = b"a" * (16 * MIB - 1) + b"b"
    return first + b"\n" + second + b"\n", b"x\n"


def twenty_million_names():
    return lines([b"Welcome"]), b"A level name\r\n" * 20_000_000


def random_bytes():
    generator = random.Random(1)
    return generator.randbytes(50 * MIB), generator.randbytes(1024)


CASES = [
    ("25 entry texts and 25 names", realistic, 31, 1.5),
    ("1,000,000 entry lines of 20 repeated texts", million_repeated, 21, 5.0),
    ("a 32 MB line, then a 16 MB line differing in its last byte", long_lines, 11, 10.0),
    ("a 20,000,000-line name list", twenty_million_names, 7, 10.0),
    ("50 MB of random bytes", random_bytes, 11, 10.0),
]


def measured(command, directory):
    """Runs the command through the measuring launcher; returns (seconds, peak resident KiB)."""
    result = subprocess.run([MEASURE] + command, cwd=directory, stdout=subprocess.PIPE, check=False)
    if result.returncode != 0:
        raise SystemExit("%s failed with status %d" % (command[0], result.returncode))
    seconds, peak = result.stdout.split()
    return float(seconds), int(peak)


def main():
    for tool in (PROGRAM, COPY, MEASURE):
        if not os.access(tool, os.X_OK):
            raise SystemExit("missing %s: cmake --preset bench && cmake --build --preset bench" % tool)
    print("| input | runs | program (median) | copy (median) | ratio (median) | target | "
          "peak memory | memory target | met |")
    print("|---|---|---|---|---|---|---|---|---|")
    all_met = True
    for title, make, runs, target in CASES:
        directory = tempfile.mkdtemp(prefix="lvltext-bench-")
        try:
            entries, names = make()
            with open(os.path.join(directory, "6ENTER.TXT"), "wb") as f:
                f.write(entries)
            with open(os.path.join(directory, "6NAMES.TXT"), "wb") as f:
                f.write(names)
            input_bytes = len(entries) + len(names)
            del entries, names
            copy_command = [COPY, "6ENTER.TXT", "6NAMES.TXT", "COPY.TXT"]
            program_times, copy_times, ratios, peak = [], [], [], 0
            measured([PROGRAM], directory)  # warm the page cache
            measured(copy_command, directory)
            for _ in range(runs):
                program_seconds, program_peak = measured([PROGRAM], directory)
                copy_seconds, _ = measured(copy_command, directory)
                program_times.append(program_seconds)
                copy_times.append(copy_seconds)
                ratios.append(program_seconds / copy_seconds)
                peak = max(peak, program_peak)
            ratio = statistics.median(ratios)
            memory_target = 3 * input_bytes / 1024 + 16 * 1024
            met = ratio <= target and peak <= memory_target
            all_met &= met
            print("| %s | %d | %.2f ms | %.2f ms | %.2fx | %.1fx | %.1f MiB | %.1f MiB | %s |" % (
                title, runs, statistics.median(program_times) * 1000,
                statistics.median(copy_times) * 1000, ratio, target, peak / 1024,
                memory_target / 1024, "yes" if met else "NO"))
            sys.stdout.flush()
        finally:
            shutil.rmtree(directory)
    return 0 if all_met else 1


if __name__ == "__main__":
    sys.exit(main())
