#!/usr/bin/env bash
# Fuzz campaigns. Builds the libFuzzer targets of tests/fuzz with clang (in build-fuzz, or
# XRDPICK_FUZZ_DIR) and runs each for a fixed time on a working corpus seeded from
# tests/fuzz/corpus, one process at a time. Crash inputs land in <dir>/artifacts/<target>/.
# With XRDPICK_SESSION_EVENTS set, it then runs that many random session events through the
# whole program in the AddressSanitizer build (build-asan, or XRDPICK_ASAN_DIR).
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET [TARGET...]]   (default 60 s, every target)
# Exit status 1 when any target found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_read_xy fuzz_read_wyr fuzz_read_dat fuzz_read_gda fuzz_read_super
             fuzz_read_import fuzz_load_background fuzz_load_peaks
             fuzz_plan_file fuzz_plan_fit fuzz_plan_cdt
             fuzz_args_fit fuzz_args_convert fuzz_args_suggest fuzz_suggest_counts)
fi
fuzz_dir="${XRDPICK_FUZZ_DIR:-build-fuzz}"
root="$(pwd)"

CC=clang CXX=clang++ cmake -S . -B "$fuzz_dir" -DXRDPICK_FUZZ=ON -DXRDPICK_TESTS=OFF >/dev/null
if ! cmake --build "$fuzz_dir" -j "$(nproc)" --target "${targets[@]}" >"$fuzz_dir/build.log" 2>&1; then
    cat "$fuzz_dir/build.log"
    exit 1
fi

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan_suppressions.txt"
failed=0
for target in "${targets[@]}"; do
    corpus="$fuzz_dir/corpus/$target"
    artifacts="$fuzz_dir/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    log="$fuzz_dir/$target.log"
    if (cd "$fuzz_dir" && "$root/$fuzz_dir/fuzz/$target" -max_total_time="$seconds" \
            -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$root/$artifacts/" \
            "$root/$corpus" "$root/tests/fuzz/corpus/$target") >"$log" 2>&1; then
        echo "$target: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')" \
            "executions in ${seconds} s, no fault"
    else
        echo "$target: FAULT, see $log and $artifacts/"
        grep -E 'broken promise|ERROR: |runtime error' "$log" | head -3 || true
        failed=1
    fi
done

if [ -n "${XRDPICK_SESSION_EVENTS:-}" ]; then
    asan_dir="${XRDPICK_ASAN_DIR:-build-asan}"
    cmake -S . -B "$asan_dir" -DXRDPICK_SANITIZE=ON >/dev/null
    cmake --build "$asan_dir" -j "$(nproc)" --target test_session
    if ! XRDPICK_SESSION_EVENTS="$XRDPICK_SESSION_EVENTS" \
            "$asan_dir/tests/test_session" --gtest_filter='RandomSession*'; then
        echo "random sessions: FAULT"
        failed=1
    fi
fi
exit "$failed"
