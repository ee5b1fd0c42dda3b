#!/usr/bin/env bash
# Sets up and builds xrdpick with its tests, then runs the whole suite, the window tests
# under Xvfb included. Extra arguments go to ctest (for example -L window).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${XRDPICK_BUILD_DIR:-build}"
scripts/setup.sh "$build_dir" ${XRDPICK_CMAKE_OPTIONS:-}
cd "$build_dir"
ctest --output-on-failure -j 2 "$@"
