#!/usr/bin/env bash
# The narrow-peak lab pattern (bench/narrow_pattern.h: 14 regions of two peaks, 9-40
# degrees, step 0.0156, FWHM 0.05-0.1) fitted by xrdfit and by fityk (its symmetric
# pseudo-Voigt, mpfit) from the same start values, in one run on this machine:
#   - single lines, W/R 0.06 and W/R 0, against fityk's symmetric fit;
#   - Cu Kα1/Kα2 doublets, W/R 0.06, against fityk's doublets with the Kα2 position tied
#     to the Kα1 one, and against our own single lines;
#   - a series of SERIES such patterns, xrdfit --jobs 2 against fityk's one script.
# xrdfit's times are whole processes (start, reading, fits, table); fityk's are its fit
# commands alone (Lua's os.clock) and its whole process. Commands run in turn, round after
# round (bench/process_times.py); minimum and median of ROUNDS. With BASELINE_XRDFIT set to
# another build's xrdfit, its rows are measured in the same rounds.
# Usage: bench/compare_fityk_narrow.sh [BUILD_DIR] [ROUNDS] [SERIES]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-bench}"
rounds="${2:-10}"
series="${3:-200}"

source bench/need_fityk.sh
if [ ! -x "$build_dir/bench/bench_narrow_peaks" ] || [ ! -x "$build_dir/xrdfit" ]; then
    cmake -S . -B "$build_dir" -DXRDPICK_BENCH=ON
    cmake --build "$build_dir" -j "$(nproc)" --target bench_narrow_peaks xrdfit
fi
times="$(pwd)/bench/process_times.py"
bench="$(cd "$build_dir/bench" && pwd)/bench_narrow_peaks"
xrdfit="$(cd "$build_dir" && pwd)/xrdfit"
baseline="${BASELINE_XRDFIT:-}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
"$bench" write . "$series"

# A fityk script fitting every region of the patterns named, from our start values; it
# prints the CPU time of its fit commands.
fityk_script() {
    local pairs="$1"
    shift
    echo "set autoplot = 0"
    echo "set verbosity = -1"
    echo "set fitting_method = mpfit"
    echo "lua fitCpu = 0"
    for pattern in "$@"; do
        echo "@0 < $pattern:1:2:3:"
        "$bench" fityk "$pattern" plan.txt $pairs
    done
    echo "lua print(string.format('fit cpu ms %.3f', fitCpu * 1000))"
}
fityk_script "" single_000.xy > single.fityk
fityk_script pairs pairs_000.xy > pairs.fityk
fityk_script "" single_*.xy > series.fityk

# fityk's fit commands alone: minimum and median over the rounds.
fit_cpu() {
    for _ in $(seq "$rounds"); do cfityk -n -q -I "$1" 2>&1 | sed -n 's/^fit cpu ms //p'; done |
        sort -g | awk '{ v[NR] = $1 } END { printf "%.2f %.2f", v[1], v[int((NR + 1) / 2)] }'
}
fityk_single_fit="$(fit_cpu single.fityk)"
fityk_pairs_fit="$(fit_cpu pairs.fityk)"

xrdfit_commands() {
    local program="$1" name="$2"
    echo "$name-single-0.06=$program --plan plan.txt --wor 0.06 --jobs 1 single_000.xy"
    echo "$name-single-0=$program --plan plan.txt --wor 0 --jobs 1 single_000.xy"
    echo "$name-pairs-0.06=$program --plan plan.txt --wor 0.06 --anode Cu --jobs 1 pairs_000.xy"
}
mapfile -t commands < <(xrdfit_commands "$xrdfit" xrdfit; [ -z "$baseline" ] || xrdfit_commands "$baseline" baseline)
commands+=("fityk-single=cfityk -n -q -I single.fityk" "fityk-pairs=cfityk -n -q -I pairs.fityk")
python3 "$times" "$rounds" "${commands[@]}" > single.times
mapfile -t commands < <(echo "xrdfit-series=$xrdfit --plan plan.txt --wor 0.06 --jobs 2 $(ls single_*.xy | tr '\n' ' ')"
    [ -z "$baseline" ] || echo "baseline-series=$baseline --plan plan.txt --wor 0.06 --jobs 2 $(ls single_*.xy | tr '\n' ' ')")
commands+=("fityk-series=cfityk -n -q -I series.fityk")
python3 "$times" "$((rounds > 3 ? 3 : rounds))" "${commands[@]}" > series.times

echo "cores: $(nproc), load average: $(cut -d' ' -f1-3 /proc/loadavg); ms: min / median of $rounds rounds"
echo "fityk fit commands alone, CPU: single lines $fityk_single_fit, tied doublets $fityk_pairs_fit"
awk -v single_fit="${fityk_single_fit% *}" -v pairs_fit="${fityk_pairs_fit% *}" '
    { cpu[$1] = $2; med[$1] = $3; wall[$1] = $4; wallMed[$1] = $5 }
    function row(what, a, b, fit) {
        if (!(a in cpu)) return
        printf "%-44s %9.2f %9.2f | %-12s %9.2f %6.2f", what, cpu[a], med[a], b, cpu[b], cpu[a] / cpu[b]
        if (fit != "") printf " | fit alone %7.2f %6.2f", fit, cpu[a] / fit
        printf "\n"
    }
    END {
        printf "%-44s %9s %9s | %-12s %9s %6s\n", "xrdfit, whole process CPU", "min", "median", "against", "min", "ratio"
        for (p = 0; p < 2; p++) {
            n = p ? "baseline" : "xrdfit"
            row(n " single lines, W/R 0.06", n "-single-0.06", "fityk-single", single_fit)
            row(n " single lines, W/R 0", n "-single-0", "fityk-single", single_fit)
            row(n " doublets, W/R 0.06", n "-pairs-0.06", "fityk-pairs", pairs_fit)
            row(n " doublets against own single lines", n "-pairs-0.06", n "-single-0.06", "")
            row(n " series --jobs 2", n "-series", "fityk-series", "")
            if (n "-series" in cpu)
                printf "%-44s wall min %.0f ms, median %.0f ms; fityk min %.0f ms\n", n " series",
                       wall[n "-series"], wallMed[n "-series"], wall["fityk-series"]
        }
    }' single.times series.times
