#!/usr/bin/env bash
# Builds the benchmarks in the default preset and runs them: one RunFrame of the title, a busy
# game and the game-over screen on the headless backend, a plain copy of one 640x480 8-bit
# picture for comparison, the SDL presentation's palette lookup, and the check each flip makes
# for an unchanged picture. Prints each median and its ratio to the copy. Extra arguments go to the benchmark program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephyx_setup test
cmake --preset default >/dev/null
cmake --build --preset default --target zephyx_bench >/dev/null

./build/default/bench/zephyx_bench --benchmark_repetitions="${BENCH_REPETITIONS:-20}" \
    --benchmark_report_aggregates_only=true "$@" | tee build/default/bench.txt

echo
echo "Medians (wall time) and ratio to copying one picture:"
awk '
    function ns(value, unit) {
        return unit == "us" ? value * 1000 : unit == "ms" ? value * 1000000 : value
    }
    $1 ~ /_median$/ {
        name = $1; sub(/^BM_/, "", name); sub(/_median$/, "", name)
        order[++count] = name; nanoseconds[name] = ns($2, $3)
    }
    END {
        base = nanoseconds["CopyPicture"]
        for (i = 1; i <= count; ++i) {
            n = order[i]
            printf "  %-16s %10.1f us  %6.1fx\n", n, nanoseconds[n] / 1000, (base > 0 ? nanoseconds[n] / base : 0)
        }
    }' build/default/bench.txt
