#!/usr/bin/env bash
# Installs what is missing, builds, starts a virtual unit on loopback and then the application.
# ./run.sh --help lists the demo options.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/demo-config.sh
if ! demo_split "$@"; then
    demo_usage >&2
    exit 2
fi
if [ "$demo_help" = 1 ]; then
    demo_usage
    exit 0
fi
scripts/ensure-deps.sh --gui
scripts/build.sh
mkdir -p run
demo_write_config run/cfg.ini "$demo_profile"
cd run
unit_pid=""
if [ -x ../build/unit/virtual-unit ]; then
    ../build/unit/virtual-unit "${demo_unit_args[@]}" >virtual-unit.log 2>&1 &
    unit_pid=$!
fi
cleanup() { [ -n "$unit_pid" ] && kill "$unit_pid" 2>/dev/null || true; }
trap cleanup EXIT
../build/src/app/kv530418 "${demo_app_args[@]}"
