#!/bin/sh
# Fuzzing of every reader of outside data: installs clang when missing, builds the libFuzzer
# targets of tests/fuzz (with AddressSanitizer and UndefinedBehaviorSanitizer) in build-fuzz/,
# and runs each one for SECONDS_PER_TARGET seconds (default 20) on a copy of its seed corpus, as
# many at once as there are cores (QUILLABE_FUZZ_JOBS sets another number).
# Prints per target the executions, the speed and the coverage; exits non-zero on any finding and
# keeps the input that caused it under build-fuzz/findings/. QUILLABE_FUZZ_BUILD names another
# build folder.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET [TARGET...]]
set -eu
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${1:-20}
case "$SECONDS_PER_TARGET" in
'' | *[!0-9]*)
    echo "usage: scripts/fuzz.sh [SECONDS_PER_TARGET [TARGET...]]" >&2
    exit 2
    ;;
esac

build=${QUILLABE_FUZZ_BUILD:-build-fuzz}
# One per reader of outside data (tests/fuzz/<name>Fuzz.cpp); named ones only when given.
TARGETS="ini profile preset language typedata skin picture cmdline timetext adapter parser script"
[ $# -gt 1 ] && shift && TARGETS="$*"

# The compiler and its fuzzer and sanitizer runtimes are needed here only.
scripts/install-deps.sh clang libclang-rt-dev

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DQUILLABE_FUZZ=ON -DQUILLABE_BUILD_TESTS=OFF
cmake --build "$build" --target fuzz_targets

# The targets write the files their readers open on every run: a memory file system keeps that
# fast and spares the disk.
scratch_root=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_root=/dev/shm
scratch=$(mktemp -d "$scratch_root/quillabe-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
findings="$(cd "$build" && pwd)/findings"

# One target's run; its table line goes to $scratch/<target>/result, a finding also to .../finding.
run_target() {
    t=$1
    work="$scratch/$t"
    mkdir -p "$work/corpus" "$work/tmp"
    cp tests/fuzz/corpus/"$t"/* "$work/corpus/"
    dict=""
    [ -f tests/fuzz/dict/"$t".dict ] && dict="-dict=tests/fuzz/dict/$t.dict"
    status=0
    # shellcheck disable=SC2086
    TMPDIR="$work/tmp" "$build"/tests/fuzz/fuzz_"$t" "$work/corpus" $dict \
        -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$work/" >"$work/log" 2>&1 || status=$?

    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log")
    # The last status line: "#N  DONE   cov: C ft: F corp: U/SIZE ...".
    last=$(grep -E '^#[0-9]+' "$work/log" | tail -n 1)
    cov=$(echo "$last" | sed -n 's/.* cov: \([0-9]*\).*/\1/p')
    ft=$(echo "$last" | sed -n 's/.* ft: \([0-9]*\).*/\1/p')
    corp=$(echo "$last" | sed -n 's/.* corp: \([0-9]*\/[0-9]*[a-zA-Z]*\).*/\1/p')
    result=ok
    if [ "$status" -ne 0 ]; then
        result="FINDING (exit $status)"
        mkdir -p "$findings/$t"
        cp "$work/log" "$findings/$t/log"
        for a in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
            [ -e "$a" ] || continue
            cp "$a" "$findings/$t/"
            result="$result: $findings/$t/$(basename "$a")"
        done
    fi
    printf '%-10s %12s %9s %7s %7s %9s  %s\n' "$t" "${runs:-?}" "${speed:-?}" "${cov:-?}" \
        "${ft:-?}" "${corp:-?}" "$result" >"$work/result"
    if [ "$status" -ne 0 ]; then
        {
            grep -E 'check failed|ERROR: |SUMMARY' "$work/log" | head -n 5 | sed 's/^/    /'
            echo "    reproduce: $build/tests/fuzz/fuzz_$t <input>; full log: $findings/$t/log"
        } >>"$work/result"
        : >"$work/finding"
    fi
}

# Each target is single-threaded: run as many at once as there are cores (QUILLABE_FUZZ_JOBS).
jobs=${QUILLABE_FUZZ_JOBS:-$(nproc)}
set -- $TARGETS
while [ $# -gt 0 ]; do
    n=0
    while [ $n -lt "$jobs" ] && [ $# -gt 0 ]; do
        run_target "$1" &
        n=$((n + 1))
        shift
    done
    wait
done

failed=0
printf '%-10s %12s %9s %7s %7s %9s  %s\n' target executions exec/s cov ft corpus result
for t in $TARGETS; do
    cat "$scratch/$t/result" 2>/dev/null || echo "$t: no result"
    [ -e "$scratch/$t/finding" ] || [ ! -e "$scratch/$t/result" ] && failed=1
done
exit $failed
