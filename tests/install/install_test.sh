#!/usr/bin/env bash
# install_test.sh BUILD-DIR SOURCE-DIR GAME-EXECUTABLE
# The install a player makes, into a fresh prefix with a space in its path: a
# prefix they cannot write is refused; the tree, the desktop entry and the
# icons; the installed command run under Xvfb from another folder with
# -display alone, a second start that ends at once, a quit that saves into the
# installed folder; an update that keeps config.ini; both ways to uninstall.
set -euo pipefail
build=$1 source=$2 executable=$3
work=$(mktemp -d)
chmod 755 "$work"
prefix="$work/player home/.local"
game="$prefix/share/cratewright"
xvfb=0 player=0

fail() { echo "FAIL: $*" >&2; exit 1; }
cleanup() {
    for pid in "$player" "$xvfb"; do
        [ "$pid" -eq 0 ] || kill "$pid" 2> /dev/null || true
    done
    chmod -R u+w "$work"
    rm -rf "$work"
}
trap cleanup EXIT
install_game() {
    cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 || { cat "$work/install.log"; fail "$1"; }
}
# Every file and link under the prefix, by its path from the prefix.
installed() { (cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort); }

# A prefix the account cannot write. Root passes every permission check, so
# it goes without its capabilities and is held to the folder's mode too.
locked="$work/locked"
mkdir "$locked"
chmod 555 "$locked"
as_player=()
[ "$(id -u)" -eq 0 ] && as_player=(setpriv --bounding-set=-all --inh-caps=-all --)
if "${as_player[@]}" cmake --install "$build" --prefix "$locked/.local" > "$work/refused.log" 2>&1; then
    fail "an install into a folder the player cannot write went ahead"
fi
grep -q "you cannot write to" "$work/refused.log" && grep -qF "    $locked" "$work/refused.log" ||
    fail "no reason given: $(cat "$work/refused.log")"
grep -q -- "--prefix ~/.local" "$work/refused.log" || fail "no way out given: $(cat "$work/refused.log")"
[ -z "$(ls -A "$locked")" ] || fail "the refused install wrote into $locked"

# The tree: the game folder whole, the command, the desktop entry, the icons.
install_game "the install failed"
sizes=(16 24 32 48 64 128 256)
expected=$( (cd "$source/data" && ls -- *.tex *.wav *.Map config.ini | sed 's|^|share/cratewright/|'
    echo share/cratewright/cratewright; echo share/cratewright/uninstall; echo bin/cratewright
    echo share/applications/cratewright.desktop
    for s in "${sizes[@]}"; do echo "share/icons/hicolor/${s}x$s/apps/cratewright.png"; done) | sort)
diff <(echo "$expected") <(installed) || fail "the installed tree differs (< expected, > installed)"
for f in "$source"/data/*.tex "$source"/data/*.wav "$source"/data/*.Map; do
    cmp -s "$f" "$game/${f##*/}" || fail "${f##*/} was not installed as shipped"
done
cmp -s "$executable" "$(readlink -f "$prefix/bin/cratewright")" || fail "bin/cratewright does not lead to the game"
for s in "${sizes[@]}"; do
    [ "$(identify -format %wx%h "$prefix/share/icons/hicolor/${s}x$s/apps/cratewright.png")" = "${s}x$s" ] ||
        fail "the ${s}x$s icon has another size"
done
entry="$prefix/share/applications/cratewright.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"
grep -qxF "Exec=\"$prefix/bin/cratewright\"" "$entry" || fail "Exec does not name the command: $(grep Exec "$entry")"

# The game from another folder, told its display by -display only. Progress
# on one line reads the same; the game saves it one number a line.
Xvfb -displayfd 3 -screen 0 240x320x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
display=:$(cat "$work/display")
printf '5 2 0' > "$game/config.ini"
mkdir "$work/elsewhere"
cd "$work/elsewhere"
env -u DISPLAY "$prefix/bin/cratewright" -display "$display" > "$work/game.log" 2>&1 &
player=$!
DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name '^Cratewright$' > /dev/null ||
    fail "no game window: $(cat "$work/game.log")"
env -u DISPLAY timeout 20 "$prefix/bin/cratewright" -display "$display" ||
    fail "a second start did not find the running game through -display"
kill -0 "$player" 2> /dev/null || fail "the second start ended the first: $(cat "$work/game.log")"
DISPLAY=$display xdotool key --delay 40 Down Down Down Return
for _ in $(seq 200); do kill -0 "$player" 2> /dev/null || break; sleep 0.1; done
status=0
wait "$player" || status=$?
player=0
[ "$status" -eq 0 ] || fail "the game ended with $status: $(cat "$work/game.log")"
[ "$(cat "$game/config.ini")" = $'5\n2\n0' ] || fail "config.ini was not saved in the game folder: $(cat "$game/config.ini")"
[ -z "$(ls -A)" ] || fail "the game wrote into the folder it was started from: $(ls -A)"
cd "$work"

# An update replaces the game's files and keeps the player's progress.
echo "damaged" >> "$game/Level1.Map"
cmake --install "$build" --prefix "$prefix" 2> "$work/update.err" > "$work/install.log" ||
    { cat "$work/update.err" "$work/install.log"; fail "the second install failed"; }
grep -qxF "Kept your progress: $game/config.ini" "$work/update.err" ||
    fail "the update did not say on standard error that it kept config.ini: $(cat "$work/update.err")"
cmp -s "$source/data/Level1.Map" "$game/Level1.Map" || fail "the update did not replace a changed game file"
[ "$(cat "$game/config.ini")" = $'5\n2\n0' ] || fail "the update replaced config.ini"

# Uninstalling keeps config.ini only when asked, and leaves nothing else.
"$game/uninstall" --keep-progress > /dev/null
[ "$(installed)" = share/cratewright/config.ini ] || fail "left after uninstall --keep-progress: $(installed)"
install_game "the install after uninstall failed"
[ "$(cat "$game/config.ini")" = $'5\n2\n0' ] || fail "the kept config.ini was replaced"
"$game/uninstall" > /dev/null
[ -z "$(ls -A "$prefix")" ] || fail "left after uninstall: $(cd "$prefix" && find .)"
echo "install test passed"
