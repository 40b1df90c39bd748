#!/usr/bin/env bash
# The one place that knows how to run a Windows program here.
#   wine.sh start          create the prefix once, start a display and a lasting wineserver
#   wine.sh stop           stop this prefix's wineserver and the display started for it
#   wine.sh started        exit 0 when a session of this prefix was started and runs
#   wine.sh screenshot FILE [LEFT TOP WIDTH HEIGHT]
#                          write what the started session's display shows to FILE (PNG), or
#                          only the rectangle given
#   wine.sh PROGRAM ARGS   run PROGRAM under Wine; without a started session it starts
#                          one for itself and stops it afterwards
# The prefix is PETARINO_WINE_PREFIX, by default inside the build folder (build/windows/wine).
# The Windows locale follows PETARINO_LANG (default Japanese); the size of a virtual display
# PETARINO_WINE_SCREEN (default 1280x1024).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${PETARINO_WINE_PREFIX:-$root/build/windows/wine}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=" # no installer dialogs for .NET or HTML
export LANG=${PETARINO_LANG:-ja_JP.UTF-8}
unset LC_ALL
display_file=$WINEPREFIX/.petarino-display

# Wine takes the Windows locale from the Unix one, and a locale the system has not generated
# silently turns into English: generate a missing one beside the prefix.
provide_locale() {
    local name=${LANG%%.*}
    case $name in C | POSIX | "") return ;; esac
    if locale -a 2>/dev/null | grep -qix "$name\.utf-\?8"; then return; fi
    export LOCPATH=$WINEPREFIX/.petarino-locale
    [ -d "$LOCPATH/$LANG" ] && return
    mkdir -p "$LOCPATH"
    local staging
    staging=$(mktemp -d "$LOCPATH/.new.XXXXXX")
    localedef -i "$name" -f UTF-8 "$staging/$LANG"
    mv -T "$staging/$LANG" "$LOCPATH/$LANG"
    rmdir "$staging"
}

create_prefix() {
    [ -f "$WINEPREFIX/system.reg" ] && return
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver --wait
    # The memo font: IPA P Gothic is made to the same metrics.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /t REG_SZ \
        /d 'IPAPGothic' /f >/dev/null 2>&1
    # That face has no checklist boxes (☐ ☑). A text control draws a character its face lacks
    # with the face the system names for the character's script, Microsoft Sans Serif for
    # these, as on Windows; the prefix has no such face, so DejaVu Sans, which has the boxes,
    # stands in for it.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft Sans Serif' /t REG_SZ \
        /d 'DejaVu Sans' /f >/dev/null 2>&1
    wineserver --wait
}


# Without a window manager Wine waits 2 s for one at every hide or destroy of a window it
# lets the manager handle, sizable pop-ups such as the memos among them. On the display this
# script starts nothing manages windows, so they are not handed to a manager at all.
unmanaged_windows() {
    grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null && return
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # Run before the display is chosen, the server would keep a desktop without a display
    # driver for the programs started next.
    wineserver --wait
}

start_display() {
    if [ -n "${DISPLAY:-}" ]; then return; fi
    unmanaged_windows
    if started; then
        export DISPLAY=:$(cut -d' ' -f1 "$display_file")
        return
    fi
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${PETARINO_WINE_SCREEN:-1280x1024}x24" -nolisten tcp \
        3>"$fifo" >/dev/null 2>&1 &
    local pid=$!
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    echo "$number $pid" >"$display_file"
    export DISPLAY=:$number
}

started() {
    [ -f "$display_file" ] && kill -0 "$(cut -d' ' -f2 "$display_file")" 2>/dev/null
}

stop_display() {
    [ -f "$display_file" ] || return 0
    kill "$(cut -d' ' -f2 "$display_file")" 2>/dev/null || true
    rm -f "$display_file"
}

start() {
    provide_locale
    create_prefix
    start_display
    # The server and the system processes it starts outlive this call: they must not hold
    # the caller's output open, or a test runner would wait for them.
    wineserver -p </dev/null >/dev/null 2>&1 || true # fails when it already runs
    wine wineboot </dev/null >/dev/null 2>&1
}

screenshot() {
    if [ -z "${DISPLAY:-}" ]; then
        if [ ! -f "$display_file" ]; then
            echo "wine.sh: no started session to take a picture of" >&2
            exit 1
        fi
        export DISPLAY=:$(cut -d' ' -f1 "$display_file")
    fi
    local crop=(cat)
    [ $# -eq 5 ] && crop=(pnmcut -left "$2" -top "$3" -width "$4" -height "$5")
    xwd -root -silent | xwdtopnm 2>/dev/null | "${crop[@]}" | pnmtopng >"$1"
}

usage() {
    echo "usage: wine.sh start | stop | started | screenshot FILE [LEFT TOP WIDTH HEIGHT] | PROGRAM [ARGS...]" >&2
    exit 64
}

stop() {
    wineserver -k 2>/dev/null || true
    wineserver --wait 2>/dev/null || true
    stop_display
}

case "${1:-}" in
start) start ;;
stop) stop ;;
started) started ;;
screenshot)
    shift
    [ $# -eq 1 ] || [ $# -eq 5 ] || usage
    screenshot "$@"
    ;;
"") usage ;;
*)
    own_session=0
    if [ ! -f "$display_file" ] && [ -z "${DISPLAY:-}" ]; then own_session=1; fi
    provide_locale
    create_prefix
    start_display
    status=0
    wine "$@" || status=$?
    if [ "$own_session" = 1 ]; then stop; fi
    exit "$status"
    ;;
esac
