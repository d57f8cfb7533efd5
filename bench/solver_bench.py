#!/usr/bin/env python3
"""Solver figures: every level of one or more text collections solved by
`levelkit solve` in a process of its own, so that each level gets its own
peak memory (the kernel's maximum resident size of that process) and its own
CPU time.

    bench/solver_bench.py [--levelkit PATH] [--time-limit S] [--memory-limit MB]
                          [--threads N] [--table FILE] [--summary] COLLECTION...

Prints one line per level, then per collection: levels solved, proven fewest
pushes, CPU seconds and peak memory (median and maximum) and the slowest ten.
--threads N is handed to `levelkit solve` (a build whose solve does not take
it fails every level). --summary prints instead one line per collection, for
tables: its name, levels, solved, proven, then CPU seconds and peak MB, each
median and maximum. --table also writes the per-level lines to FILE. It never
fails on figures; it exits 1 only when levelkit cannot be run.
"""
import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile

FIGURES = re.compile(r"(\d+) moves, (\d+) pushes.*?; (\d+) positions")
EXPANDED = re.compile(r"(\d+) expanded")


def levels_of(path):
    """The collection cut into level texts: a level is a run of board lines
    with the comment lines just before it."""
    with open(path) as f:
        lines = f.read().split("\n")
    levels, current, comments = [], [], []
    for line in lines + [""]:
        board = "#" in line and set(line) <= set("#@+$*.-_ \t")
        if board:
            current.append(line)
            continue
        if current:
            levels.append("\n".join(comments + current) + "\n")
            current, comments = [], []
        if line.startswith(";") and not line[1:].strip().startswith(("solution:", "length:", "keys:")):
            comments = [line]
    return levels


def solve_one(levelkit, text, args, work):
    level = os.path.join(work, "level.txt")
    with open(level, "w") as f:
        f.write(text)
    command = [levelkit, "solve", level, "--time-limit", str(args.time_limit),
               "--memory-limit", str(args.memory_limit)]
    if args.threads:
        command += ["--threads", str(args.threads)]
    with open(os.path.join(work, "out"), "w") as out, open(os.path.join(work, "err"), "w") as err:
        process = subprocess.Popen(command, stdout=out, stderr=err)
        _, status, usage = os.wait4(process.pid, 0)
    with open(os.path.join(work, "out")) as f:
        out = f.read()
    with open(os.path.join(work, "err")) as f:
        err = f.read()
    row = dict(cpu=usage.ru_utime + usage.ru_stime, peak_mb=usage.ru_maxrss / 1024.0,
               moves="-", pushes="-", positions=0, expanded="-")
    if "no solution" in out:
        row["status"] = "unsolvable"
    elif "timeout" in out or not out.strip():
        row["status"] = "timeout"
    elif "not proven" in out:
        row["status"] = "solved"
    else:
        row["status"] = "proven"
    found = FIGURES.search(err)
    if found:
        row["moves"], row["pushes"], row["positions"] = found.group(1), found.group(2), int(found.group(3))
    found = EXPANDED.search(err)
    if found:
        row["expanded"] = found.group(1)
    return row


def crates_of(text):
    return sum(line.count("$") + line.count("*") for line in text.split("\n") if not line.startswith(";"))


def size_of(text):
    rows = [line for line in text.split("\n") if line and not line.startswith(";")]
    return f"{max(len(r) for r in rows)}x{len(rows)}"


def report(name, rows):
    solved = [r for r in rows if r["status"] in ("proven", "solved")]
    proven = [r for r in rows if r["status"] == "proven"]
    cpu = [r["cpu"] for r in rows]
    peak = [r["peak_mb"] for r in rows]
    print(f"== {name}: {len(rows)} levels, {len(solved)} solved, {len(proven)} proven fewest pushes, "
          f"{sum(r['status'] == 'unsolvable' for r in rows)} proven unsolvable, "
          f"{sum(r['status'] == 'timeout' for r in rows)} not solved")
    print(f"   CPU seconds per level: median {statistics.median(cpu):.2f}, max {max(cpu):.2f}, "
          f"total {sum(cpu):.1f}; peak MB: median {statistics.median(peak):.1f}, max {max(peak):.1f}")
    print("   slowest ten:")
    for r in sorted(rows, key=lambda r: -r["cpu"])[:10]:
        print("   " + line_of(r))


def summary_of(name, rows):
    solved = sum(r["status"] in ("proven", "solved") for r in rows)
    proven = sum(r["status"] == "proven" for r in rows)
    cpu = [r["cpu"] for r in rows]
    peak = [r["peak_mb"] for r in rows]
    return (f"{name} {len(rows)} {solved} {proven} {statistics.median(cpu):.2f} {max(cpu):.2f} "
            f"{statistics.median(peak):.1f} {max(peak):.1f}")


def line_of(r):
    return (f"{r['level']:>4} {r['size']:>6} {r['crates']:>3} crates {r['status']:>10} {r['cpu']:7.2f} s "
            f"{r['peak_mb']:7.1f} MB {r['pushes']:>5} pushes {r['moves']:>5} moves "
            f"{r['positions']:>9} positions {r['expanded']:>9} expanded")


def main():
    parser = argparse.ArgumentParser()
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--levelkit", default=os.path.join(os.path.dirname(here), "build", "levelkit"))
    parser.add_argument("--time-limit", type=float, default=10.0)
    parser.add_argument("--memory-limit", type=float, default=1024.0)
    parser.add_argument("--threads", type=int)
    parser.add_argument("--table")
    parser.add_argument("--summary", action="store_true")
    parser.add_argument("collections", nargs="+")
    args = parser.parse_args()
    if not os.access(args.levelkit, os.X_OK):
        print(f"no levelkit at {args.levelkit}", file=sys.stderr)
        return 1
    if not args.summary:
        print(f"levelkit {args.levelkit}, time limit {args.time_limit} s, memory limit {args.memory_limit} MB, "
              f"{args.threads or 1} thread(s), load average {os.getloadavg()[0]:.1f} at the start")
    table = open(args.table, "w") if args.table else None
    with tempfile.TemporaryDirectory() as work:
        for collection in args.collections:
            rows = []
            for n, text in enumerate(levels_of(collection), 1):
                row = solve_one(args.levelkit, text, args, work)
                row.update(level=n, crates=crates_of(text), size=size_of(text))
                rows.append(row)
                if not args.summary:
                    print(line_of(row), flush=True)
                if table:
                    print(os.path.basename(collection), line_of(row), file=table, flush=True)
            if not rows:
                print(f"{collection}: no levels", file=sys.stderr)
            elif args.summary:
                print(summary_of(os.path.basename(collection), rows), flush=True)
            else:
                report(os.path.basename(collection), rows)
    if not args.summary:
        print(f"load average {os.getloadavg()[0]:.1f} at the end")
    return 0


if __name__ == "__main__":
    sys.exit(main())
