#!/usr/bin/env bash
# Remakes the README's pictures in docs/: the application connected to a virtual unit on
# loopback, in both appearances, with the matrix and the filter editor, under Xvfb. It clicks
# like a user (xdotool) at places measured on the main window at its first-start size; when
# the window's layout changes, check the pictures and the offsets below.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
scripts/ensure-deps.sh --screenshots
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kv530418 virtual-unit -j"$(nproc)"

work=$(mktemp -d)
unit_pid=""
cleanup() {
    [ -n "$unit_pid" ] && kill "$unit_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A free control port chosen by the unit, a discovery port of our own, no UDP command port:
# nothing here collides with a demo that is running.
discovery=$((40000 + RANDOM % 20000))
build/unit/virtual-unit --port 0 --discovery-port "$discovery" --command-port 0 \
    --announce-interval 200 --profile 1 >"$work/unit.log" 2>&1 &
unit_pid=$!
for _ in $(seq 50); do
    grep -q 'listening on' "$work/unit.log" && break
    sleep 0.1
done
control=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/unit.log")
if [ -z "$control" ]; then
    cat "$work/unit.log" >&2
    exit 1
fi

# Runs inside Xvfb: starts the application, connects and saves <page>-<appearance>.png.
cat >"$work/shoot.sh" <<'EOF_SHOOT'
set -euo pipefail
out=$1 appearance=$2
shift 2
"$KV_APP" >app.log 2>&1 &
app=$!
trap 'kill $app 2>/dev/null' EXIT
window=$(xdotool search --sync --onlyvisible --name '^KV530418$' | head -1)
sleep 2
eval "$(xdotool getwindowgeometry --shell "$window")"
click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; }
declare -A page=([main]=200 [filter]=507 [matrix]=660)
click 80 113 # the unit's card
sleep 3
for shot in "$@"; do
    click "${page[$shot]}" 39
    xdotool mousemove 0 0 # no hover highlight in the picture
    sleep 2
    import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$out/$shot-$appearance.png"
    echo "$out/$shot-$appearance.png"
done
EOF_SHOOT

# One start per appearance, each with the pages it shows.
shoot() {
    local dark=$1
    shift
    printf '%s\n' '[Language]' 'Support=3' 'Current=1' '[Appearance]' 'Support=3' \
        "Config=$dark" '[DeviceVersionSelection]' 'Current=1' 'ShowAtStartup=false' \
        '[Control]' "Port=$control" '[Broadcast]' "Port=$discovery" >"$work/cfg.ini"
    rm -rf "$work/config"
    (cd "$work" && KV_APP="$repo/build/src/app/kv530418" XDG_CONFIG_HOME="$work/config" \
        xvfb-run -a -s "-screen 0 1400x900x24" bash shoot.sh "$repo/docs" "$@")
}
mkdir -p docs
shoot 0 light main matrix
shoot 1 dark main filter
