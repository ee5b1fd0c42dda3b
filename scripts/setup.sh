#!/usr/bin/env bash
# Installs what a build needs (Debian packages), then configures and builds xrdpick. Safe to
# run again and again.
# Usage: scripts/setup.sh [--programs | --python] [BUILD_DIR] [extra cmake options...]
#   --programs  only what the five programs need to build and run, and only the programs;
#   --python    only what pip needs to build the Python module (README), and no build;
#   neither     the developer tools too (tests, sanitizer runtimes, Xvfb, fuzzing and
#               benchmark libraries, the peer fityk, the Python module's build, test, plot
#               and notebook packages) and everything.
set -euo pipefail
cd "$(dirname "$0")/.."

programs_only=false
python_only=false
case "${1:-}" in
    --programs) programs_only=true; shift ;;
    --python) python_only=true; shift ;;
esac

# The Python module's build: the libraries without graphics, pybind11 and numpy, and pip in
# a virtual environment over Debian's packages.
python_packages=(g++ cmake make libxy-dev pybind11-dev python3-dev python3-numpy
                 python3-setuptools python3-wheel python3-pip python3-venv)
# fonts-urw-base35: Nimbus Roman, the Times-metric family the program draws its page in.
packages=(g++ cmake make pkg-config giza-dev libx11-dev libxy-dev fonts-urw-base35)
if $python_only; then
    packages=("${python_packages[@]}")
elif ! $programs_only; then
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils clang
               libclang-rt-14-dev libxy-bin python3 fityk libpng-dev
               "${python_packages[@]}" python3-pytest python3-matplotlib python3-pandas
               python3-nbclient python3-ipykernel python3-nbformat)
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

$python_only && exit 0

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
