#!/usr/bin/env bash
# tst_package.sh <build folder> <application id>
set -euo pipefail
build=$1
id=$2

for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool not installed (scripts/ensure-deps.sh installs it)"
        exit 77
    fi
done

scratch=$(mktemp -d)
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The package, from the build tree as it is.
(cd "$build" && cpack -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$scratch"/package/*.deb)
root=$scratch/root
dpkg-deb -x "$deb" "$root"

# Its contents.
for path in \
    usr/bin/kv530418 \
    usr/bin/kv530418-virtual-unit \
    "usr/share/applications/$id.desktop" \
    "usr/share/metainfo/$id.metainfo.xml" \
    usr/share/kv530418/translations/chinese.qm \
    usr/share/kv530418/translations/english.qm; do
    [ -s "$root/$path" ] || fail "$path missing from the package"
done
for size in 16 24 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -s "$icon" ] || fail "no $size pixel icon"
    # The PNG header holds the width and height as big-endian words at bytes 16 and 20.
    dims=$(od --endian=big -An -tu4 -j16 -N8 "$icon" | xargs)
    [ "$dims" = "$size $size" ] || fail "the $size pixel icon measures $dims"
done
if grep -q '/kvctl\.dir$' "$build/CMakeFiles/TargetDirectories.txt" 2>/dev/null; then
    [ -x "$root/usr/bin/kvctl" ] || fail "kvctl built but not packaged"
fi
[ -x "$root/usr/bin/kv530418-virtual-unit" ] || fail "the virtual unit is not executable"
"$root/usr/bin/kv530418-virtual-unit" --help | grep -q -- '--profile' ||
    fail "the installed virtual unit does not run"

# Dependencies computed from the binaries, and the plugin no binary links.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt5widgets5 libqt5network5 libqt5sql5 libqt5sql5-sqlite libc6; do
    [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
        fail "Depends lacks $package: $depends"
done

desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli validate"
grep -q "^Icon=$id$" "$root/usr/share/applications/$id.desktop" || fail "menu entry names another icon"

# Started from a folder without cfg.ini, the installed application keeps its files in the
# per-user data folder, never in that folder nor in the home folder.
home=$scratch/home
start=$scratch/elsewhere
data=$home/.local/share/QM/KV530418
mkdir -p "$home" "$start"
launch() {
    (cd "$start" && exec env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" \
        QT_QPA_PLATFORM=offscreen "$root/usr/bin/kv530418" >>"$scratch/app.log" 2>&1) &
    app_pid=$!
}
stop() {
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
}
launch
for _ in $(seq 100); do
    [ -f "$data/cfg.ini" ] && [ -f "$data/devices.db" ] && break
    sleep 0.1
done
[ -f "$data/cfg.ini" ] || { cat "$scratch/app.log" >&2; fail "no cfg.ini in $data"; }
[ -f "$data/devices.db" ] || fail "no devices.db in $data"
sleep 1
kill -0 "$app_pid" 2>/dev/null || { cat "$scratch/app.log" >&2; fail "the application ended at its first start"; }
stop

# Once more without the start-up dialog: it goes on to its main window and keeps running.
printf '[DeviceVersionSelection]\nCurrent=1\nShowAtStartup=false\n' >"$data/cfg.ini"
launch
sleep 3
kill -0 "$app_pid" 2>/dev/null || { cat "$scratch/app.log" >&2; fail "the main window did not stay up"; }
stop
grep -q '^EN=KV530418' "$data/cfg.ini" || fail "the second start did not use the data folder's cfg.ini"
leftovers=$(find "$start" "$home" -maxdepth 1 \( -name cfg.ini -o -name devices.db \))
[ -z "$leftovers" ] || fail "files left outside the data folder: $leftovers"
echo "package $(basename "$deb") installs, validates and starts"
