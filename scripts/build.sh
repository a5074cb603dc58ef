#!/usr/bin/env bash
# Configures (once) and builds the given targets, or everything, in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$root/build/build.ninja" ]; then
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
if [ $# -gt 0 ]; then
    cmake --build "$root/build" -j2 --target "$@"
else
    cmake --build "$root/build" -j2
fi
