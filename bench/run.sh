#!/bin/bash
# Runs the benchmarks and prints their figures. Nothing here fails on a slow
# machine: every section prints what it measured and the limit beside it.
#
#   bench/run.sh [--build DIR] [--runs N] [--display :N] [SECTION...]
#
# Sections (all when none is named): machine startup frames input memory idle
# solver growth experiments. The build folder (default build/bench under the
# source tree) is configured and built when the programs are missing.
# Xvfb display numbers :50 to :59 are used; every process started is ended.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
build="$source_dir/build/bench"
runs=11
display_base=57
sections=()
while [ $# -gt 0 ]; do
    case "$1" in
        --build) build=$(realpath -m "$2"); shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --display) display_base=${2#:}; shift 2 ;;
        -h|--help) sed -n '2,9p' "$0"; exit 0 ;;
        *) sections+=("$1"); shift ;;
    esac
done
[ ${#sections[@]} -eq 0 ] && sections=(machine startup frames input memory idle solver growth experiments)
summarize="python3 $here/summarize.py"
work=$(mktemp -d /tmp/cw-bench.XXXXXX)
started=()

cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

build_programs() {
    if [ ! -x "$build/bench/cw_bench_frames" ] || [ ! -x "$build/cratewright/cratewright" ]; then
        cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCRATEWRIGHT_GAME_FOLDER=OFF \
            -DFREEGLUT_PREFIX="$source_dir/build/deps" >/dev/null
    fi
    cmake --build "$build" -j2 --target cw_bench_frames cw_bench_frames_xvfb cw_bench_startup \
        cw_bench_startup_xvfb cw_launch cw_probe cw_keysend cratewright levelkit game_data >/dev/null 2>&1
}

# start_xvfb WxH: an X server of exactly that size on the first free display
# from :$display_base up to :59 (then from :50); sets disp. Other work on this
# machine may hold a display of the range: one with a lock file is never used.
start_xvfb() {
    local n
    for n in $(seq "$display_base" 59) $(seq 50 $((display_base - 1))); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
        started+=($!)
        for _ in $(seq 50); do
            kill -0 "${started[-1]}" 2>/dev/null || break
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then disp=$n; return 0; fi
            sleep 0.1
        done
        stop_last
    done
    echo "no free Xvfb display in :50 to :59" >&2
    return 1
}

stop_last() {
    local pid=${started[-1]}
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
    unset 'started[-1]'
}

# A fresh game folder: the built game and its data, with the given progress file.
fresh_game() {
    rm -rf "$work/game"
    cp -r "$build/cratewright" "$work/game"
    printf '%s\n' "$@" > "$work/game/config.ini"
}

game_bin() { echo "$work/game/cratewright"; }
probe() { echo "$build/bench/libcw_probe.so"; }

section_machine() {
    echo "== machine"
    echo "date (UTC): $(date -u '+%Y-%m-%d %H:%M')"
    echo "nproc: $(nproc)"
    echo "CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
    echo "memory: $(awk '/MemTotal/ {printf "%.1f GiB", $2/1048576}' /proc/meminfo)"
    echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "Mesa: $(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)"
    "$build/bench/cw_bench_frames" --game "$build/cratewright" --frames 1 --warmup 0 --size 240x320 --level 1 \
        2>/dev/null | grep '^# GL' || true
}

section_startup() {
    echo "== start-up: the real game under Xvfb 240x320, launch to the first swapped frame ($runs runs each)"
    start_xvfb 240x320 || return
    local sound label
    for sound in 1 0; do
        label=$([ $sound = 1 ] && echo "sound on (shipped config.ini), no sound card" || echo "sound off")
        echo "-- $label"
        for i in $(seq "$runs"); do
            fresh_game 0 1 "$sound"
            DISPLAY=":$disp" CW_PROBE_LOG="$work/start-$sound-$i.log" CW_PROBE_EXIT_AT_SWAP=1 \
                timeout 30 "$build/bench/cw_launch" "$(probe)" "$(game_bin)" >"$work/start.out" 2>&1 ||
                { echo "  a run ended with status $?:"; head -3 "$work/start.out" | sed 's/^/    /'; }
        done
        $summarize startup "$work"/start-$sound-*.log
    done
    stop_last
    echo "-- in-process split of the same calls (cw_bench_startup, EGL pbuffer, sound off)"
    for i in $(seq "$runs"); do
        "$build/bench/cw_bench_startup" --game "$build/cratewright" >> "$work/split-egl.txt" 2>/dev/null
    done
    $summarize kv "$work/split-egl.txt"
    echo "-- in-process split with a freeglut window on Xvfb (cw_bench_startup_xvfb)"
    start_xvfb 240x320 || return
    for i in $(seq "$runs"); do
        DISPLAY=":$disp" "$build/bench/cw_bench_startup_xvfb" --game "$build/cratewright" \
            >> "$work/split-x.txt" 2>/dev/null
    done
    stop_last
    $summarize kv "$work/split-x.txt"
    echo "-- yardstick: the twenty texture files from a warm cache with cat, whole command"
    python3 - "$build/cratewright" "$runs" <<'PY'
import glob, statistics, subprocess, sys, time
files = sorted(glob.glob(sys.argv[1] + "/*.tex"))
times = []
for _ in range(int(sys.argv[2]) + 1):
    t = time.monotonic()
    subprocess.run(["cat", *files], stdout=subprocess.DEVNULL)
    times.append((time.monotonic() - t) * 1000)
times = times[1:]
print(f"  cat {len(files)} .tex files > /dev/null: median {statistics.median(times):.2f} ms "
      f"({min(times):.2f} .. {max(times):.2f})")
PY
}

section_frames() {
    echo "== frames: one display call per screen and size; limit 16.7 ms (60 Hz)"
    echo "-- EGL pbuffer"
    "$build/bench/cw_bench_frames" --game "$build/cratewright" --frames 200 2>&1
    echo "-- freeglut window on an Xvfb screen of the same size, one process per size"
    local size
    for size in 240x320 320x240 480x640 640x480 240x240 480x480; do
        start_xvfb "$size" || return
        DISPLAY=":$disp" "$build/bench/cw_bench_frames_xvfb" --game "$build/cratewright" --frames 200 \
            --size "$size" 2>&1 | grep -v '^# GL' | { [ "$size" = 240x320 ] && cat || grep -v -e '^surface' -e '^# play'; }
        stop_last
    done
}

# Runs the real game on Xvfb and leaves it running; sets game_pid and xvfb_pid.
start_game() {
    start_xvfb "$1" || return 1
    xvfb_pid=${started[-1]}
    fresh_game 0 1 "$2"
    DISPLAY=":$disp" CW_PROBE_LOG="$work/run.log" \
        "$build/bench/cw_launch" "$(probe)" "$(game_bin)" >/dev/null 2>&1 &
    game_pid=$!
    started+=($game_pid)
    for _ in $(seq 100); do grep -q ' swap ' "$work/run.log" 2>/dev/null && break; sleep 0.1; done
    sleep 1
}

stop_game() {
    stop_last  # the game
    stop_last  # its X server
    rm -f "$work/run.log"
}

section_input() {
    echo "== input to picture: an XTEST key press to the swap that shows the move (level 1, 60 presses)"
    local size
    for size in 240x320 480x640; do
        echo "-- $size"
        start_game "$size" 0 || return
        DISPLAY=":$disp" "$build/bench/cw_keysend" "$work/sent.log" Return 60 150 Left Right
        sleep 0.5
        $summarize keys "$work/run.log" "$work/sent.log"
        stop_game
    done
}

section_memory() {
    echo "== memory of the running game (sound on, no sound card)"
    local size
    for size in 240x320 640x480; do
        echo "-- $size, after the menu and 30 moves"
        start_game "$size" 1 || return
        DISPLAY=":$disp" "$build/bench/cw_keysend" "$work/sent.log" Return 30 50 Left Right
        sleep 0.5
        $summarize smaps "$game_pid" "$(game_bin)"
        echo "  texture bytes handed to GL: $(grep ' upload ' "$work/run.log" | tail -1 | sed 's/.*total=//')"
        stop_game
    done
}

section_idle() {
    echo "== idle: CPU while the menu is shown and nothing is pressed (the main loop never sleeps)"
    start_game 240x320 1 || return
    $summarize idle "$game_pid" 5 "$work/run.log" "$xvfb_pid"
    echo "-- the level-complete screen, which asks for the next frame from every frame (level 1 solved with one key)"
    DISPLAY=":$disp" "$build/bench/cw_keysend" "$work/sent.log" Return 1 300 4
    $summarize idle "$game_pid" 5 "$work/run.log" "$xvfb_pid"
    stop_game
}

section_solver() {
    echo "== solver: levelkit solve on every shipped level (time limit 60 s a level; seconds as the solver reports them)"
    local table="$work/solver.txt" map n text walls crates floor line status
    : > "$table"
    for map in $(ls "$build/cratewright"/Level*.Map | sort -V); do
        n=$(basename "$map" .Map); n=${n#Level}
        text="$work/level$n.txt"
        "$build/levelkit" export "$map" > "$text" 2>/dev/null || continue
        walls=$(grep -o '#' "$text" | wc -l)
        crates=$(grep -o '[$*]' "$text" | wc -l)
        floor=$(grep -o '[ .@+$*]' "$text" | wc -l)
        /usr/bin/time -f 'peak_kb=%M wall=%e' -o "$work/time.txt" \
            "$build/levelkit" solve "$text" --time-limit 60 > "$work/solution.txt" 2> "$work/solve.err"
        line=$(grep '^level ' "$work/solve.err" | tail -1)
        status=solved
        grep -q 'no solution' "$work/solution.txt" && status=unsolvable
        grep -q 'timeout' "$work/solution.txt" && status=timeout
        echo "$n $walls $crates $floor $status $(echo "$line" | sed -n 's/.* \([0-9.]*\) s, .*/\1/p') \
$(awk -F'peak_kb=' '{split($2,a," "); printf "%.1f", a[1]/1024}' "$work/time.txt") \
$(echo "$line" | sed -n 's/.*; \([0-9]*\) positions.*/\1/p') \
$(echo "$line" | sed -n 's/.* \([0-9]*\) pushes.*/\1/p')" >> "$table"
    done
    $summarize solver "$table"
}

section_growth() {
    echo "== growth: the play frame of every shipped level against its size (EGL pbuffer)"
    "$build/bench/cw_bench_frames" --game "$build/cratewright" --growth --frames 60 --size 240x320 --size 640x480 2>&1
}

# Start-up with a sound device (SDL's dummy driver stands in for a card): the
# shipped music, then the same music already in the device's format.
sound_format_experiment() {
    echo "-- first frame with a sound device (SDL_AUDIODRIVER=dummy): shipped Menu.wav, then a 44100 Hz stereo copy"
    start_xvfb 240x320 || return
    local variant i
    for variant in shipped converted; do
        for i in $(seq "$runs"); do
            fresh_game 0 1 1
            [ $variant = converted ] && python3 - "$work/game/Menu.wav" <<'PY'
import array, sys, wave
src = wave.open(sys.argv[1], "rb")
assert src.getsampwidth() == 2
frames = array.array("h", src.readframes(src.getnframes()))
channels, rate = src.getnchannels(), src.getframerate()
src.close()
mono = frames[::channels]
step = 44100 / rate  # nearest sample: the timing, not the sound, is under test
out = array.array("h", (mono[min(len(mono) - 1, int(i / step))] for i in range(int(len(mono) * step)) for _ in (0, 1)))
dst = wave.open(sys.argv[1], "wb")
dst.setnchannels(2); dst.setsampwidth(2); dst.setframerate(44100)
dst.writeframes(out.tobytes())
dst.close()
PY
            DISPLAY=":$disp" SDL_AUDIODRIVER=dummy CW_PROBE_LOG="$work/snd-$variant-$i.log" \
                CW_PROBE_EXIT_AT_SWAP=1 timeout 30 "$build/bench/cw_launch" "$(probe)" "$(game_bin)" >/dev/null 2>&1
        done
        echo "   $variant Menu.wav ($(stat -c %s "$work/game/Menu.wav") bytes):"
        $summarize startup "$work"/snd-$variant-*.log | grep -e 'first frame' -e 'launch to' | sed 's/^/   /'
    done
    stop_last
}

section_experiments() {
    echo "== experiments (local; nothing in the game is changed)"
    sound_format_experiment
    echo "-- repeated binds and enables not passed to GL, and textures held as RGBA; play screen, paired runs"
    local i mode
    for i in 1 2 3; do
        for mode in "" --skip-repeated-state --rgba-textures; do
            "$build/bench/cw_bench_frames" --game "$build/cratewright" --frames 200 --size 240x320 --size 640x480 \
                $mode 2>&1 | awk -v m="${mode:-as shipped}" '$3=="play" {print "  " m ": " $2 " frame " $(NF-2) " ms, frame cpu " $NF " ms, display call cpu " $(NF-4) " ms"}'
        done
    done
}

if ! build_programs; then
    # Another part of the tree may be half-written; programs built earlier still measure.
    [ -x "$build/bench/cw_bench_frames" ] && [ -x "$build/cratewright/cratewright" ] || { echo "the build failed" >&2; exit 1; }
    echo "note: the build failed; measuring the programs built earlier" >&2
fi
for s in "${sections[@]}"; do
    "section_$s"
    echo
done
