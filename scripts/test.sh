#!/usr/bin/env bash
# The test command: installs what is missing, builds every preset, runs every test tier
# (native tests with sanitizers, Win32 tests under Wine, bounded fuzzing).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)
for preset in native windows fuzz bench; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
for preset in native windows fuzz; do
    ctest --preset "$preset" -j "$jobs"
done
