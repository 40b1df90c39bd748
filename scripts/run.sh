#!/usr/bin/env bash
# The run command: installs what is missing, builds Petarino and starts it under Wine in
# Japanese.
#   run.sh                    your memos, kept in ${XDG_DATA_HOME:-~/.local/share}/petarino/wine
#                             (PETARINO_WINE_PREFIX chooses another prefix)
#   run.sh --demo             sample memos in a throwaway prefix, removed afterwards
#   run.sh --screenshot FILE  on a virtual display even when there is a display of yours
# With $DISPLAY Petarino runs there until you end it ("終了(&X)" in its notification icon's
# menu). Without one it runs on a virtual display: once the memos are shown a picture of the
# screen is written (default build/windows/screenshot.png) and Petarino is ended through its
# own menu, so it saves everything as it always does.
set -euo pipefail

usage() {
    echo "usage: run.sh [--demo] [--screenshot FILE]" >&2
    exit 64
}

demo=0
screenshot=""
while [ $# -gt 0 ]; do
    case $1 in
    --demo) demo=1 ;;
    --screenshot)
        [ $# -ge 2 ] || usage
        screenshot=$(realpath -m "$2")
        shift
        ;;
    *) usage ;;
    esac
    shift
done

cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target petarino petarino-remote
# Sets petarino_exe and remote_exe.
. build/windows/run-programs.sh

[ -n "$screenshot" ] && unset DISPLAY
[ -z "${DISPLAY:-}" ] && [ -z "$screenshot" ] && screenshot=$PWD/build/windows/screenshot.png

# The memos live in the prefix's registry: never inside build/, which a clean build removes.
if [ "$demo" = 1 ]; then
    PETARINO_WINE_PREFIX=$(mktemp -d "${TMPDIR:-/tmp}/petarino-demo.XXXXXX")
    trap 'scripts/wine.sh stop; rm -rf "$PETARINO_WINE_PREFIX"' EXIT
else
    PETARINO_WINE_PREFIX=${PETARINO_WINE_PREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/petarino/wine}
    mkdir -p "$PETARINO_WINE_PREFIX"
fi
export PETARINO_WINE_PREFIX

if [ -z "$screenshot" ]; then
    [ "$demo" = 1 ] && scripts/wine.sh "$remote_exe" seed-demo
    scripts/wine.sh "$petarino_exe"
    exit
fi

# A small screen with Wine's desktop and taskbar on it, so the picture shows the memos and
# the notification icon as a user sees them.
screen=1024x640
export PETARINO_WINE_SCREEN=$screen
[ "$demo" = 1 ] || trap 'scripts/wine.sh stop' EXIT
scripts/wine.sh start
if [ "$demo" = 1 ]; then
    scripts/wine.sh reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null
    scripts/wine.sh reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$screen" /f \
        >/dev/null
    scripts/wine.sh "$remote_exe" seed-demo
fi
scripts/wine.sh "$petarino_exe" &
petarino=$!
status=0
scripts/wine.sh "$remote_exe" wait-shown || status=$?
mkdir -p "$(dirname "$screenshot")"
scripts/wine.sh screenshot "$screenshot"
echo "Screenshot: $screenshot"
if ! scripts/wine.sh "$remote_exe" exit; then
    echo "Petarino did not end through its own menu; stopping its Wine session." >&2
    status=1
    scripts/wine.sh stop
fi
wait "$petarino" || true
exit "$status"
