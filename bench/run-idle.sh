#!/usr/bin/env bash
# The widget at rest beside xclock: start-up time, CPU per minute and memory, measured on a
# private Xvfb. Usage: bench/run-idle.sh [seconds, default 60] [settle seconds before
# measuring, default 1] (builds the release binary unless DESKWATCH_BIN names one).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
if [ -z "${DESKWATCH_BIN:-}" ]; then
  ./scripts/build release deskwatch >/dev/null
  export DESKWATCH_BIN="$PWD/build/release/src/app/deskwatch"
fi
exec python3 bench/run_idle.py "$seconds" "${2:-1}"
