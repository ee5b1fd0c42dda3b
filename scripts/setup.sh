#!/usr/bin/env bash
# Installs what the build needs (Debian packages), then configures and builds xrdpick.
# Safe to run again and again. Usage: scripts/setup.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake make pkg-config giza-dev libx11-dev libgtest-dev libgmock-dev
          libbenchmark-dev xvfb xauth xdotool x11-utils clang libclang-rt-14-dev
          libxy-dev libxy-bin python3 fityk)
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
cmake -S . -B "$build_dir" "$@"
cmake --build "$build_dir" -j "$(nproc)"
