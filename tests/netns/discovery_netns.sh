#!/bin/sh
# Real broadcast discovery across network namespaces. Three namespaces of this run: the PC and
# two units, each unit joined to the PC by its own veth link (192.0.2.0/25 and 192.0.2.128/25).
# Each unit runs `virtual-unit --broadcast` and may take a second address on its link; the PC
# runs discoveryprobe, which checks discovery, local addresses, the network-settings command
# and offline ageing. Nothing leaves the namespaces. Exits 77 (skipped) where namespaces
# cannot be created.
#
#   discovery_netns.sh <virtual-unit> <discoveryprobe>
set -u

unit_bin=$1
probe_bin=$2
port=30068

skip() {
    echo "SKIP: $*"
    exit 77
}

[ "$(id -u)" -eq 0 ] || skip "creating network namespaces needs root"
command -v ip >/dev/null 2>&1 || skip "iproute2 is not installed"
command -v timeout >/dev/null 2>&1 || skip "timeout is not installed"

tag=$$
ns_pc=kvtest-pc-$tag
ns_u1=kvtest-u1-$tag
ns_u2=kvtest-u2-$tag
created=""
pids=""
logdir=$(mktemp -d)

cleanup() {
    for pid in $pids; do
        kill "$pid" 2>/dev/null
    done
    for pid in $pids; do
        wait "$pid" 2>/dev/null
    done
    # Deleting a namespace removes its end of the veth pair, and with it the other end.
    for ns in $created; do
        ip netns delete "$ns" 2>/dev/null
    done
    rm -rf "$logdir"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

for ns in $ns_pc $ns_u1 $ns_u2; do
    ip netns add "$ns" 2>/dev/null || skip "cannot create network namespace $ns"
    created="$created $ns"
done

fail() {
    echo "FAIL: $*"
    exit 1
}

# link <unit namespace> <unit address> <second unit address> <PC address> <prefix> <name>
link() {
    ip -n "$1" link add "$6" type veth peer name "pc-$6" netns "$ns_pc" 2>/dev/null ||
        skip "cannot create a veth pair"
    ip -n "$1" addr add "$2/$5" dev "$6" &&
        ip -n "$1" addr add "$3/$5" dev "$6" &&
        ip -n "$ns_pc" addr add "$4/$5" dev "pc-$6" &&
        ip -n "$1" link set "$6" up &&
        ip -n "$ns_pc" link set "pc-$6" up || fail "cannot configure link $6"
}

for ns in $created; do
    ip -n "$ns" link set lo up || fail "cannot bring up lo in $ns"
done
link "$ns_u1" 192.0.2.1 192.0.2.3 192.0.2.2 25 unit1
link "$ns_u2" 192.0.2.129 192.0.2.131 192.0.2.130 25 unit2

# The kernel reports a new link's operational state as up only after a moment (up to about a
# second), and until then the PC does not count the interface as active. Start once both are.
tries=0
until [ "$(ip -n "$ns_pc" -o link show up | grep -c 'state UP')" -eq 2 ]; do
    tries=$((tries + 1))
    [ $tries -le 50 ] || fail "the links did not come up"
    sleep 0.1
done

# start_unit <namespace> <address> <device id>; the unit also stops by itself after a while.
start_unit() {
    ip netns exec "$1" "$unit_bin" --broadcast --listen "$2" --device-id "$3" \
        --discovery-port $port --announce-interval 250 --run-for 60 \
        >"$logdir/unit-$3.log" 2>&1 &
    pids="$pids $!"
    last_pid=$!
}
start_unit "$ns_u1" 192.0.2.1 20001
pid1=$last_pid
start_unit "$ns_u2" 192.0.2.129 20002
pid2=$last_pid

# In the background, so that a signal to this script cleans up at once.
timeout 25 ip netns exec "$ns_pc" "$probe_bin" $port \
    20001,192.0.2.1,192.0.2.2,192.0.2.3,$pid1 \
    20002,192.0.2.129,192.0.2.130,192.0.2.131,$pid2 &
probe_pid=$!
pids="$pids $probe_pid"
wait $probe_pid
status=$?

for log in "$logdir"/unit-*.log; do
    echo "--- $(basename "$log")"
    cat "$log"
done
[ $status -eq 0 ] || fail "discoveryprobe exited with $status"
echo "discovery across namespaces: passed"
