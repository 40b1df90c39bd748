#!/usr/bin/env bash
# Two PCs that sync their memos through one folder, end to end: each PC a Wine prefix of its
# own with the real petarino.exe, both driven from outside with petarino-remote. A program in
# one prefix cannot see the windows of the other, so each PC is driven by a petarino-remote run
# in its prefix. The shared folder lies on drive S: of both, as a network share would.
#   two_pcs.sh [--build DIR] [--screenshot FILE]
# DIR is the windows build (default build/windows); PC A is the prefix PETARINO_WINE_PREFIX
# (default DIR/wine), PC B is DIR/wine-pc2, made on first use; both must lie inside DIR.
# --screenshot writes a picture of A's page "同期" while it syncs.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/windows
screenshot=""
while [ $# -gt 0 ]; do
    case $1 in
    --build) build=$(realpath "${2:?}"); shift ;;
    --screenshot) screenshot=$(realpath -m "${2:?}"); shift ;;
    *) echo "usage: two_pcs.sh [--build DIR] [--screenshot FILE]" >&2; exit 64 ;;
    esac
    shift
done

# Sets petarino_exe and remote_exe.
. "$build/run-programs.sh"
wine_sh=$root/scripts/wine.sh
declare -A prefix=([A]=${PETARINO_WINE_PREFIX:-$build/wine} [B]=$build/wine-pc2)
for pc in A B; do
    case ${prefix[$pc]} in
    "$build"/*) ;;
    *) echo "two_pcs: the prefix of PC $pc, ${prefix[$pc]}, lies outside $build" >&2; exit 2 ;;
    esac
done
drive=$build/sync-drive
folder=$drive/ペタリノ同期
folder_in_wine='S:\ペタリノ同期'
many=$drive/たくさん
many_in_wine='S:\たくさん'

started=$(date +%s)
step() { echo "[$(($(date +%s) - started)) s] $*"; }
fail() {
    echo "two_pcs: FAILED: $*" >&2
    exit 1
}
# petarino-remote run in the PC's prefix: pc A memos
pc() {
    local which=$1
    shift
    PETARINO_WINE_PREFIX=${prefix[$which]} "$wine_sh" "$remote_exe" "$@"
}
# shows PC SECONDS WHY TEXT...: the PC's memos show exactly these texts within the time.
shows() {
    local which=$1 seconds=$2 why=$3 took
    shift 3
    took=$(pc "$which" wait-memos "$seconds" "$@") || fail "$why"
    echo "    $which shows them $took"
}
# synced_after PC TIME: the PC's page 同期 comes to say it synced last after the local time
# ("YYYY/MM/DD hh:mm:ss") within 15 s.
synced_after() {
    local which=$1 since=$2 status last
    for _ in $(seq 30); do
        status=$(pc "$which" wait-status "最終同期" 1) || true
        last=$(sed -n 's|^最終同期 \([0-9/]* [0-9:]*\) .*|\1|p' <<<"$status")
        [[ $last > $since ]] && return 0
        sleep 0.5
    done
    return 1
}
# A session started before this script (the CTest fixture's) is left running when all went
# well; everything else is stopped, and any Petarino in it with it.
declare -A keep=([A]=0 [B]=0)
finish() {
    local status=$?
    for pc in A B; do
        rm -f "${prefix[$pc]}/dosdevices/s:"
        if [ "$status" != 0 ] || [ "${keep[$pc]}" = 0 ]; then
            PETARINO_WINE_PREFIX=${prefix[$pc]} "$wine_sh" stop
        fi
    done
    if [ "$status" = 0 ]; then step "done"; fi
}
trap finish EXIT

# The files named after a memo id.
memo_files() {
    find "$1" -maxdepth 1 -regextype posix-extended \
        -regex '.*/[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}\.json' | sort
}
memo_file_count() { memo_files "$1" | wc -l; }
# The memo's own file: the one named after its id that holds the text.
file_of() {
    local file
    while read -r file; do
        if grep -qF "\"$1\"" "$file"; then
            echo "$file"
            return
        fi
    done < <(memo_files "$folder")
}
device_of() { sed -n 's/^\t"device": "\(.*\)",$/\1/p' "$1"; }

step "two PCs, each with an empty store on $folder_in_wine"
rm -rf "$drive"
mkdir -p "$drive"
for pc in A B; do
    PETARINO_WINE_PREFIX=${prefix[$pc]} "$wine_sh" started && keep[$pc]=1
    PETARINO_WINE_PREFIX=${prefix[$pc]} "$wine_sh" start
    ln -sfn "$drive" "${prefix[$pc]}/dosdevices/s:"
    pc $pc clear-store
    pc $pc set-sync "$folder_in_wine"
done

step "a. A alone makes two memos and exits; B starts on the folder and shows them"
pc A start "$petarino_exe" || fail "A did not start"
pc A new-memo "買い物: 牛乳" || fail "A could not make a memo"
pc A new-memo "会議は 3 時" || fail "A could not make a memo"
pc A exit || fail "A did not exit through its menu"
[ "$(memo_file_count "$folder")" = 2 ] ||
    fail "A's exit left $(memo_file_count "$folder") memo files, not 2"
pc B start "$petarino_exe" || fail "B did not start"
shows B 10 "B does not show the memos A left" \
    "買い物: 牛乳" "会議は 3 時"

step "b. both running: an edit on B shows on A within 10 s, with no 今すぐ同期 on A"
pc A start "$petarino_exe" || fail "A did not start"
shows A 10 "A does not show its own memos again" \
    "買い物: 牛乳" "会議は 3 時"
meeting=$(file_of "会議は 3 時")
device_a=$(device_of "$meeting")
pc B type "会議は 3 時" "会議は 4 時に変更" || fail "B could not type into its memo"
shows A 10 "A did not show B's edit within 10 s: the folder watch did not tell A of B's file" \
    "買い物: 牛乳" "会議は 4 時に変更"
grep -qF '"会議は 4 時に変更"' "$meeting" || fail "the memo's file does not hold B's edit"
[ "$(device_of "$meeting")" != "$device_a" ] || fail "A wrote back the version it took from B"

step "c. destroyed on A, it leaves B; its file stays as a tombstone"
shopping=$(file_of "買い物: 牛乳")
pc A destroy "買い物: 牛乳" || fail "A could not destroy the memo"
shows B 10 "the memo destroyed on A stays on B" \
    "会議は 4 時に変更"
grep -q '"deleted": true' "$shopping" || fail "the destroyed memo's file is no tombstone"

step "d. edited on both while apart, then both running: both versions on both, once"
pc A exit || fail "A did not exit"
pc B exit || fail "B did not exit"
# A is away from the folder while it edits.
mv "$folder" "$folder.away"
pc A start "$petarino_exe" || fail "A did not start"
pc A type "会議は 4 時に変更" "会議は 4 時 (A)" || fail "A could not type into its memo"
pc A wait-status "同期フォルダが見つかりません" 10 >/dev/null || fail "A does not say the folder is missing"
pc A exit || fail "A did not exit"
[ ! -e "$folder" ] || fail "A made something in the missing folder's place"
mv "$folder.away" "$folder"
pc B start "$petarino_exe" || fail "B did not start"
pc B type "会議は 4 時に変更" "会議は 5 時 (B)" || fail "B could not type into its memo"
pc B exit || fail "B did not exit"
pc A start "$petarino_exe" || fail "A did not start"
pc B start "$petarino_exe" || fail "B did not start"
for pc in A B; do
    shows $pc 15 "$pc does not show both versions made apart, each once" \
        "会議は 4 時 (A)" "会議は 5 時 (B)"
done
pc A exit || fail "A did not exit"
pc B exit || fail "B did not exit"
stored_a=$(pc A stored-memos | sort)
stored_b=$(pc B stored-memos | sort)
[ "$stored_a" = "$stored_b" ] ||
    fail "A and B keep the conflict apart: A [$stored_a], B [$stored_b]"
[ "$(grep -c "^競合: " <<<"$stored_a")" = 1 ] || fail "not one of the two is titled 競合: [$stored_a]"

step "e. foreign files are left alone; an engine's copy is merged and moved to _handled"
pc A start "$petarino_exe" || fail "A did not start"
pc B start "$petarino_exe" || fail "B did not start"
printf '[.ShellClassInfo]\r\nIconResource=petarino.ico,0\r\n' >"$folder/desktop.ini"
echo '{"notes": ["牛乳", "パン"]}' >"$folder/notes.json"
mkdir -p "$folder/資料"
echo '{"format": "petarino-memo"}' >"$folder/資料/下書き.json"
foreign=$(cd "$folder" && md5sum desktop.ini notes.json 資料/下書き.json)
id=$(basename "$(file_of "会議は 4 時 (A)")" .json)
copy="$id (PC2's conflicted copy).json"
pc A memo-file "$folder/$copy" "$id" "会議は 6 時 (写し)" >/dev/null
for pc in A B; do
    shows $pc 15 "$pc does not show the engine's copy beside the two versions" \
        "会議は 4 時 (A)" "会議は 5 時 (B)" "会議は 6 時 (写し)"
done
[ -f "$folder/_handled/$copy" ] || fail "the copy was not moved to _handled"
[ ! -e "$folder/$copy" ] || fail "the copy stays in the folder"
[ -n "$(file_of "会議は 6 時 (写し)")" ] || fail "no memo file of its own holds the copy's version"
(cd "$folder" && md5sum --quiet -c - <<<"$foreign") || fail "a foreign file changed"
[ "$(ls "$folder/_handled")" = "$copy" ] ||
    fail "_handled holds more than the copy: $(ls "$folder/_handled")"

step "f. the folder taken away while running: A says so, makes nothing in its place, resumes"
mv "$folder" "$folder.away"
pc A sync-now || fail "A could not press 今すぐ同期"
pc A wait-status "同期フォルダが見つかりません" 10 || fail "A's page 同期 does not say the folder is missing"
pc A type "会議は 6 時 (写し)" "会議は 7 時 (留守中)" || fail "A could not type into its memo"
sleep 3 # the edit has settled: its file would be written now
pc A sync-now || fail "A could not press 今すぐ同期"
sleep 1
[ ! -e "$folder" ] || fail "A made something in the missing folder's place: $(ls -R "$folder")"
mv "$folder.away" "$folder"
pc A sync-now || fail "A could not press 今すぐ同期"
pc A wait-status "最終同期" 10 || fail "A did not resume when the folder came back"
# B may have found the folder missing at its regular look, which stops its watch until the
# next look finds it again: up to 60 s.
shows B 70 "B does not show the edit A made while the folder was away" \
    "会議は 4 時 (A)" "会議は 5 時 (B)" "会議は 7 時 (留守中)"
step "f. the folder replaced by a copy of itself, as a restore does it: both watch the copy"
cp -a "$folder" "$folder.copy"
replaced=$(date '+%Y/%m/%d %H:%M:%S')
rm -rf "$folder"
mv "$folder.copy" "$folder"
# The removal was told: each PC looks at the folder again on its own.
for pc in A B; do
    synced_after $pc "$replaced" || fail "$pc did not look at the folder after it was replaced"
done
pc A type "会議は 7 時 (留守中)" "会議は 8 時 (入れ替え後)" || fail "A could not type into its memo"
shows B 10 "B did not show A's edit in the replaced folder within 10 s: it watches the old one" \
    "会議は 4 時 (A)" "会議は 5 時 (B)" "会議は 8 時 (入れ替え後)"
pc A type "会議は 8 時 (入れ替え後)" "会議 ✓ café 简体 한국어 Ünïcödé" ||
    fail "A could not type beyond code page 932"
shows B 10 "B does not show A's text beyond code page 932 whole" \
    "会議は 4 時 (A)" "会議は 5 時 (B)" "会議 ✓ café 简体 한국어 Ünïcödé"
if [ -n "$screenshot" ]; then
    read -r left top width height < <(pc A show-page 3)
    PETARINO_WINE_PREFIX=${prefix[A]} "$wine_sh" screenshot "$screenshot" "$left" "$top" \
        "$width" "$height"
    step "picture of A's page 同期: $screenshot"
fi
pc A exit || fail "A did not exit"
pc B exit || fail "B did not exit"

step "g. 150 memos in a folder: 101 show, one message says how many do not, every file stays"
pc A clear-store
pc A set-sync "$many_in_wine"
pc A memo-files "$many" 150
before=$(cd "$many" && md5sum -- *.json)
pc A start "$petarino_exe" || fail "A did not start"
message=$(pc A answer) || fail "A showed no message about the memos it could not show"
grep -qF "49 枚は、メモが 101 枚を超えるため表示できません" <<<"$message" ||
    fail "the message does not say 49 memos could not be shown: $message"
[ "$(pc A memos | wc -l)" = 101 ] || fail "A shows $(pc A memos | wc -l) memos, not 101"
pc A wait-status "最終同期" 10 >/dev/null || fail "A's page 同期 does not say it synced"
pc A exit || fail "A did not exit"
[ "$(memo_file_count "$many")" = 150 ] ||
    fail "the folder holds $(memo_file_count "$many") memo files, not 150"
(cd "$many" && md5sum --quiet -c - <<<"$before") || fail "A rewrote memo files it only read"

step "h. A asks before five removals B made: what A's user types meanwhile is kept and reaches B"
asked=$drive/質問
for pc in A B; do
    pc $pc clear-store
    pc $pc set-sync 'S:\質問'
done
pc A memo-files "$asked" 6
six=("メモ 1" "メモ 2" "メモ 3" "メモ 4" "メモ 5" "メモ 6")
pc A start "$petarino_exe" || fail "A did not start"
shows A 10 "A does not show the six memos of the folder" "${six[@]}"
pc A exit || fail "A did not exit"
pc B start "$petarino_exe" || fail "B did not start"
shows B 10 "B does not show the six memos of the folder" "${six[@]}"
for memo in "${six[@]:0:5}"; do pc B destroy "$memo" || fail "B could not destroy $memo"; done
pc B exit || fail "B did not exit"
pc A start "$petarino_exe" || fail "A did not start"
question=$(pc A wait-box) || fail "A did not ask before removing five memos"
grep -qF "同期フォルダの変更で、5 枚のメモが削除されます。適用しますか？" <<<"$question" ||
    fail "A asked something else: $question"
pc A type "メモ 6" "質問中に書いた" || fail "A's memo took no typing while A asked"
pc A answer yes >/dev/null || fail "A's question did not take Yes"
shows A 10 "A does not show what was typed while it asked, alone" "質問中に書いた"
pc A exit || fail "A did not exit"
pc B start "$petarino_exe" || fail "B did not start"
shows B 10 "what was typed on A while it asked did not reach B" "質問中に書いた"
pc B exit || fail "B did not exit"

step "i. destroyed on A while the folder is away: gone after A's restart, and gone from B"
mv "$asked" "$asked.away"
pc A start "$petarino_exe" || fail "A did not start"
pc A wait-status "同期フォルダが見つかりません" 10 >/dev/null || fail "A does not say the folder is missing"
pc A destroy "質問中に書いた" || fail "A could not destroy the memo"
pc A exit || fail "A did not exit"
mv "$asked.away" "$asked"
pc A start "$petarino_exe" || fail "A did not start"
pc A wait-status "最終同期" 10 >/dev/null || fail "A did not reach the folder again"
shows A 5 "the memo destroyed while the folder was away is back on A"
pc A exit || fail "A did not exit"
pc B start "$petarino_exe" || fail "B did not start"
shows B 10 "the memo destroyed on A while the folder was away stays on B"
pc B exit || fail "B did not exit"

step "j. an older Petarino's memo, lacking a value: its edit and its deletion reach A, no 競合 copy"
# The older PC writes from its own copy, which has never seen A's, and its file arrives whole.
own=$drive/older.json
deliver() {
    cp "$own" "$drive/arriving.tmp"
    mv "$drive/arriving.tmp" "$asked/$id.json"
}
pc A start "$petarino_exe" || fail "A did not start"
id=$(pc A older-memo-file "$own" new "古い版から")
deliver
shows A 10 "A does not show the older Petarino's memo" "古い版から"
sleep 3 # A has settled on the memo: a write of its own would be in the folder now
pc A edit-memo-file "$own" "古い版で直した"
deliver
shows A 10 "the older Petarino's edit did not reach A alone" "古い版で直した"
pc A delete-memo-file "$own"
deliver
shows A 10 "the older Petarino's deletion did not reach A"
pc A exit || fail "A did not exit"

for pc in A B; do pc $pc clear-store; done
