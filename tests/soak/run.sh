#!/usr/bin/env bash
# Soak: the real widget for MINUTES minutes (default 3), weather refreshed every minute
# against a local server that rotates through good, verification, stalled, bad-icon and
# down answers; prints the memory, descriptor, thread and clock-lag figures and checks them
# (soak.py says which). DESKWATCH_BIN names the binary (default: the release build).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export DESKWATCH_BIN="${DESKWATCH_BIN:-$here/../../build/release/src/app/deskwatch}"
export PYTHONDONTWRITEBYTECODE=1
exec python3 "$here/soak.py" "${1:-3}"
