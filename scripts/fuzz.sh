#!/usr/bin/env bash
# Builds the libFuzzer targets into build-fuzz/ (clang++, address and undefined-behaviour
# sanitizers) and runs each for a while on a scratch copy of its seed corpus under fuzz/corpus/.
# Fails when a target finds a crash, a sanitizer report or a broken invariant; the input that
# did it is kept in build-fuzz/findings/<target>/.
#
#   scripts/fuzz.sh [--seconds N] [--target NAME]   N seconds per target (default 20)
#   scripts/fuzz.sh --seconds 3600                  a long run
#   scripts/fuzz.sh --available                     exit 0 when clang++ can build a fuzzer
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(fuzz_packetcutter fuzz_reports fuzz_discovery)
seconds=20
targets=()

usage() {
    echo "usage: $0 [--seconds N] [--target NAME]... | --available" >&2
    echo "targets: ${all_targets[*]}" >&2
    exit 2
}

# clang++ with the libFuzzer runtime (Debian: clang and libclang-rt-14-dev).
available() {
    command -v clang++ >/dev/null 2>&1 || return 1
    local probe
    probe=$(mktemp -d)
    cat >"$probe/probe.cpp" <<'CPP'
extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }
CPP
    local ok=0
    clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" \
        >/dev/null 2>&1 || ok=1
    rm -rf "$probe"
    return $ok
}

while [ $# -gt 0 ]; do
    case "$1" in
    --seconds)
        if [ $# -lt 2 ] || ! [[ "$2" =~ ^[1-9][0-9]*$ ]]; then usage; fi
        seconds=$2
        shift 2
        ;;
    --target)
        [ $# -ge 2 ] || usage
        [[ " ${all_targets[*]} " == *" $2 "* ]] || usage
        targets+=("$2")
        shift 2
        ;;
    --available)
        available
        exit
        ;;
    *) usage ;;
    esac
done
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")

if ! available; then
    echo "fuzz: clang++ with the libFuzzer runtime is missing (scripts/ensure-deps.sh installs" \
        "clang and libclang-rt-14-dev)" >&2
    exit 1
fi

werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKV_FUZZ=ON -DKV_BUILD_BENCH=OFF -DKV_WARNINGS_AS_ERRORS="$werror" >/dev/null
cmake --build build-fuzz --target "${targets[@]}" -j"$(nproc)"

root=$(pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kv-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

failed=()
for target in "${targets[@]}"; do
    work="$scratch/$target"
    findings="$root/build-fuzz/findings/$target"
    mkdir -p "$work/corpus" "$work/tmp" "$findings"
    cp "$root/fuzz/corpus/$target/"* "$work/corpus/"
    echo "fuzz: $target for ${seconds} s"
    status=0
    # The target keeps its own files (devices.db) in TMPDIR, which goes with the scratch copy.
    (cd "$work" && TMPDIR="$work/tmp" UBSAN_OPTIONS=print_stacktrace=1 \
        "$root/build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$findings/" corpus) >"$work/log" 2>&1 ||
        status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log")
    if [ "$status" -eq 0 ]; then
        echo "fuzz: $target ok: ${runs:-?} inputs, ${rate:-?} per second"
    else
        echo "fuzz: $target FAILED after ${runs:-?} inputs (exit $status):" >&2
        grep -E '^\*\*\*|ERROR|SUMMARY|runtime error' "$work/log" | head -n 20 >&2 || true
        cp "$work/log" "$findings/last.log"
        echo "fuzz: log and input in build-fuzz/findings/$target/" >&2
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]}" >&2
    exit 1
fi
