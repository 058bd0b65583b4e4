#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, writes their seed corpora from tests/data and
# runs each target for SECONDS (default 60), one after the other.
#
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
#
# Corpora grow in build-fuzz/corpus/<target>, findings land in
# build-fuzz/findings/<target>/. Exits non-zero when any target found one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SAKURABE_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}
shift || true
"$root/scripts/deps.sh" clang-14 libclang-rt-14-dev

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSAKURABE_GUI=OFF -DSAKURABE_WERROR=ON -DSAKURABE_FUZZ=ON -DSAKURABE_SANITIZE=address,undefined,fuzzer-no-link
cmake --build "$build" -j"$(nproc)" --target fuzzers
"$build/fuzz/fuzz_seeds" "$build/seeds"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for t in "$build"/fuzz/fuzz_*; do
        name=$(basename "$t")
        [ "$name" = fuzz_seeds ] || [ ! -f "$t" ] || [ ! -x "$t" ] || targets+=("$name")
    done
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
summary=""
for name in "${targets[@]}"; do
    corpus="$build/corpus/$name"
    findings="$build/findings/$name"
    mkdir -p "$corpus" "$findings"
    log="$build/findings/$name.log"
    echo "== $name: $seconds s"
    set +e
    "$build/fuzz/$name" "$corpus" "$build/seeds/$name" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" > "$log" 2>&1
    rc=$?
    set -e
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    if [ $rc -eq 0 ]; then
        result="no findings"
    else
        result="FOUND (exit $rc): $(ls "$findings" | head -3 | tr '\n' ' ')"
        status=1
        tail -40 "$log"
    fi
    summary+=$(printf '%-26s %6s s %12s runs  %s' "$name" "$seconds" "${runs:-?}" "$result")$'\n'
done
printf '\n%s' "$summary"
exit $status
