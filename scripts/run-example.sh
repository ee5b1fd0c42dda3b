#!/usr/bin/env bash
# Sets up and builds xrdpick, then opens it on the shipped example pattern.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --programs build
if [ -z "${DISPLAY:-}" ]; then
    echo "xrdpick draws in an X window: run this from a desktop session (DISPLAY is not set)." >&2
fi
exec build/xrdpick examples/quartz.xy
