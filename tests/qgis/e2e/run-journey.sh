#!/usr/bin/env bash
# Runs journey.py in a real QGIS under Xvfb, with a private profile that
# enables the plugin from the build tree and a private command registry.
#   run-journey.sh PLUGIN_DIR DEMO_TOWN ARTIFACTS_DIR
# Exit 0 when the journey's verdict is PASS; QGIS's own exit status does
# not count (see journey.py).
set -euo pipefail
plugin_dir=$1 demo=$2 artifacts=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$artifacts" && mkdir -p "$artifacts"

profile="$work/profiles/default/QGIS"
mkdir -p "$profile"
cat > "$profile/QGIS3.ini" <<INI
[Plugins]
libcorvaneaddresssearchplugin=true

[plugins]
searchPathsForPlugins=$plugin_dir
INI

ogr2ogr -f GPKG -t_srs EPSG:4326 "$work/parcels-4326.gpkg" "$demo" Parcels
export CORVANE_REGISTRY="$work/registry.reg"
export CORVANE_JOURNEY="{\"demo\": \"$demo\", \"parcels4326\": \"$work/parcels-4326.gpkg\", \"artifacts\": \"$artifacts\", \"verdict\": \"$work/verdict.txt\"}"
export QT_QPA_PLATFORM=xcb
status=0
timeout 300 xvfb-run -a -s "-screen 0 1600x1000x24" \
  qgis --nologo --noversioncheck --profiles-path "$work" --code "$here/journey.py" \
  > "$artifacts/qgis.log" 2>&1 || status=$?
if [ ! -s "$work/verdict.txt" ]; then
  echo "QGIS left no verdict (exit status $status); its output:"
  tail -n 40 "$artifacts/qgis.log"
  exit 1
fi
cp "$work/verdict.txt" "$artifacts/verdict.txt"
cat "$work/verdict.txt"
head -n 1 "$work/verdict.txt" | grep -qx PASS
