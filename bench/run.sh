#!/bin/bash
# Runs the benchmarks and prints their figures. Nothing here fails on a slow
# machine: every section prints what it measured, and the target beside it.
#
#   bench/run.sh [--build DIR] [--before DIR|REV] [--runs N] [--display :N] [SECTION...]
#
# Sections (all when none is named): machine startup frames input idle memory
# solver growth experiments. The build folder (default build/bench) is built
# every time; a build that fails ends the run with its errors. --before names
# a second game to hold the figures against: a build folder with
# cratewright/cratewright in it, or a git revision (e.g. main), which is
# exported and built into build/bench-before-REV. The startup, input and idle
# sections then run both in turn, so that both see the same load; both use the
# data of this tree. Xvfb displays :50 to :59 are used; every process started
# is ended.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
build="$source_dir/build/bench"
before=""
runs=11
display_base=57
sections=()
while [ $# -gt 0 ]; do
    case "$1" in
        --build) build=$(realpath -m "$2"); shift 2 ;;
        --before) before=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --display) display_base=${2#:}; shift 2 ;;
        -h|--help) sed -n '2,15p' "$0"; exit 0 ;;
        *) sections+=("$1"); shift ;;
    esac
done
[ ${#sections[@]} -eq 0 ] && sections=(machine startup frames input idle memory solver growth experiments)
summarize="python3 $here/summarize.py"
deps="$source_dir/build/deps"
# What the benchmark needs besides what setup.sh installs: the X server and
# xdpyinfo, /usr/bin/time, size, python3, and libXtst for cw_keysend.
bench_packages=(xvfb x11-utils time binutils python3 libxtst6)
work=$(mktemp -d /tmp/cw-bench.XXXXXX)
started=()
variants=(after)

die() { echo "bench: $*" >&2; exit 1; }

cleanup() {
    for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

install_bench_packages() {
    local missing=() p sudo=""
    for p in "${bench_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    [ -z "$sudo" ] || command -v sudo >/dev/null || die "missing Debian packages: ${missing[*]} (install them as root)"
    echo "bench: installing ${missing[*]}" >&2
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
        --no-install-recommends "${missing[@]}" >/dev/null || die "could not install ${missing[*]}"
}

# build_tree SOURCE BUILD TARGET...: configure and build, or end the run with the errors.
build_tree() {
    local src=$1 dir=$2; shift 2
    cmake -S "$src" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCRATEWRIGHT_GAME_FOLDER=OFF \
        -DFREEGLUT_PREFIX="$deps" > "$work/configure.log" 2>&1 ||
        { cat "$work/configure.log" >&2; die "configuring $dir failed"; }
    cmake --build "$dir" -j2 --target "$@" > "$work/build.log" 2>&1 ||
        { grep -E -B2 -A6 'error|Error' "$work/build.log" | tail -60 >&2; die "building $dir failed"; }
}

build_programs() {
    install_bench_packages
    # freeglut for OpenGL ES comes from setup.sh, which builds it into build/deps.
    [ -f "$deps/lib/libfreeglut-gles.a" ] || bash "$source_dir/setup.sh" build || die "setup.sh build failed"
    build_tree "$source_dir" "$build" cw_bench_frames cw_bench_frames_xvfb cw_bench_startup cw_bench_startup_xvfb \
        cw_launch cw_probe cw_keysend cw_bare_window cratewright levelkit game_data
    [ -x "$build/bench/cw_keysend" ] || die "cw_keysend was not built: libXtst (libxtst6) was not found"
    [ -z "$before" ] && return 0
    if [ -x "$before/cratewright/cratewright" ]; then
        before_exe="$before/cratewright/cratewright"
        before_levelkit="$before/levelkit"
    else
        local rev
        rev=$(git -C "$source_dir" rev-parse --short "$before^{commit}" 2>/dev/null) ||
            die "--before $before is neither a build folder nor a git revision"
        local dir="$source_dir/build/bench-before-$rev"
        if [ ! -x "$dir/build/cratewright/cratewright" ] || [ ! -x "$dir/build/levelkit" ]; then
            rm -rf "$dir" && mkdir -p "$dir/src"
            git -C "$source_dir" archive "$rev" | tar -x -C "$dir/src"
            build_tree "$dir/src" "$dir/build" cratewright game_data levelkit
        fi
        before_exe="$dir/build/cratewright/cratewright"
        before_levelkit="$dir/build/levelkit"
        before="$before ($rev)"
    fi
    variants=(before after)
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

# fresh_game VARIANT KEPT LEVEL SOUND: a copy of the built game folder with that
# progress file; the "before" variant runs the other executable on this data.
fresh_game() {
    rm -rf "$work/game"
    cp -r "$build/cratewright" "$work/game"
    [ "$1" = before ] && cp "$before_exe" "$work/game/cratewright"
    shift
    printf '%s\n' "$@" > "$work/game/config.ini"
}

game_bin() { echo "$work/game/cratewright"; }
probe() { echo "$build/bench/libcw_probe.so"; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

# The shipped level with the most "#" (walls) or "[$*]" (crates) in its text form.
level_with_most() {
    local pattern=$1 map n count best=1 most=-1
    for map in "$build/cratewright"/Level*.Map; do
        n=$(basename "$map" .Map); n=${n#Level}
        count=$("$build/levelkit" export "$map" 2>/dev/null | grep -v '^;' | grep -o "$pattern" | wc -l)
        [ "$count" -gt "$most" ] && most=$count best=$n
    done
    echo "$best"
}

# The keys (digits) that solve shipped level N, one a word: its stored
# solution, each letter the key it names (l 4, r 6, u 2, d 8).
solution_keys() {
    sed -n 's/^; solution: //p' "$source_dir/data/levels.txt" | sed -n "${1}p" | tr 'lrudLRUD' '46284628' | grep -o .
}

section_machine() {
    echo "== machine"
    echo "date (UTC): $(date -u '+%Y-%m-%d %H:%M')"
    echo "nproc: $(nproc)"
    echo "CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
    echo "memory: $(awk '/MemTotal/ {printf "%.1f GiB", $2/1048576}' /proc/meminfo)"
    echo "Mesa: $(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)"
    echo "measured: $(git -C "$source_dir" describe --always --dirty 2>/dev/null)${before:+, against $before}"
    "$build/bench/cw_bench_frames" --game "$build/cratewright" --frames 1 --warmup 0 --size 240x320 --level 1 \
        2>/dev/null | grep '^# GL' || true
}

# launch_once NAME LOG PROGRAM [ENV...]: one start under the probe, ended at its first swap.
launch_once() {
    local log=$1 program=$2; shift 2
    env DISPLAY=":$disp" CW_PROBE_LOG="$log" CW_PROBE_EXIT_AT_SWAP=1 "$@" \
        timeout 30 "$build/bench/cw_launch" "$(probe)" "$program" >"$work/start.out" 2>&1 ||
        { echo "  a run ended with status $?:"; head -3 "$work/start.out" | sed 's/^/    /'; }
}

section_startup() {
    echo "== start-up: launch to the first swapped frame, Xvfb 240x320, shipped data ($runs runs each, in turn; load $(load))"
    start_xvfb 240x320 || return
    local i v sound
    for i in $(seq "$runs"); do
        launch_once "$work/start-floor-$i.log" "$build/bench/cw_bare_window"
        for v in "${variants[@]}"; do
            for sound in 1 0; do
                fresh_game "$v" 0 1 "$sound"
                # With sound on the run also waits for the look for a sound device to end.
                launch_once "$work/start-$v-$sound-$i.log" "$(game_bin)" CW_PROBE_EXIT_AFTER_AUDIO=$sound
            done
        done
    done
    stop_last
    echo "-- launch to first swap, ms: wall median (min .. max), then the CPU the process had used by then"
    $summarize launch "floor: a GLES window, one clear and swap" "$work"/start-floor-*.log
    for v in "${variants[@]}"; do
        $summarize launch "$v, sound on, no sound card" "$work"/start-$v-1-*.log
        $summarize launch "$v, sound off" "$work"/start-$v-0-*.log
    done
    for v in "${variants[@]}"; do
        for sound in 1 0; do
            echo "-- phases, $v, sound $([ $sound = 1 ] && echo on || echo off)"
            $summarize startup "$work"/start-$v-$sound-*.log
        done
    done
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
    $summarize yardstick "$build/cratewright" "$runs"
}

section_frames() {
    echo "== frames: one display call per screen and size; limit 16.7 ms (60 Hz); load $(load)"
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

# start_game SIZE VARIANT LEVEL SOUND: the real game with the probe on a fresh
# Xvfb, left running; sets game_pid and xvfb_pid.
start_game() {
    start_xvfb "$1" || return 1
    xvfb_pid=${started[-1]}
    fresh_game "$2" 0 "$3" "$4"
    rm -f "$work/run.log"
    DISPLAY=":$disp" CW_PROBE_LOG="$work/run.log" \
        "$build/bench/cw_launch" "$(probe)" "$(game_bin)" >/dev/null 2>&1 &
    game_pid=$!
    started+=($game_pid)
    for _ in $(seq 100); do grep -q ' swap ' "$work/run.log" 2>/dev/null && break; sleep 0.1; done
}

stop_game() {
    kill -KILL "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null
    unset 'started[-1]'
    stop_last  # its X server
}

keys() { DISPLAY=":$disp" "$build/bench/cw_keysend" "$@"; }

section_input() {
    local level size v
    level=$(level_with_most '#')
    echo "== input to picture: an XTEST key press to the swap that shows it (level $level, the most walls;"
    echo "   40 presses of Left and Right 150 ms apart; sound off; load $(load))"
    echo "-- ms: send to swap median (min .. max), 90th percentile; send to the frame's first call; the frame's drawing"
    for size in 240x320 320x240 480x640 640x480 240x240 480x480; do
        for v in "${variants[@]}"; do
            start_game "$size" "$v" "$level" 0 || return
            keys "$work/sent.log" Return 40 150 Left Right
            sleep 0.5
            $summarize keys "$v $size" "$work/run.log" "$work/sent.log"
            stop_game
        done
    done
    echo "-- a held key: Left held for 3 s on the play screen, 240x320 (the X server repeats it)"
    for v in "${variants[@]}"; do
        start_game 240x320 "$v" "$level" 0 || return
        keys --hold 3000 "$work/sent.log" Return 1 0 Left
        sleep 0.3
        $summarize hold "$v" "$work/run.log" "$work/sent.log"
        stop_game
    done
}

# Each still screen and the keys that reach it from the menu; "solve N" stands
# for the keys that solve shipped level N.
idle_route() {
    case $1 in
        menu) echo "1" ;;
        play) echo "1 Return" ;;
        options) echo "1 Down Return" ;;
        credits) echo "1 Down Down Return" ;;
        end) echo "100 Return $(solution_keys 100 | tr '\n' ' ') Return" ;;
        levelcomplete) echo "1 Return $(solution_keys 1 | tr '\n' ' ')" ;;
    esac
}

section_idle() {
    echo "== idle: the real game on each screen with nothing pressed for 5 s (sound off; load $(load))"
    echo "-- CPU of the whole process (all threads) in % of one core; frames swapped; XPending calls (freeglut makes one a loop turn); X server CPU"
    local size screen v route
    for size in 240x320 480x640; do
        for screen in menu play options credits end levelcomplete; do
            read -r -a route <<< "$(idle_route $screen)"
            for v in "${variants[@]}"; do
                start_game "$size" "$v" "${route[0]}" 0 || return
                if [ ${#route[@]} -gt 1 ]; then
                    keys "$work/sent.log" "${route[1]}" $((${#route[@]} - 2)) 40 "${route[@]:2}" x
                fi
                sleep 1
                $summarize idle "$v $size $screen" "$game_pid" 5 "$work/run.log" "$xvfb_pid"
                stop_game
            done
        done
    done
}

section_memory() {
    echo "== memory of the running game (sound on, no sound card; load $(load))"
    local size
    for size in 240x320 640x480; do
        echo "-- $size, after the menu and 30 moves"
        start_game "$size" after 1 1 || return
        keys "$work/sent.log" Return 30 50 Left Right
        sleep 0.5
        $summarize smaps "$game_pid" "$(game_bin)"
        echo "  texture bytes handed to GL: $(grep ' upload ' "$work/run.log" | tail -1 | sed 's/.*total=//')"
        stop_game
    done
}

section_solver() {
    echo "== solver: levelkit solve on every shipped level (time limit 60 s a level; seconds as the solver reports them)"
    local table="$work/solver.txt" map n text walls crates floor line status
    : > "$table"
    for map in $(ls "$build/cratewright"/Level*.Map | sort -V); do
        n=$(basename "$map" .Map); n=${n#Level}
        text="$work/level$n.txt"
        "$build/levelkit" export "$map" > "$text" 2>/dev/null || continue
        walls=$(grep -v '^;' "$text" | grep -o '#' | wc -l)
        crates=$(grep -v '^;' "$text" | grep -o '[$*]' | wc -l)
        floor=$(grep -v '^;' "$text" | grep -o '[ .@+$*]' | wc -l)
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
    stress_table
}

# The stress sets, each level solved in a process of its own at 10 CPU seconds
# (niced: the time is the solver's CPU time, so other work on the machine does
# not change it), with one thread and with two where the build's solve takes
# --threads, this build and the one before side by side.
stress_table() {
    local sets=("$here/stress-levels.txt" "$here/warehouse-levels.txt") rows="$work/stress-rows.txt" v kit threads
    echo "-- stress sets: levelkit solve --time-limit 10 on each level (load $(load))"
    : > "$rows"
    for v in "${variants[@]}"; do
        kit="$build/levelkit"
        [ "$v" = before ] && kit="$before_levelkit"
        if [ ! -x "$kit" ]; then
            echo "  $v: no levelkit at $kit"
            continue
        fi
        for threads in 1 2; do
            if [ "$threads" = 2 ] && ! "$kit" solve 2>&1 | grep -q -e '--threads'; then
                echo "  $v: two threads: not supported by this build"
                continue
            fi
            nice python3 "$here/solver_bench.py" --levelkit "$kit" --time-limit 10 --summary \
                $([ "$threads" = 2 ] && echo --threads 2) "${sets[@]}" | sed "s/^/$threads $v /" >> "$rows"
        done
    done
    printf '  %-22s %-7s %-6s %6s %6s %6s %16s %16s\n' collection threads build levels solved proven \
        "CPU s med/max" "peak MB med/max"
    # Side by side: each collection and thread count, the build before first.
    sort -k3,3 -k1,1n -k2,2r "$rows" | while read -r threads v name levels solved proven cmed cmax mmed mmax; do
        printf '  %-22s %-7s %-6s %6s %6s %6s %16s %16s\n' "$name" "$threads" "$v" "$levels" "$solved" \
            "$proven" "$cmed / $cmax" "$mmed / $mmax"
    done
    echo "  (load at the end $(load))"
}

section_growth() {
    echo "== growth: the play frame of every shipped level against its size (EGL pbuffer; load $(load))"
    "$build/bench/cw_bench_frames" --game "$build/cratewright" --growth --frames 60 --size 240x320 --size 640x480 2>&1
}

section_experiments() {
    echo "== experiments (local; nothing in the game is changed; load $(load))"
    echo "-- repeated binds and enables not passed to GL, and textures held as RGBA; play screen, paired runs"
    local i mode
    for i in 1 2 3; do
        for mode in "" --skip-repeated-state --rgba-textures; do
            "$build/bench/cw_bench_frames" --game "$build/cratewright" --frames 200 --size 240x320 --size 640x480 \
                $mode 2>&1 | awk -v m="${mode:-as shipped}" '$3=="play" {print "  " m ": " $2 " frame " $(NF-2) " ms, frame cpu " $NF " ms, display call cpu " $(NF-4) " ms"}'
        done
    done
}

build_programs
echo "load average at start: $(load)"
for s in "${sections[@]}"; do
    declare -F "section_$s" >/dev/null || die "no section $s (sections: machine startup frames input idle memory solver growth experiments)"
    "section_$s"
    echo
done
echo "load average at end: $(load)"
