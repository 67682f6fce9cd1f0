#!/usr/bin/env bash
# Installs what is missing, builds, starts a virtual unit on loopback and then the application.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-deps.sh --gui
scripts/build.sh
mkdir -p run
cd run
unit_pid=""
if [ -x ../build/unit/virtual-unit ]; then
    # A 16 x 8 unit with USB media, one of the configurations the start-up dialog offers,
    # without a password.
    ../build/unit/virtual-unit --profile 1 >virtual-unit.log 2>&1 &
    unit_pid=$!
fi
cleanup() { [ -n "$unit_pid" ] && kill "$unit_pid" 2>/dev/null || true; }
trap cleanup EXIT
../build/src/app/kv530418 "$@"
