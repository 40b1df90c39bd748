#!/usr/bin/env bash
# Makes what a Windows user takes: dist/petarino-<version>-win64.zip, holding a release
# petarino.exe (static, stripped) and a short Japanese お読みください.txt. The version is the one
# written in project() of the top CMakeLists.txt, read from the header the build makes of it.
# Before the zip takes its place, the program in it is started under Wine, on the release
# build's own prefix and a virtual display, and ended through its notification menu.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target petarino petarino-remote
# Sets petarino_exe and remote_exe.
. build/release/run-programs.sh
version=$(sed -n 's/^#define PETARINO_VERSION "\(.*\)"$/\1/p' build/release/generated/petarino/version.h)
if [ -z "$version" ]; then
    echo "package.sh: the build's version header names no version" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/petarino-package.XXXXXX")
export PETARINO_WINE_PREFIX=$PWD/build/release/wine
unset DISPLAY
trap 'scripts/wine.sh stop; rm -rf "$work"' EXIT

mkdir "$work/content" "$work/unzipped"
cp "$petarino_exe" "$work/content/petarino.exe"
# UTF-8 with a byte-order mark and CRLF line ends: Notepad shows it right on every Windows,
# whatever the system's code page.
{
    printf '\xEF\xBB\xBF'
    sed -e "s/@VERSION@/$version/" -e 's/$/\r/' scripts/package/readme-ja.txt
} >"$work/content/お読みください.txt"
# The Japanese name goes in as UTF-8 with the archive's UTF-8 flag, which Explorer reads on
# any Windows; Debian's zip writes no such flag, so Python's zipfile makes the archive.
python3 - "$work/petarino.zip" "$work/content" petarino.exe お読みください.txt <<'PY'
import sys, zipfile
archive, folder, *names = sys.argv[1:]
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as made:
    for name in names:
        made.write(f"{folder}/{name}", name)
PY

# The zipped program, not the build's, is the one that must start.
LC_ALL=C.UTF-8 unzip -q "$work/petarino.zip" -d "$work/unzipped"
scripts/wine.sh start
scripts/wine.sh "$work/unzipped/petarino.exe" &
petarino=$!
if ! scripts/wine.sh "$remote_exe" wait-shown || ! scripts/wine.sh "$remote_exe" exit; then
    echo "package.sh: the zipped petarino.exe did not start and end under Wine" >&2
    exit 1
fi
wait "$petarino"

zipped=dist/petarino-$version-win64.zip
mkdir -p dist
mv "$work/petarino.zip" "$zipped"
echo "Written: $zipped"
