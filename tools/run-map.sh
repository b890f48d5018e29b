#!/usr/bin/env bash
# Starts the map host on the demo town. Without a display it runs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${CORVANE_BUILD:-build/dev}

if [ -x "$build/apps/corvane-map/corvane-map" ]; then
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: running the map host under Xvfb (see apps/corvane-map/README.md for the automation mode)."
    exec xvfb-run -a "$build/apps/corvane-map/corvane-map" "$@"
  fi
  exec "$build/apps/corvane-map/corvane-map" "$@"
fi
exec "$build/apps/corvane-walk/corvane-walk" "$@"
