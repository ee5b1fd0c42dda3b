#!/usr/bin/env bash
# Makes the README's pictures of the screen again (docs/*.png) after a change of look: the
# window tests that reach those pages keep a picture of them when XRDPICK_PICTURES names a
# folder. Builds what they need first. Usage: scripts/pictures.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build}"
cmake -S . -B "$build_dir" > /dev/null
cmake --build "$build_dir" -j "$(nproc)" --target test_window
XRDPICK_PICTURES="$PWD/docs" "$build_dir/tests/test_window" \
    --gtest_filter='FitWindowTest.*:BackgroundWindowTest.*'
echo "Pictures kept in docs/: evaluation-page.png, background-points.png"
