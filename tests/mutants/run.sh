#!/usr/bin/env bash
# Plants the faults of faults.txt one at a time in a scratch copy of the tree
# (build/mutants/src), rebuilds that copy incrementally in release mode and
# runs the suite on it, and says which test caught each fault.
#
#   bash tests/mutants/run.sh [ID or glob ...]   plant the faults (all, or the ones named)
#   bash tests/mutants/run.sh --check [ID ...]   only say whether each fault's text is found
#
# The suite runs as CI runs it, end-to-end tests included, in two rounds that
# stop at the first failing test: every test but the end-to-end ones, then, only
# when the fault changed the game executable, the end-to-end tests. A fault in
# the tools cannot change what the game shows, so it skips the second round.
# The working tree is never touched; the scratch copy is put back after every
# fault and when the run is stopped. Needs `bash setup.sh build` first (for
# freeglut). Not part of CI: all faults take about half an hour on two cores.
set -uo pipefail
shopt -u patsub_replacement 2>/dev/null || true

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
faultFile=$top/tests/mutants/faults.txt
work=$top/build/mutants
src=$work/src
bin=$work/build
jobs=$(nproc 2>/dev/null || echo 2)
timeout=60      # seconds for a test without a limit of its own: a fault may hang one
memory=6291456  # KiB of address space for each test process: a fault may make the solver grow without end

say() { printf '%s\n' "$*"; }

# ---- the faults, parsed into parallel arrays
ids=() files=() whats=() olds=() news=()
parseFaults() {
    local line n=-1
    while IFS= read -r line || [ -n "$line" ]; do
        case $line in
            'fault '*)
                n=$((n + 1))
                read -r _ ids[n] files[n] whats[n] <<<"$line"
                olds[n]='' news[n]='' ;;
            '- '*) olds[n]+=${olds[n]:+$'\n'}${line:2} ;;
            '+ '*) news[n]+=${news[n]:+$'\n'}${line:2} ;;
        esac
    done <"$faultFile"
}

# Whether fault n is wanted by the patterns given on the command line.
wanted() {
    [ ${#patterns[@]} -eq 0 ] && return 0
    local p
    for p in "${patterns[@]}"; do
        # shellcheck disable=SC2053
        [[ ${ids[$1]} == $p ]] && return 0
    done
    return 1
}

# Prints "ok", "missing" or "twice" for fault n's text in the file under root.
findText() {
    local file=$2/${files[$1]} old=${olds[$1]} content rest
    [ -f "$file" ] && [ -n "$old" ] || { echo missing; return; }
    content=$(<"$file")
    rest=${content#*"$old"}
    if [ "$rest" = "$content" ]; then echo missing
    elif [[ $rest == *"$old"* ]]; then echo twice
    else echo ok; fi
}

# ---- the scratch copy and its build
syncCopy() {
    mkdir -p "$src"
    local listed=$work/listed f
    (cd "$top" && git ls-files --cached --others --exclude-standard) | sort >"$listed"
    while IFS= read -r f; do
        [ -f "$top/$f" ] || continue
        if ! cmp -s "$top/$f" "$src/$f"; then
            mkdir -p "$(dirname "$src/$f")"
            cp "$top/$f" "$src/$f"
        fi
    done <"$listed"
    # Files the tree no longer has leave the copy too.
    (cd "$src" && find . -type f | sed 's|^\./||' | sort) | comm -13 "$listed" - |
        while IFS= read -r f; do rm -f "$src/$f"; done
}

build() {
    cmake --build "$bin" -j "$jobs" >"$work/build.log" 2>&1
}

# Runs the tests of one round; prints the first failing test, or nothing.
runRound() {
    local failed=$bin/Testing/Temporary/LastTestsFailed.log
    rm -f "$failed"
    (cd "$bin" && ulimit -v "$memory" && ctest -j "$jobs" --stop-on-failure --timeout "$timeout" "$@" >"$work/test.log" 2>&1)
    [ -s "$failed" ] && head -n 1 "$failed" | cut -d: -f2- | sed 's/  *#.*//'
}

gameSum() { sha256sum "$bin/cratewright/cratewright" 2>/dev/null | cut -d' ' -f1; }

# ---- one fault: plant, build, test, put back
planted=''
putBack() {
    [ -n "$planted" ] || return 0
    cp "$work/saved" "$src/$planted"
    touch "$src/$planted"  # newer than the faulty objects, so they are rebuilt
    planted=''
}
trap 'putBack' EXIT
trap 'putBack; exit 130' INT TERM

plant() {
    local n=$1 file=${files[$1]} content
    content=$(<"$src/$file")
    cp -p "$src/$file" "$work/saved"
    planted=$file
    printf '%s\n' "${content/"${olds[n]}"/"${news[n]}"}" >"$src/$file"
}

tryFault() {
    local n=$1 verdict culprit start=$SECONDS
    case $(findText "$n" "$src") in
        missing) verdict="does not apply: its text is not in ${files[n]}" ;;
        twice) verdict="does not apply: its text is in ${files[n]} more than once" ;;
        ok)
            plant "$n"
            if ! build; then
                cp "$work/build.log" "$work/${ids[n]}.build.log"
                verdict="DID NOT BUILD (build/mutants/${ids[n]}.build.log)"
            else
                culprit=$(runRound -LE e2e)
                if [ -z "$culprit" ] && [ "$(gameSum)" != "$pristineGame" ]; then
                    culprit=$(runRound -L e2e)
                fi
                if [ -n "$culprit" ]; then verdict="caught by $culprit"
                else verdict="MISSED"; cp "$work/test.log" "$work/${ids[n]}.test.log"; fi
            fi
            putBack ;;
    esac
    printf '%-10s %-58s %s (%ds)\n' "${ids[n]}" "${whats[n]}" "$verdict" $((SECONDS - start)) | tee -a "$results"
    case $verdict in
        caught*) caught=$((caught + 1)) ;;
        MISSED) missed=$((missed + 1)) ;;
        DID*) broken=$((broken + 1)) ;;
        *) stale=$((stale + 1)) ;;
    esac
}

# ---- main
check=false
patterns=()
for arg in "$@"; do
    case $arg in
        --check) check=true ;;
        -h|--help) sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) patterns+=("$arg") ;;
    esac
done
parseFaults

if $check; then
    bad=0
    for n in "${!ids[@]}"; do
        wanted "$n" || continue
        state=$(findText "$n" "$top")
        [ "$state" = ok ] || { bad=1; say "${ids[n]}: text ${state/twice/found more than once} in ${files[n]}"; }
    done
    [ $bad -eq 0 ] && say "every fault's text is found once"
    exit $bad
fi

[ -f "$top/build/deps/lib/libfreeglut-gles.a" ] || { say "run 'bash setup.sh build' first: freeglut for OpenGL ES is missing"; exit 2; }
mkdir -p "$work"
syncCopy
cmake -S "$src" -B "$bin" -DCMAKE_BUILD_TYPE=Release -DFREEGLUT_PREFIX="$top/build/deps" \
    -DCRATEWRIGHT_GAME_FOLDER=OFF >"$work/configure.log" 2>&1 || { say "cmake failed: see $work/configure.log"; exit 2; }
say "building the scratch copy and running the suite without any fault"
build || { say "the scratch copy does not build: see $work/build.log"; exit 2; }
first=$(runRound -LE e2e)
[ -z "$first" ] && first=$(runRound -L e2e)
[ -z "$first" ] || { say "the suite fails without any fault ($first): see $work/test.log"; exit 2; }
pristineGame=$(gameSum)

results=$work/results.txt
: >"$results"
caught=0 missed=0 broken=0 stale=0
startAll=$SECONDS
for n in "${!ids[@]}"; do
    wanted "$n" && tryFault "$n"
done
say "$((caught + missed + broken + stale)) faults: $caught caught, $missed missed, $broken did not build, $stale do not apply ($(((SECONDS - startAll) / 60)) min)" | tee -a "$results"
