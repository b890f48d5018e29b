#!/usr/bin/env bash
# Starts the map host on the demo town. On a machine without a display it
# walks the search journey in the host's automation mode instead and saves
# screenshots of the result (see apps/corvane-map/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${CORVANE_BUILD:-build/dev}
map="$build/apps/corvane-map/corvane-map"

if [ ! -x "$map" ]; then
  echo "No map host in $build (Qt or GDAL switched off?): running the headless walk instead."
  exec "$build/apps/corvane-walk/corvane-walk" "$@"
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$map" "$@"
fi

out="$build/demo"
rm -rf "$out" && mkdir -p "$out"
echo "No display here: walking the search journey on the demo town in automation mode"
echo "(script: tools/demo-journey.txt; start 'xvfb-run -a $map' for a window on a virtual screen)."
root=$(pwd)
(cd "$out" && "$root/$map" --drive-c drive_c --registry registry.reg \
  --automate "$root/tools/demo-journey.txt" 2> host.log)
echo "Screenshots: $out/map-zoomed.png $out/search-dialog.png"
