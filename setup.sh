#!/usr/bin/env bash
# Cratewright set-up: installs what is missing, builds freeglut for OpenGL ES,
# builds the game, then plays it, runs every test or installs it.
#
#   bash setup.sh play              build and start the game from build/cratewright/
#   bash setup.sh play FILE [DIR]   build, then play a level collection in a game folder of its own
#   bash setup.sh test              build and run every test (plain build, then sanitizers and fuzzers)
#   bash setup.sh build             only install and build
#   bash setup.sh install [PREFIX]  build and install the game for you (PREFIX: ~/.local)
#
# Run it as yourself, so that what it builds, and the progress the game saves
# in build/cratewright/, belong to you. Only installing missing Debian packages
# needs root: set-up asks sudo for that alone. As root (CI, a fresh machine) it
# needs no sudo. Every step skips what is already there.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mode=${1:-build}
build="$top/build"
deps="$build/deps"
jobs=$(nproc 2>/dev/null || echo 2)

build_packages=(g++ make cmake pkg-config dpkg-dev
    libgles-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
    libsdl2-dev libx11-dev libxrandr-dev libxi-dev libxxf86vm-dev
    libgtest-dev googletest libpng-dev)
test_packages=(xvfb xfonts-base xdotool x11-apps x11-utils imagemagick
    clang libclang-rt-14-dev desktop-file-utils)

say() { printf 'setup: %s\n' "$*"; }

# Files made by root in a player's folder are the trap this guards against: a
# later run as the player could not rebuild there, nor the game save there.
check_owner() {
    local place=$build
    [ -e "$place" ] || place=$top
    if [ ! -w "$place" ]; then
        say "$place belongs to $(stat -c %U "$place") and you cannot write to it (an earlier set-up run as root?)."
        [ "$place" = "$build" ] && say "Remove it (sudo rm -rf '$build') and run set-up again as yourself."
        exit 1
    fi
    local owner
    owner=$(stat -c %U "$top")
    if [ "$(id -u)" -eq 0 ] && [ "$owner" != root ]; then
        say "note: running as root in a folder of $owner's: what set-up builds will belong to root,"
        say "and $owner could not rebuild or save progress there. Run it as $owner instead: it asks sudo for packages."
    fi
}

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            say "these Debian packages are missing: ${missing[*]}"
            say "Installing them needs root and sudo is not available. As root, run"
            say "    apt-get install ${missing[*]}"
            say "then run set-up again as yourself."
            exit 1
        fi
        say "installing the missing Debian packages needs root: asking sudo"
        if ! sudo -v; then
            say "sudo refused. Ask an administrator to run: apt-get install ${missing[*]}"
            exit 1
        fi
        as_root=(sudo)
    fi
    say "installing ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Debian ships freeglut for desktop GL only. Build its own source package for
# OpenGL ES, fetched through a private apt directory so the system's apt
# configuration is left alone; that needs no root, and apt is told not to try
# handing the download to its own unprivileged user.
freeglut_stamp="$deps/.freeglut-gles-3.4.0-quiet-nodev"
build_freeglut() {
    [ -f "$freeglut_stamp" ] && [ -f "$deps/lib/libfreeglut-gles.a" ] && return 0
    say "building freeglut for OpenGL ES into build/deps"
    local work="$build/freeglut-src" apt="$build/freeglut-src/apt"
    rm -rf "$work"
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$work/src"
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        sed -e 's/^Types:[[:space:]]*deb[[:space:]]*$/Types: deb-src/' "$f" > "$apt/sources.list.d/$(basename "$f")"
    done
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        sed -n -e 's/^deb[[:space:]]/deb-src /p' "$f" > "$apt/sources.list.d/$(basename "$f" .list)-src.list"
    done
    local opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/sources.list.d"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
    apt-get "${opts[@]}" update -qq
    (cd "$work/src" && apt-get "${opts[@]}" source -qq --download-only freeglut=3.4.0-1 \
        && dpkg-source -x --no-check freeglut_3.4.0-1.dsc freeglut >/dev/null)
    # The GLES build stubs GLUT menus and warns on every pointer event; the game
    # has no menus, so keep the player's terminal quiet.
    sed -i -e '/fgCheckActiveMenu: STUB/d' "$work/src/freeglut/src/gles_stubs.c"
    # -Wno-dev: freeglut's CMake files draw CMake's warnings meant for their
    # own developers (old policies), which say nothing to a player.
    cmake -Wno-dev -S "$work/src/freeglut" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
        -DFREEGLUT_GLES=ON -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_SHARED_LIBS=OFF \
        -DFREEGLUT_BUILD_STATIC_LIBS=ON -DCMAKE_POSITION_INDEPENDENT_CODE=ON \
        -DCMAKE_INSTALL_PREFIX="$deps" >/dev/null
    cmake --build "$work/build" -j "$jobs" >/dev/null 2>&1
    cmake --install "$work/build" >/dev/null
    touch "$freeglut_stamp"
}

# build_game DIR TARGETS CMAKE-OPTIONS...; TARGETS (words) "all" builds tools and tests too.
build_game() {
    local dir=$1 targets=$2; shift 2
    cmake -S "$top" -B "$dir" -DFREEGLUT_PREFIX="$deps" "$@" >/dev/null
    # shellcheck disable=SC2086 # the targets are words
    cmake --build "$dir" -j "$jobs" --target $targets
}

check_owner
case "$mode" in
    play|build)
        install_missing "${build_packages[@]}"
        build_freeglut
        if [ "$mode" = play ]; then
            # A player needs the game folder, and levelkit for collections of their own.
            build_game "$build/release" "cratewright levelkit" -DCMAKE_BUILD_TYPE=Release
            [ $# -ge 2 ] && exec "$build/levelkit" play "${@:2}"
            exec "$build/cratewright/cratewright"
        fi
        build_game "$build/release" all -DCMAKE_BUILD_TYPE=Release
        ;;
    test)
        install_missing "${build_packages[@]}" "${test_packages[@]}"
        build_freeglut
        build_game "$build/release" all -DCMAKE_BUILD_TYPE=Release
        say "running the tests"
        (cd "$build/release" && ctest --output-on-failure -j "$jobs" --timeout 900)
        say "running the tests under AddressSanitizer and UBSan, with the fuzzers"
        build_game "$build/sanitize" all -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang \
            -DCMAKE_CXX_COMPILER=clang++ -DCRATEWRIGHT_SANITIZE=ON -DCRATEWRIGHT_GAME_FOLDER=OFF
        (cd "$build/sanitize" && ctest --output-on-failure -j "$jobs" --timeout 900)
        ;;
    install)
        prefix=$(realpath -m "${2:-$HOME/.local}")
        install_missing "${build_packages[@]}"
        build_freeglut
        build_game "$build/release" cratewright -DCMAKE_BUILD_TYPE=Release
        # The file list goes to a log; a refusal, and the note that your
        # progress was kept, go to the terminal.
        cmake --install "$build/release" --prefix "$prefix" > "$build/install.log"
        say "installed into $prefix: start it from your desktop's menu, or as $prefix/bin/cratewright"
        case ":$PATH:" in *":$prefix/bin:"*) ;; *) say "($prefix/bin is not on your PATH)" ;; esac
        say "to uninstall: $prefix/share/cratewright/uninstall (add --keep-progress to keep config.ini)"
        ;;
    *)
        echo "usage: bash setup.sh play [FILE [DIR]] | test | build | install [PREFIX]" >&2
        exit 2
        ;;
esac
