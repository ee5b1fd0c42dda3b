#!/usr/bin/env bash
# The 9-peak, 2001-point fit of one pattern file, by xrdpick (asymmetric pseudo-Voigt,
# W/R 0.06 held, as the fitting mode runs it) and by fityk (its symmetric pseudo-Voigt,
# mpfit), from the same start values, in one run on this machine. Installs fityk (Debian
# package `fityk`) when cfityk is missing. Times are the quickest of REPEATS fits: wall
# clock and CPU time (all threads) for xrdpick, file load included; CPU time of the fit for
# fityk, which runs on one thread. On a busy machine the CPU times compare more fairly.
# Usage: bench/compare_fityk.sh [BUILD_DIR] [REPEATS]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-bench}"
repeats="${2:-30}"

source bench/need_fityk.sh
if [ ! -x "$build_dir/bench/bench_whole_fit" ]; then
    cmake -S . -B "$build_dir" -DXRDPICK_BENCH=ON
    cmake --build "$build_dir" -j "$(nproc)" --target bench_whole_fit
fi
bench="$(cd "$build_dir/bench" && pwd)/bench_whole_fit"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
"$bench" write pattern.xy

# fityk: the model rebuilt from the start values before every fit; Lua's os.clock times
# the fit command alone.
{
    echo "set autoplot = 0"
    echo "set verbosity = -1"
    echo "set fitting_method = mpfit"
    echo "@0 < pattern.xy:1:2:3:"
    echo "lua best = 1e9"
    echo "lua for rep = 1, $repeats do \\"
    echo "F:execute('delete %*') \\"
    "$bench" fityk pattern.xy | sed "s/.*/F:execute('&') \\\\/"
    echo "local t0 = os.clock(); F:execute('fit'); local t = os.clock() - t0 \\"
    echo "if t < best then best = t end end"
    echo "lua print(string.format('fityk:   fit, ms: min %.2f of $repeats (cpu)', best * 1000))"
} > fit.fityk
fityk_line="$(cfityk -n -q -I fit.fityk 2>&1 | grep '^fityk:')"
ours_line="$("$bench" fit pattern.xy "$repeats")"

echo "cores: $(nproc), load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$ours_line"
echo "$fityk_line"
ours_ms="$(sed -n 's/.*ms: min \([0-9.]*\),.*/\1/p' <<< "$ours_line")"
ours_cpu_ms="$(sed -n 's/.*cpu min \([0-9.]*\);.*/\1/p' <<< "$ours_line")"
fityk_ms="$(sed -n 's/.*min \([0-9.]*\) of.*/\1/p' <<< "$fityk_line")"
awk -v a="$ours_ms" -v c="$ours_cpu_ms" -v b="$fityk_ms" 'BEGIN {
    printf "ratio xrdpick / fityk: %.2f (xrdpick wall), %.2f (xrdpick cpu)\n", a / b, c / b }'
