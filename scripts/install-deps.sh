#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
set -euo pipefail

packages=(
    cmake make g++ clang libclang-rt-14-dev clang-format # native build, fuzzing, formatting
    googletest libbenchmark-dev                          # test and benchmark frameworks
    nlohmann-json3-dev                                   # the backup files' JSON
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 # the Windows build
    wine wine64 xvfb xauth fonts-ipafont-gothic fonts-dejavu-core locales # running it
    x11-apps netpbm                                      # screenshots: xwd, then PNG
    python3 unzip                                        # the zip for Windows users
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
