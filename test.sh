#!/usr/bin/env bash
# Installs what is missing, builds and runs every test, then a short fuzzing smoke.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-deps.sh
scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@")
if scripts/fuzz.sh --available; then
    scripts/fuzz.sh --seconds 20
else
    echo "Fuzzing smoke skipped: clang++ with the libFuzzer runtime not found."
fi
