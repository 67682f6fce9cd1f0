#!/usr/bin/env bash
# Start-up with an empty registry and with 1024 known units, offscreen: time and memory.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target bench_start >/dev/null
export QT_QPA_PLATFORM=offscreen
for units in 0 1024; do
    for run in 1 2 3; do
        build/bench/bench_start --units "$units"
    done
done
