#!/usr/bin/env bash
# The layout rules the code keeps: globals live in core/state.*, only app/
# talks to SDL, X11 and EGL, the game core builds without GL or GLUT, and the
# level toolkit's modules stand in layers.
set -u
cd "$1" || exit 2
status=0
fail() { printf 'layout: %s\n' "$*"; status=1; }

game_dirs=(core assets render input app)

hits=$(grep -n -E '^\s*extern\b' --include='*.cpp' -r "${game_dirs[@]}" tools 2>/dev/null | grep -v 'extern "C"')
[ -z "$hits" ] || fail "extern outside headers (globals belong in core/state.h):
$hits"

hits=$(grep -n -E '#\s*include\s*[<"](SDL2?/|X11/|EGL/)' -r core assets render input tools 2>/dev/null)
[ -z "$hits" ] || fail "SDL, X11 or EGL outside app/:
$hits"

hits=$(grep -n -E '#\s*include\s*[<"](GLES|GL)/' -r core 2>/dev/null)
[ -z "$hits" ] || fail "GL or GLUT in core/:
$hits"

# Only state.cpp defines globals that other files read: every name declared
# in state.h must be defined there and nowhere else.
for name in $(grep -o -E '^extern [^;]* ([A-Za-z_][A-Za-z0-9_]*)(\[[^]]*\])?;' core/state.h |
              sed -E 's/.* ([A-Za-z_][A-Za-z0-9_]*)(\[[^]]*\])?;/\1/'); do
    grep -q -E "\b$name\b" core/state.cpp || fail "$name is declared in core/state.h but not defined in core/state.cpp"
done
# The level toolkit's modules, lowest first: each includes only those before
# it, and of the solver only its public header.
kit_layers=(levels board solver generator commands)
for ((i = 0; i < ${#kit_layers[@]}; ++i)); do
    module=${kit_layers[i]}
    for ((j = i + 1; j < ${#kit_layers[@]}; ++j)); do
        hits=$(grep -n -E "#\s*include\s*\"tools/levelkit/${kit_layers[j]}/" -r "tools/levelkit/$module" 2>/dev/null)
        [ -z "$hits" ] || fail "tools/levelkit/$module reaches up into ${kit_layers[j]}/:
$hits"
    done
done
hits=$(grep -n -E '#\s*include\s*"tools/levelkit/solver/' -r tools/levelkit tests 2>/dev/null |
       grep -v -E '^tools/levelkit/solver/|"tools/levelkit/solver/solver\.h"')
[ -z "$hits" ] || fail "the solver's insides used from outside it (include tools/levelkit/solver/solver.h):
$hits"
exit $status
