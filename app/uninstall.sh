#!/bin/sh
# Installed as PREFIX/share/cratewright/uninstall: removes everything the
# install put under PREFIX (the game folder, the command, the desktop entry,
# the icons) and the folders that leaves empty. With --keep-progress the
# player's config.ini stays in the game folder, where a later install finds it.
set -eu

case "${1-}" in
    "") keep=no ;;
    --keep-progress) keep=yes ;;
    *) echo "usage: $0 [--keep-progress]" >&2; exit 2 ;;
esac

game=$(cd "$(dirname "$0")" && pwd -P)
prefix=${game%/share/cratewright}
if [ "$prefix" = "$game" ] || [ ! -f "$game/cratewright" ]; then
    echo "uninstall: $game is not an installed Cratewright folder; nothing removed" >&2
    exit 1
fi

link="$prefix/bin/cratewright"
case "$(readlink "$link" 2>/dev/null)" in
    */share/cratewright/cratewright) rm -f "$link" ;;
esac
rm -f "$prefix/share/applications/cratewright.desktop" "$prefix"/share/icons/hicolor/*/apps/cratewright.png
if [ "$keep" = yes ] && [ -f "$game/config.ini" ]; then
    find "$game" -mindepth 1 -maxdepth 1 ! -name config.ini -exec rm -rf {} +
    kept=" (your progress is kept in $game/config.ini)"
else
    rm -rf "$game"
    kept=""
fi

# Folders the install may have made, deepest first; any still in use stays.
cd "${prefix:-/}"
for dir in bin share/applications share/icons/hicolor/*/apps share/cratewright; do
    [ -d "$dir" ] && rmdir -p --ignore-fail-on-non-empty "$dir" 2>/dev/null || true
done
echo "Cratewright was removed from $prefix$kept"
