#!/usr/bin/env bash
# Installs the build into a scratch root with `cmake --install` and runs the
# journey against the plugin as installed there: the plugin folder layout,
# its run path and the command library found beside it.
#   run-installed.sh BUILD_DIR PLUGIN_DIR DEMO_TOWN ARTIFACTS_DIR
set -euo pipefail
build=$1 plugin_dir=$2 demo=$3 artifacts=$4
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" > /dev/null
installed="$root$plugin_dir"
test -f "$installed/libcorvaneaddresssearchplugin.so"
test -f "$installed/corvane/libCorvaneAddressSearch.so"
test -f "$installed/corvane/libcorvane_ole.so"
"$here/run-journey.sh" "$installed" "$demo" "$artifacts"
