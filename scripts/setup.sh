#!/usr/bin/env bash
# Installs what a build needs (Debian packages), then configures and builds xrdpick. Safe to
# run again and again.
# Usage: scripts/setup.sh [--programs] [BUILD_DIR] [extra cmake options...]
#   --programs  only what the five programs need to build and run, and only the programs;
#               otherwise the developer tools too (tests, sanitizer runtimes, Xvfb, fuzzing
#               and benchmark libraries, the peer fityk, the Python module's build and test
#               packages) and everything.
set -euo pipefail
cd "$(dirname "$0")/.."

programs_only=false
if [ "${1:-}" = "--programs" ]; then
    programs_only=true
    shift
fi

# fonts-urw-base35: Nimbus Roman, the Times-metric family the program draws its page in.
packages=(g++ cmake make pkg-config giza-dev libx11-dev libxy-dev fonts-urw-base35)
if ! $programs_only; then
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils clang
               libclang-rt-14-dev libxy-bin python3 fityk libpng-dev
               pybind11-dev python3-dev python3-numpy python3-pytest python3-setuptools
               python3-pip python3-venv)
fi
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

build_dir="${1:-build}"
shift || true
if $programs_only; then
    # A build directory made by the test command keeps its tests; a new one gets none.
    tests=()
    [ -f "$build_dir/CMakeCache.txt" ] || tests=(-DXRDPICK_TESTS=OFF)
    cmake -S . -B "$build_dir" "${tests[@]}" "$@"
    cmake --build "$build_dir" -j "$(nproc)" --target xrdpick xrdconvert xrdfit xrdsuggest xrdcell
else
    cmake -S . -B "$build_dir" -DXRDPICK_TESTS=ON "$@"
    cmake --build "$build_dir" -j "$(nproc)"
fi
