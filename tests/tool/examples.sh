#!/usr/bin/env bash
# petarino-macro as a user runs it: each case is a command line and what it must print.
# Usage: examples.sh PATH-TO-petarino-macro
set -uo pipefail
tool=$1
passed=0
failed=0

# check EXPECTED-STDOUT EXPECTED-STATUS ARGS...
check() {
    local expected=$1 status=$2
    shift 2
    local actual code
    actual=$("$tool" "$@" 2>/dev/null)
    code=$?
    if [ "$actual" == "$expected" ] && [ "$code" == "$status" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAILED: petarino-macro %s\n  expected [%s] exit %s\n  got      [%s] exit %s\n' \
            "$*" "$expected" "$status" "$actual" "$code"
    fi
}

# check_stderr EXPECTED-STDERR EXPECTED-STATUS ARGS...
check_stderr() {
    local expected=$1 status=$2
    shift 2
    local actual code
    actual=$("$tool" "$@" 2>&1 >/dev/null)
    code=$?
    if [ "$actual" == "$expected" ] && [ "$code" == "$status" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAILED (stderr): petarino-macro %s\n  expected [%s] exit %s\n  got      [%s] exit %s\n' \
            "$*" "$expected" "$status" "$actual" "$code"
    fi
}

at=(--at 1997-03-09T14:05:07)
format() { check "$1" 0 format "${at[@]}" "${@:2}"; }
format "1997/03/09 14:05:07 平成9年 Sun" 'yyyy/mm/dd hh:nn:ss ggge"年" aaa'
format "1997/03/09 14:05:07 平成9 Sun" 'yyyy/mm/dd hh:nn:ss ggge年 aaa'
format "1997/03/09" yyyy/mm/dd
format "97/3/9" y/m/d
format "1997" yyy
format "14:05:07" hh:mm:ss
format "14:05" hh:nn
format "14:5:7" h:n:s
format "14" hhh
format "2 pm" "h am/pm"
format "2 PM" "h AM/PM"
format "2 p" "h a/p"
format "pm 2" "am/pm h"
format "02:05 午後" "hh:nn ampm"
format "Sun Sun" "ddd aaa"
format "日曜日 日曜日" "dddd aaaa"
format "平 平成 平成" "g gg ggg"
format "99" dD
format "x" x
format "日曜日a" aaaaa
format "03" "mm月"
format "03月" "mm'月'"
format "03月" 'mm"月"'
format "hh" "'hh'"
format "143" "h時m"
format "14x5" "h'x'm"
format "1997/03/09 14:05:07" ""
format "1997/03/09 14:05:07" c
format "1997年3月9日" ddddddd
format "1997年3月9日" dddddd
check "1997/03/09" 0 format --at 1997-03-09T00:00:00 c
check "1899/12/29 13:00" 0 format --at 1899-12-29T13:00:00 'yyyy/mm/dd hh:nn'
check "1867/12/31 23:59:59 []" 0 format --at 1867-12-31T23:59:59 'yyyy/mm/dd hh:nn:ss [gge]'
check "1899/12/29 09:41 Fri" 0 format --at 1899-12-29T09:41:00 'yyyy/mm/dd hh:nn aaa'
check "$(printf 'x%.0s' {1..256})" 0 format "${at[@]}" "$(printf 'x%.0s' {1..300})"
en() { check "$1" 0 format --locale en-US "${at[@]}" "${@:2}"; }
en "02:05 PM" "hh:nn ampm"
en "Sun Sunday" "ddd dddd"
en "3/9/1997 2:05:07 PM" c
en "Sunday, March 9, 1997" dddddd
en "A.D. 97 1997" "gg ee eee"

now=(--at 2026-12-07T09:00:00)
parse() { check "$1" "$2" parse "${now[@]}" "${@:3}"; }
for text in 1996/01/01 1996/1/1 " 1996 / 1 / 1 " 1996/1/1/; do parse 35065 0 "$text"; done
parse 71590 0 96/1/1
check 35065 0 parse --at 1997-01-01T00:00:00 96/1/1
parse 36526 0 0/1/1
parse 46381 0 12/25
parse 36585 0 2000/2/29
for text in 1900/2/29 1996/2/30 1996-1-1 1996/1/1// "1996/1/1 12:00" 19960/1/1 $'\t1996/1/1' ""; do
    parse "" 2 "$text"
done
check_stderr "'abc' は日付ではありません" 2 parse abc
check 35424 0 parse --locale en-US "${now[@]}" 12/25/1996
check 46381 0 parse --locale en-US "${now[@]}" 12/25

expand() { check "$1" "$2" expand "${at[@]}" "${@:3}"; }
expand 1997 0 'n#{yyyy#}'
expand "xは、マクロにありません。" 0 'x#{#}'
expand "Today 1997 year" 0 'Today N#{yyyy#} year'
expand "1997/03/09 14:05:07" 0 'N#{#}'
expand "0 0" 0 'A#{1997/03/09#} S#{1997/3/9#}'
expand "10 -10" 0 'a#{1997/3/19#} s#{1997/3/19#}'
expand "1時間 2分 5秒" 0 --uptime 3725 'I#{#}'
expand "10時間 0分 0秒" 0 --uptime 36000 'I#{#}'
expand "Label3 1" 0 'T#{#} L#{#}'
expand "27時間46分40秒 12" 0 --label "27時間46分40秒" --exec 12 'T#{#} L#{#}'
expand "Error." 0 'text #} only'
expand "Error." 0 'N#{yyyy#} #}'
expand "Error." 0 '#} N#{yyyy#}'
expand "Error." 0 '#{yyyy#}'
expand "Error." 0 "N#{'#{'#}#}"
expand "あは、マクロにありません。" 0 'あ#{#}'
check "366 -366" 0 expand --at 1997-01-01T12:00:00 'S#{1996/01/01#} A#{1996/1/1#}'
check "あと 18 日" 0 expand "${now[@]}" 'あと a#{2026/12/25#} 日'
check "" 3 expand "${now[@]}" --title 予定 'A#{abc#}'
check_stderr $'予定のマクロ(abc)が間違っています。\rペタリノは停止しています。マクロを再設定してください。' 3 \
    expand "${now[@]}" --title 予定 'A#{abc#}'

check "" 64 format
check "" 64 expand --at tomorrow x
check "" 64 parse --uptime 5 1996/1/1

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
