#!/usr/bin/env python3
"""Turns the raw logs of bench/run.sh into the tables of docs/benchmarks.md.

Every figure is a median over the runs given (min and max beside it where
the spread matters). Nothing here judges a figure: a slow machine prints
slow figures.

  summarize.py startup PROBE_LOG...        phases of the real game, launch to first swap
  summarize.py kv FILE                     medians of key=value lines (cw_bench_startup)
  summarize.py keys PROBE_LOG SEND_LOG     key press to the swap that shows it
  summarize.py solver TABLE                solver table, slowest ten, growth with size
  summarize.py smaps PID BINARY            resident memory by owner, and the binary's sections
  summarize.py idle PID SECONDS PROBE_LOG  CPU of the game (and swaps) while nothing happens
"""
import os
import re
import statistics
import subprocess
import sys
import time


def med(values):
    return statistics.median(values) if values else float("nan")


def spread(values):
    if not values:
        return "n/a"
    return f"{med(values):8.1f}  ({min(values):.1f} .. {max(values):.1f})"


def read_probe(path):
    events = []
    with open(path) as f:
        for line in f:
            parts = line.split(None, 2)
            if len(parts) >= 2 and parts[0].isdigit():
                events.append((int(parts[0]), parts[1], parts[2].strip() if len(parts) > 2 else "-"))
    return events


# The milestones of a start, in the order the game reaches them. Each phase
# runs from the previous milestone that was seen to this one.
MILESTONES = [
    ("loaded", "exec and dynamic loading, to the probe's constructor"),
    ("xopen1", "to the first X connection (the single-instance check)"),
    ("eglinit", "glutInit: second X connection, EGL initialised"),
    ("context", "glutCreateWindow: context current"),
    ("tex_first", "window placement, to the first texture open"),
    ("progress", "the twenty textures (to the open of config.ini)"),
    ("level", "the progress file (to the open of the level file)"),
    ("after_level", "level file, callbacks, main loop (to next open or swap)"),
    ("menu_wav", "first frame: sound device probed (to Menu.wav)"),
    ("swap", "first frame: music loaded, drawing, swap"),
]


def startup_milestones(events):
    t0 = next((int(d) for t, e, d in events if e == "t0"), None)
    if t0 is None:
        return None
    marks = {}
    for t, e, d in events:
        key = None
        if "level" in marks and "after_level" not in marks:
            key = "after_level"
        elif e == "loaded":
            key = "loaded"
        elif e == "xopen":
            key = "xopen1"
        elif e in ("eglinit", "context", "swap"):
            key = e
        elif e == "fopen" and d == "Ground.tex":
            key = "tex_first"
        elif e == "fopen" and d == "config.ini":
            key = "progress"
        elif e == "fopen" and d.startswith("Level") and d.endswith(".Map"):
            key = "level"
        elif e == "fopen" and d == "Menu.wav":
            key = "menu_wav"
        if key and key not in marks:
            marks[key] = (t - t0) / 1e6
        if e == "swap" and "swap" not in marks:
            marks["swap"] = (t - t0) / 1e6
        if "swap" in marks:
            break
    return marks


def cmd_startup(paths):
    runs = [m for m in (startup_milestones(read_probe(p)) for p in paths) if m and "swap" in m]
    print(f"runs with a first swap: {len(runs)} of {len(paths)}")
    print(f"{'phase':<58} {'median ms':>9}  (min .. max)")
    for i, (key, text) in enumerate(MILESTONES):
        phase = []
        for m in runs:
            if key not in m:
                continue
            before = [m[k] for k, _ in MILESTONES[:i] if k in m]
            phase.append(m[key] - (before[-1] if before else 0.0))
        print(f"{text:<58} {spread(phase)}")
    print(f"{'launch to first swap':<58} {spread([m['swap'] for m in runs])}")


def cmd_kv(path):
    rows = []
    with open(path) as f:
        for line in f:
            pairs = dict(p.split("=", 1) for p in line.split() if "=" in p)
            if pairs:
                rows.append(pairs)
    if not rows:
        print("no figures")
        return
    print(f"runs: {len(rows)}; surface {rows[0].get('surface')} {rows[0].get('size')}")
    for key in rows[0]:
        values = []
        for r in rows:
            try:
                values.append(float(r[key]))
            except (KeyError, ValueError):
                pass
        if values:
            unit = "" if key.endswith(("bytes", "opens", "lookups", "calls")) else " ms"
            print(f"  {key:<20} {spread(values)}{unit}")


def cmd_keys(probe_path, send_path):
    events = read_probe(probe_path)
    sends = []
    with open(send_path) as f:
        for line in f:
            parts = line.split()
            if parts and parts[0].isdigit():
                sends.append(int(parts[0]))
    to_event, to_swap, event_to_swap = [], [], []
    for s in sends:
        press = next((t for t, e, d in events if e == "keypress" and t >= s), None)
        swap = next((t for t, e, d in events if e == "swap" and t >= s), None)
        if press is None or swap is None:
            continue
        to_event.append((press - s) / 1e6)
        to_swap.append((swap - s) / 1e6)
        event_to_swap.append((swap - press) / 1e6)
    print(f"key presses: {len(sends)}, answered by a swap: {len(to_swap)}")
    print(f"  XTEST send to the game's XNextEvent   {spread(to_event)} ms")
    print(f"  XNextEvent to the swap that shows it   {spread(event_to_swap)} ms")
    print(f"  send to swap (input to picture)        {spread(to_swap)} ms")
    if to_swap:
        s = sorted(to_swap)
        print(f"  90th percentile send to swap           {s[int(0.9 * (len(s) - 1))]:8.1f} ms")
    draws = [int(d.split("=")[1]) for t, e, d in events if e == "swap" and d.startswith("draws=")]
    if draws:
        print(f"  draws per swapped frame: median {med(draws)}, max {max(draws)}")


def cmd_solver(path):
    rows = []
    with open(path) as f:
        for line in f:
            p = line.split()
            p += ["0"] * (9 - len(p))
            if p[0].isdigit():
                rows.append(dict(level=int(p[0]), walls=int(p[1]), crates=int(p[2]), floor=int(p[3]),
                                 status=p[4], seconds=float(p[5]), peak_mb=float(p[6]),
                                 positions=int(p[7]), pushes=p[8]))
    if not rows:
        print("no solver figures")
        return
    solved = [r for r in rows if r["status"] == "solved"]
    print(f"levels: {len(rows)}, solved: {len(solved)}, not solved: "
          + (", ".join(f"{r['level']} ({r['status']})" for r in rows if r["status"] != "solved") or "none"))
    secs = [r["seconds"] for r in rows]
    peaks = [r["peak_mb"] for r in rows]
    print(f"  wall seconds per level: median {med(secs):.3f}, max {max(secs):.3f}, total {sum(secs):.1f}")
    print(f"  peak resident MB per level: median {med(peaks):.1f}, max {max(peaks):.1f}")
    print("  slowest ten:")
    print(f"    {'level':>5} {'walls':>5} {'crates':>6} {'floor':>5} {'seconds':>8} {'peak MB':>7} {'positions':>10} status")
    for r in sorted(rows, key=lambda r: -r["seconds"])[:10]:
        print(f"    {r['level']:>5} {r['walls']:>5} {r['crates']:>6} {r['floor']:>5} {r['seconds']:>8.3f} "
              f"{r['peak_mb']:>7.1f} {r['positions']:>10} {r['status']}")
    print("  growth: median seconds and positions by crate count")
    for crates in sorted({r["crates"] for r in rows}):
        group = [r for r in rows if r["crates"] == crates]
        print(f"    {crates:>2} crates: {len(group):>3} levels, {med([r['seconds'] for r in group]):8.3f} s, "
              f"{med([r['positions'] for r in group]):>10.0f} positions, floor {med([r['floor'] for r in group]):.0f} cells")


def owner(path):
    if not path or path.startswith("["):
        return path or "[anonymous]"
    name = os.path.basename(path)
    for prefix, group in (("libLLVM", "LLVM (llvmpipe's compiler)"), ("libgallium", "Mesa gallium (llvmpipe)"),
                          ("swrast", "Mesa gallium (llvmpipe)"), ("libSDL2", "SDL2"), ("libasound", "ALSA"),
                          ("libpulse", "PulseAudio"), ("libX", "X11 libraries"), ("libxcb", "X11 libraries"),
                          ("libstdc++", "C/C++ runtime"), ("libc.so", "C/C++ runtime"), ("libm.so", "C/C++ runtime"),
                          ("ld-linux", "C/C++ runtime"), ("libEGL", "EGL/GLES dispatch and Mesa EGL"),
                          ("libGLES", "EGL/GLES dispatch and Mesa EGL"), ("libglapi", "EGL/GLES dispatch and Mesa EGL"),
                          ("libGLdispatch", "EGL/GLES dispatch and Mesa EGL")):
        if name.startswith(prefix):
            return group
    return f"other: {name.split('.so')[0]}" if ".so" in name else name


def cmd_smaps(pid, binary):
    status = open(f"/proc/{pid}/status").read()
    for key in ("VmHWM", "VmRSS"):
        m = re.search(rf"{key}:\s+(\d+) kB", status)
        if m:
            print(f"  {key:<6} {int(m.group(1)) / 1024:8.1f} MB" + ("  (peak resident)" if key == "VmHWM" else ""))
    groups = {}
    current = None
    for line in open(f"/proc/{pid}/smaps"):
        fields = line.split()
        if re.match(r"^[0-9a-f]+-[0-9a-f]+ ", line):
            current = owner(fields[5] if len(fields) > 5 else "")
            if current == os.path.basename(binary):
                current = "the game binary"
        elif fields and fields[0] == "Rss:" and current:
            groups[current] = groups.get(current, 0) + int(fields[1])
    print("  resident now, by owner:")
    small = 0
    for name, kb in sorted(groups.items(), key=lambda kv: -kv[1]):
        if kb >= 256 or not name.startswith("other: "):
            print(f"    {name:<36} {kb / 1024:8.2f} MB")
        else:
            small += kb
    print(f"    {'other libraries under 0.25 MB each':<36} {small / 1024:8.2f} MB")
    out = subprocess.run(["size", "-A", binary], capture_output=True, text=True).stdout
    sections = {p[0]: int(p[1]) for p in (l.split() for l in out.splitlines()) if len(p) >= 2 and p[1].isdigit()}
    print("  the game's own static memory: " + ", ".join(
        f"{s} {sections.get(s, 0) / 1024:.1f} KB" for s in (".text", ".rodata", ".data", ".bss")))


def cpu_ticks(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def loop_turns(probe_path):
    turns = [int(d) for t, e, d in read_probe(probe_path) if e == "xpending"]
    return turns[-1] if turns else 0


def cmd_idle(pid, seconds, probe_path, xvfb_pid=None):
    hz = os.sysconf("SC_CLK_TCK")
    swaps_before = sum(1 for e in read_probe(probe_path) if e[1] == "swap")
    turns_before = loop_turns(probe_path)
    game0 = cpu_ticks(pid)
    x0 = cpu_ticks(xvfb_pid) if xvfb_pid else 0
    t0 = time.monotonic()
    time.sleep(float(seconds))
    elapsed = time.monotonic() - t0
    game = (cpu_ticks(pid) - game0) / hz / elapsed * 100
    swaps = sum(1 for e in read_probe(probe_path) if e[1] == "swap") - swaps_before
    turns = loop_turns(probe_path) - turns_before
    print(f"  game CPU: {game:.0f} % of one core over {elapsed:.1f} s; "
          f"frames swapped meanwhile: {swaps} ({swaps / elapsed:.0f} a second); "
          + (f"main-loop turns: about {turns / elapsed:,.0f} a second" if turns else
             "main-loop turns: under 10,000 in the window (one a frame)"))
    if xvfb_pid:
        print(f"  X server CPU meanwhile: {(cpu_ticks(xvfb_pid) - x0) / hz / elapsed * 100:.0f} % of one core")


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    cmd, args = argv[1], argv[2:]
    if cmd == "startup":
        cmd_startup(args)
    elif cmd == "kv":
        cmd_kv(args[0])
    elif cmd == "keys":
        cmd_keys(args[0], args[1])
    elif cmd == "solver":
        cmd_solver(args[0])
    elif cmd == "smaps":
        cmd_smaps(args[0], args[1])
    elif cmd == "idle":
        cmd_idle(args[0], args[1], args[2], args[3] if len(args) > 3 else None)
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
