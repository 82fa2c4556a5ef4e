#!/usr/bin/env bash
# Builds the benchmarks (Release, build/release, with the sample installation) and runs
# every one, 5 repetitions each, then rewrites the "Latest run" section at the end of
# docs/performance.md with the medians of this run: the ratios against the peers and the
# scaling table (bench/tables.awk), then every benchmark's medians. So all figures come
# from one run on one machine. The sections above it explain the figures and are written
# by hand.
# Usage: bench/run-all.sh [FILTER]   (a Google Benchmark regex, default all)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/release"
filter="${1:-.}"
"$root/scripts/install-deps.sh" >&2
apt_extra=(lttoolbox apertium-cat-ita hunspell hunspell-it fortunes-it)
echo "Peer benchmarks need: ${apt_extra[*]} (skipped when missing)" >&2
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORVEL_BENCH=ON \
    -DNORVEL_TESTS=OFF >&2
cmake --build "$build" >&2
results="$(mktemp)"
medians="$(mktemp)"
trap 'rm -f "$results" "$medians"' EXIT
{
    for bench in "$build"/bin/bench_*; do
        name="$(basename "$bench")"
        # The workstation's own figures are taken on a real X display: a virtual one when
        # there is no display.
        runner=()
        if [ "$name" = bench_workstation ] && [ -z "${DISPLAY:-}" ]; then
            runner=(xvfb-run -a -s "-screen 0 1600x1000x24")
        fi
        lines="$("${runner[@]}" "$bench" --benchmark_filter="$filter" --benchmark_repetitions=5 \
            --benchmark_report_aggregates_only=true 2>/dev/null |
            grep -E '_median|ERROR' | sed -E 's/_median//; s/ +/ /g' || true)"
        [ -n "$lines" ] || continue
        echo "$lines" >> "$medians"
        echo
        echo "### $name"
        echo
        echo '```'
        echo "$lines"
        echo '```'
    done
} > "$results"
doc="$root/docs/performance.md"
marker="## Latest run (bench/run-all.sh)"
# Everything before the section stays; the section is written anew.
kept="$(mktemp)"
awk -v marker="$marker" '$0 == marker { exit } { print }' "$doc" > "$kept"
mv "$kept" "$doc"
{
    echo "$marker"
    echo
    echo "Run on $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')."
    echo "Medians of 5 repetitions; Release build."
    echo
    awk -f "$root/bench/tables.awk" "$medians"
    cat "$results"
} >> "$doc"
echo "docs/performance.md updated" >&2
