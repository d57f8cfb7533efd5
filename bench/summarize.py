#!/usr/bin/env python3
"""Turns the raw logs of bench/run.sh into the tables of docs/benchmarks.md.

Every figure is a median over the runs given (min and max beside it where
the spread matters). Nothing here judges a figure: a slow machine prints
slow figures.

  summarize.py launch LABEL PROBE_LOG...   launch to first swap, one row
  summarize.py startup PROBE_LOG...        phases of the real game, launch to first swap
  summarize.py kv FILE                     medians of key=value lines (cw_bench_startup)
  summarize.py yardstick GAME_DIR RUNS     the twenty .tex files read by cat, whole command
  summarize.py keys LABEL PROBE_LOG SEND_LOG       key press to the swap that shows it, one row
  summarize.py hold LABEL PROBE_LOG SEND_LOG       a held key: its repeats and their frames
  summarize.py solver TABLE                solver table, slowest ten, growth with size
  summarize.py smaps PID BINARY            resident memory by owner, and the binary's sections
  summarize.py idle LABEL PID SECONDS PROBE_LOG [XVFB_PID]  CPU of the game (and swaps) while nothing happens
"""
import glob
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
    ("clear", "level file, callbacks, main loop, to the first frame"),
    ("swap", "first frame: sound cue, drawing, swap"),
]
EVENT_MILESTONES = {"loaded": "loaded", "xopen": "xopen1", "eglinit": "eglinit", "context": "context",
                    "clear": "clear", "swap": "swap"}
FILE_MILESTONES = {"Ground.tex": "tex_first", "config.ini": "progress"}


def startup_milestones(events):
    t0 = next((int(d) for t, e, d in events if e == "t0"), None)
    if t0 is None:
        return None
    marks = {}
    for t, e, d in events:
        key = EVENT_MILESTONES.get(e)
        if e == "fopen":
            key = FILE_MILESTONES.get(d) or ("level" if d.startswith("Level") and d.endswith(".Map") else None)
        if e in ("audioinit", "audioopen"):
            key = e
        if key and key not in marks:
            marks[key] = (t - t0) / 1e6
            if key == "swap" and "cpu=" in d:
                marks["swap_cpu"] = int(d.split("cpu=")[1].split()[0]) / 1e6
    return marks if "swap" in marks else None


def all_starts(paths):
    return [m for m in (startup_milestones(read_probe(p)) for p in paths) if m]


def cmd_launch(label, paths):
    runs = all_starts(paths)
    cpu = [m["swap_cpu"] for m in runs if "swap_cpu" in m]
    print(f"  {label:<44} {spread([m['swap'] for m in runs])}   CPU {spread(cpu)}   ({len(runs)} of {len(paths)} runs)")


def cmd_startup(paths):
    runs = all_starts(paths)
    print(f"runs with a first swap: {len(runs)} of {len(paths)}")
    print(f"{'phase':<58} {'median ms':>9}  (min .. max)")
    for i, (key, text) in enumerate(MILESTONES):
        phase = []
        for m in runs:
            if key not in m:
                continue
            before = [m[k] for k, _ in MILESTONES[:i] if k in m and m[k] <= m[key]]
            phase.append(m[key] - (max(before) if before else 0.0))
        print(f"{text:<58} {spread(phase)}")
    print(f"{'launch to first swap':<58} {spread([m['swap'] for m in runs])}")
    looks = [m for m in runs if "audioinit" in m and "audioopen" in m]
    if looks:
        print(f"{'the look for a sound device (SDL_InitSubSystem to the end of SDL_OpenAudioDevice)':<58}")
        print(f"{'  starts, after launch':<58} {spread([m['audioinit'] for m in looks])}")
        print(f"{'  takes':<58} {spread([m['audioopen'] - m['audioinit'] for m in looks])}")
        print(f"{'  ends, after the first swap (negative: before it)':<58} "
              f"{spread([m['audioopen'] - m['swap'] for m in looks])}")


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


def read_sends(send_path):
    with open(send_path) as f:
        return [int(p[0]) for p in (line.split() for line in f) if p and p[0].isdigit()]


def first_after(events, name, t):
    return next((e[0] for e in events if e[1] == name and e[0] >= t), None)


def cmd_keys(label, probe_path, send_path):
    events = read_probe(probe_path)
    to_swap, to_clear, drawing = [], [], []
    for s in read_sends(send_path):
        press = first_after(events, "keypress", s)
        clear = first_after(events, "clear", press) if press else None
        swap = first_after(events, "swap", clear) if clear else None
        if swap is None:
            continue
        to_swap.append((swap - s) / 1e6)
        to_clear.append((clear - s) / 1e6)
        drawing.append((swap - clear) / 1e6)
    p90 = sorted(to_swap)[int(0.9 * (len(to_swap) - 1))] if to_swap else float("nan")
    print(f"  {label:<18} to swap {spread(to_swap)}  p90 {p90:5.1f}  to frame {med(to_clear):5.1f}  "
          f"drawing {med(drawing):5.1f}  answered {len(to_swap)} of {len(read_sends(send_path))}")


def cmd_hold(label, probe_path, send_path):
    events = read_probe(probe_path)
    sends = read_sends(send_path)
    presses = [t for t, e, d in events if e == "keypress" and sends and t >= sends[0]]
    if len(presses) < 2:
        print(f"  {label}: {len(presses)} presses seen")
        return
    gaps = [(b - a) / 1e6 for a, b in zip(presses, presses[1:])]
    swaps = sum(1 for t, e, d in events if e == "swap" and t >= presses[0])
    print(f"  {label:<8} {len(presses)} presses in {(presses[-1] - presses[0]) / 1e9:.2f} s: first repeat after "
          f"{gaps[0]:.0f} ms, then every {med(gaps[1:]):.1f} ms ({1000 / med(gaps[1:]):.1f} a second); "
          f"{swaps} frames swapped")


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


def cmd_idle(label, pid, seconds, probe_path, xvfb_pid=None):
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
    x = f"{(cpu_ticks(xvfb_pid) - x0) / hz / elapsed * 100:5.1f} %" if xvfb_pid else "n/a"
    per_frame = f" ({game * 10 / (swaps / elapsed):4.1f} ms a frame)" if swaps else " " * 18
    print(f"  {label:<28} game CPU {game:5.1f} %{per_frame}  frames {swaps / elapsed:6.1f}/s  "
          + (f"XPending {turns / elapsed:>10,.0f}/s" if turns else "XPending    < 2,000/s") + f"  X server {x}")


def cmd_yardstick(game_dir, runs):
    files = sorted(glob.glob(game_dir + "/*.tex"))
    times = []
    for _ in range(int(runs) + 1):
        t = time.monotonic()
        subprocess.run(["cat", *files], stdout=subprocess.DEVNULL)
        times.append((time.monotonic() - t) * 1000)
    times = times[1:]
    print(f"-- yardstick: cat {len(files)} .tex files > /dev/null, whole command, warm cache: "
          f"median {med(times):.2f} ms ({min(times):.2f} .. {max(times):.2f})")


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    cmd, args = argv[1], argv[2:]
    commands = {
        "launch": lambda: cmd_launch(args[0], args[1:]),
        "startup": lambda: cmd_startup(args),
        "kv": lambda: cmd_kv(args[0]),
        "yardstick": lambda: cmd_yardstick(args[0], args[1]),
        "keys": lambda: cmd_keys(args[0], args[1], args[2]),
        "hold": lambda: cmd_hold(args[0], args[1], args[2]),
        "solver": lambda: cmd_solver(args[0]),
        "smaps": lambda: cmd_smaps(args[0], args[1]),
        "idle": lambda: cmd_idle(args[0], args[1], args[2], args[3], args[4] if len(args) > 4 else None),
    }
    if cmd not in commands:
        print(__doc__)
        return 2
    commands[cmd]()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
