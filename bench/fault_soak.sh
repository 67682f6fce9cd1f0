#!/usr/bin/env bash
# Builds the fault soak if needed and runs it: one model for --minutes M (default 5) against
# four virtual units that drop the link, fall silent, send garbage and answer late. Exits
# non-zero when a lost link is not back in time or the resident size keeps growing.
# Not part of CTest: it takes minutes.
#   bench/fault_soak.sh [build directory] [bench_fault_soak options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
    build="$1"
    shift
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target bench_fault_soak -j"${JOBS:-2}" >/dev/null
exec "$build/bench/bench_fault_soak" "$@"
