#!/usr/bin/env bash
# CPU of petarino.exe against the bare program (with sync, against itself without), as Linux
# sees it: the user and system time that /proc/PID/stat counts over a minute for the program's
# Wine process, the prefix's wineserver and the Xvfb display scripts/wine.sh started, added up.
# Figures for the notes, never a test.
#   bench/win32/cpu_usage.sh [--seconds N] [--runs N] [CASE...]
# Cases (default the first four, 3 runs each, the two sides alternately, 60 s each):
#   seconds  101 clocks with seconds        vs the bare program rewriting 101 EDITs every second
#   plain    101 plain memos                vs the bare program idling with 101 memos
#   minutes  101 memos, ten without seconds vs the bare program idling with 101 memos
#   empty    an empty store                 vs the bare program idling with no memo
#   synced   101 plain memos, sync on       vs petarino on the same memos, sync off (plain)
# Needs the windows preset's petarino, bare_memos and startup_timing built.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build/windows
wine_sh=$root/scripts/wine.sh
prefix=${PETARINO_WINE_PREFIX:-$build/wine}
timing=$build/bench/startup_timing.exe
declare -A programs=([petarino]=$build/src/petarino.exe [bare]=$build/bench/bare_memos.exe)
seconds=60
runs=3
settle=5 # after the start, so the start's own work is not counted
cases=()
while [ $# -gt 0 ]; do
    case $1 in
    --seconds) seconds=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    seconds | plain | minutes | empty | synced) cases+=("$1"); shift ;;
    *) sed -n '6,13s/^# \{0,1\}//p' "$0" >&2; exit 64 ;;
    esac
done
[ ${#cases[@]} -gt 0 ] || cases=(seconds plain minutes empty)
for program in petarino bare; do
    if [ ! -f "${programs[$program]}" ]; then
        echo "missing ${programs[$program]}: build the windows preset first" >&2
        exit 1
    fi
done
[ -f "$timing" ] || { echo "missing $timing: build the windows preset first" >&2; exit 1; }

memos_of() { if [ "$1" = empty ]; then echo 0; else echo 101; fi; }
# The two sides a case compares, each a program over a prepared store.
sides_of() { if [ "$1" = synced ]; then echo sync-on sync-off; else echo petarino bare; fi; }
program_of() { if [ "$1" = bare ]; then echo bare; else echo petarino; fi; }
store_of() { if [ "$2" = sync-off ]; then echo plain; else echo "$1"; fi; }
bare_arguments() {
    case $1 in
    seconds) echo "101 --tick" ;;
    empty) echo 0 ;;
    *) echo 101 ;;
    esac
}

# User plus system time of a process, in clock ticks; the fields after the command's name.
ticks() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo 0; return; }
    read -r -a fields <<<"${stat##*) }"
    echo $((fields[11] + fields[12]))
}

# The prefix's own wineserver works in a folder named after the prefix's device and inode.
server_pid() {
    local folder pid
    folder=server-$(stat -c %D "$prefix")-$(printf %x "$(stat -c %i "$prefix")")
    for pid in /proc/[0-9]*; do
        case $(readlink "$pid/cwd" 2>/dev/null) in */"$folder") echo "${pid#/proc/}"; return ;; esac
    done
}

# Wine's own processes of this prefix (explorer.exe holds the tray), which work in its drive.
service_pids() {
    local pid
    for pid in /proc/[0-9]*; do
        case $(readlink "$pid/cwd" 2>/dev/null) in "$prefix"/drive_c*) echo "${pid#/proc/}" ;; esac
    done
}

sum_ticks() {
    local total=0 pid
    for pid in "$@"; do total=$((total + $(ticks "$pid"))); done
    echo "$total"
}

percent() { awk -v t="$1" -v hz="$(getconf CLK_TCK)" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / hz / s }'; }

status_mib() { awk -v key="$2:" '$1 == key { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }

results=$(mktemp)
unset DISPLAY # a display of our own, so its server's time is the programs' alone
"$wine_sh" start
trap '"$wine_sh" "$timing" --release >/dev/null 2>&1 || true; "$wine_sh" stop; rm -f "$results"' EXIT
xvfb=$(cut -d' ' -f2 "$prefix/.petarino-display")
server=$(server_pid)

measure() {
    local name=$1 side=$2 run=$3 launcher pid memory program
    local -a arguments=()
    program=$(program_of "$side")
    [ "$program" = bare ] && read -r -a arguments <<<"$(bare_arguments "$name")"
    "$wine_sh" "$timing" --prepare "$(store_of "$name" "$side")"
    "$wine_sh" "${programs[$program]}" "${arguments[@]}" </dev/null >/dev/null 2>&1 &
    launcher=$!
    memory=$("$wine_sh" "$timing" --wait "$program" "$(memos_of "$name")")
    pid=$(ps -o pid= --ppid "$launcher" | head -n 1 | tr -d ' ')
    sleep "$settle"
    local -a services
    mapfile -t services < <(service_pids)
    local load before_program before_server before_xvfb before_services
    load=$(cut -d' ' -f1-3 /proc/loadavg)
    before_program=$(ticks "$pid") before_server=$(ticks "$server")
    before_xvfb=$(ticks "$xvfb") before_services=$(sum_ticks "${services[@]}")
    sleep "$seconds"
    local own=$(($(ticks "$pid") - before_program))
    local wineserver=$(($(ticks "$server") - before_server))
    local x=$(($(ticks "$xvfb") - before_xvfb))
    local others=$(($(sum_ticks "${services[@]}") - before_services))
    local rss anon
    rss=$(status_mib "$pid" VmRSS) anon=$(status_mib "$pid" RssAnon)
    "$wine_sh" "$timing" --close "$program"
    wait "$launcher" || true
    local total=$((own + wineserver + x))
    printf '%-8s %-8s run %d: total %5s %%  (program %s, wineserver %s, Xvfb %s; Wine services %s)  RSS %s MiB, anonymous %s MiB; load %s\n' \
        "$name" "$side" "$run" "$(percent $total)" "$(percent $own)" "$(percent $wineserver)" \
        "$(percent $x)" "$(percent $others)" "$rss" "$anon" "$load"
    echo "   ${memory}"
    echo "$name $side $total" >>"$results"
}

echo "CPU over ${seconds} s in % of one core; $(nproc) cores; load at start $(cut -d' ' -f1-3 /proc/loadavg)"
for name in "${cases[@]}"; do
    for run in $(seq 1 "$runs"); do
        # Alternating which goes first, so neither always follows the other's exit.
        read -r first second <<<"$(sides_of "$name")"
        if [ $((run % 2)) = 1 ]; then order=("$first" "$second"); else order=("$second" "$first"); fi
        for side in "${order[@]}"; do measure "$name" "$side" "$run"; done
    done
done

echo
echo "Medians (program + wineserver + Xvfb, % of one core):"
for name in "${cases[@]}"; do
    read -r first second <<<"$(sides_of "$name")"
    awk -v name="$name" -v a="$first" -v b="$second" -v hz="$(getconf CLK_TCK)" -v s="$seconds" '
        function median(list, n,   i, j, t) {
            for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++)
                if (list[j] < list[i]) { t = list[i]; list[i] = list[j]; list[j] = t }
            return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
        }
        $1 == name && $2 == a { p[++np] = $3 }
        $1 == name && $2 == b { q[++nq] = $3 }
        END {
            mp = median(p, np); mq = median(q, nq)
            gsub("-", " ", a); gsub("-", " ", b)
            printf "  %-8s %s %5.2f %%   %s %5.2f %%   ratio %s\n", name, a,
                100 * mp / hz / s, b, 100 * mq / hz / s, (mq > 0 ? sprintf("%.2fx", mp / mq) : "-")
        }' "$results"
done
