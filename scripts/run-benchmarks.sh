#!/bin/sh
# Runs every micro-benchmark built in the given build directory.
set -eu
build=${1:-build}
found=0
for bench in "$build"/bench/*_bench "$build"/bench/quorralith_bench; do
    [ -x "$bench" ] || continue
    found=1
    echo "== $(basename "$bench")"
    "$bench" --benchmark_min_time=0.2
done
[ "$found" = 1 ] || echo "No benchmarks were built in $build/bench."
