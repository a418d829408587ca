#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and gives each a bounded run (FUZZ_SECONDS each,
# default 20). Longer runs by hand: ./build-fuzz/fuzz_macro_stream -max_total_time=3600 corpus/
# Prints how many inputs each target tried; a finding stops the script with the crashing input
# saved beside the target (crash-*).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
build="${FUZZ_BUILD_DIR:-build-fuzz}"
CC=clang CXX=clang++ cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
total=0
for target in "$build"/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    log="$build/$name.log"
    if ! (cd "$build" && "./$name" -max_total_time="$seconds" -rss_limit_mb=2048 "corpus/$name") >"$log" 2>&1; then
        echo "fuzz: $name found a fault:"
        grep -E "ERROR|SUMMARY|#[0-9]+ " "$log" | head -30
        exit 1
    fi
    runs=$(grep -oE 'Done [0-9]+ runs' "$log" | grep -oE '[0-9]+' || echo 0)
    total=$((total + runs))
    echo "fuzz: $name tried $runs inputs in ${seconds}s"
done
echo "fuzz: $total inputs in all, no fault found"
