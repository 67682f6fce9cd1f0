#!/usr/bin/env bash
# Runs bench_levels on a virtual X display wide enough for all 33 strips and the meter window.
#   bench/bench_levels.sh [build directory] [bench_levels options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
[ $# -gt 0 ] && shift
exec xvfb-run -a -s '-screen 0 3400x1600x24' "$build/bench/bench_levels" "$@"
