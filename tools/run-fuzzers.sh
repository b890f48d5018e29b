#!/usr/bin/env bash
# Builds the libFuzzer targets (the `fuzz` preset) and runs each of them for
# its share of SECONDS, keeping a corpus per target under build/fuzz so that
# later runs start where earlier ones stopped. Exits non-zero when any target
# finds a crash, a hang or a leak; the input that did it is kept under
# build/fuzz/fuzz-artifacts/<target>/.
#
#   tools/run-fuzzers.sh 60
set -euo pipefail

seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]] || ((seconds < 1)); then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi

cd "$(dirname "$0")/.."
cmake --preset fuzz
cmake --build --preset fuzz

build=build/fuzz
mapfile -t targets < <(find "$build/fuzz" -maxdepth 1 -type f -name '*_fuzz' -perm -u+x | sort)
if ((${#targets[@]} == 0)); then
  echo "no fuzz targets were built" >&2
  exit 1
fi

share=$((seconds / ${#targets[@]}))
((share >= 1)) || share=1

failed=()
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus=$build/fuzz-corpus/$name
  artifacts=$build/fuzz-artifacts/$name
  mkdir -p "$corpus" "$artifacts"
  echo "== $name: ${share}s"
  if ! "$target" -max_total_time="$share" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$artifacts/" "$corpus"; then
    failed+=("$name")
  fi
done

if ((${#failed[@]})); then
  echo "fuzzing found problems in: ${failed[*]}" >&2
  exit 1
fi
echo "all ${#targets[@]} fuzz targets ran clean"
