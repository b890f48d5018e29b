#!/usr/bin/env bash
# Builds CorvaneAddressSearch.dll with mingw-w64 and checks it under Wine, in
# a fresh Wine prefix that is removed afterwards: regsvr32 registers it, a
# client creates the command by ProgID and by class identifier and checks
# its properties, its member-less default interface, its type library, its
# version resource and its unload test, and regsvr32 /u must leave no key.
# Between the two, the Windows test host walks the whole journey through the
# command's real windows on a virtual display (Xvfb) and saves a screenshot of
# each dialog in BUILD_DIR/shots.
#
#   windows/check-wine.sh [BUILD_DIR]           64-bit (default build/windows)
#   windows/check-wine.sh --32 [BUILD_DIR]      32-bit, as the native host loads it
#                                                (default build/windows32)
#
# Needs g++-mingw-w64-x86-64-posix, mingw-w64-tools, libwine-dev and wine64
# and Xvfb (tools/install-deps.sh --windows installs them); --32 needs
# g++-mingw-w64-i686-posix and wine32 (the i386 architecture) as well.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bits=64
if [[ "${1:-}" == "--32" ]]; then
  bits=32
  shift
fi
if ((bits == 64)); then
  build=${1:-$root/build/windows}
  # Debian keeps wine64 out of PATH; the wine wrapper would start the 32-bit
  # loader first when wine32 is installed as well.
  wine=$(command -v wine64 || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; } || command -v wine)
  export WINEARCH=win64
else
  build=${1:-$root/build/windows32}
  wine=$(command -v wine)
  export WINEARCH=win32
fi

cmake -S "$root/windows" -B "$build" -G Ninja --toolchain "$root/windows/toolchain-mingw$bits.cmake" >/dev/null
cmake --build "$build"

export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/corvane-wine.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    if [[ -n "${display_file:-}" ]]; then rm -f "$display_file"; fi
}
trap cleanup EXIT

# Every Wine process of the check shares one virtual display, started
# before the prefix so that its desktop lives on it too.
if [[ -z "${DISPLAY:-}" ]]; then
  display_file=$(mktemp /tmp/corvane-xvfb.XXXXXX)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s "$display_file" ]] && break; sleep 0.1; done
  [[ -s "$display_file" ]] || { echo "FAIL no virtual display"; exit 1; }
  export DISPLAY=":$(head -n1 "$display_file")"
fi

echo "== Wine prefix $WINEPREFIX"
"$wine" wineboot -i >/dev/null 2>&1
# A Wine desktop on the virtual display: Wine then draws every window's
# title bar and border itself, and the screenshots show them.
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
target="$WINEPREFIX/drive_c/corvane"
mkdir -p "$target"
cp "$build/CorvaneAddressSearch.dll" "$build/corvane-com-check.exe" "$build/corvane-test-host.exe" \
   "$build/corvane-win32-check.exe" "$build/tlb/HostCommand.tlb" "$target/"
check='C:\corvane\corvane-com-check.exe'
# The host's own library, registered as the host's installation has it.
"$wine" "$check" --register-host 'C:\corvane\HostCommand.tlb' || { echo "FAIL registering the host's library"; exit 1; }
hostInterface='HKCR\Interface\{36B06538-4437-11D1-B970-080009EE4E51}\TypeLib'
hostLibrary='{238CBAEB-F415-442E-81F8-804D1F98FB59}'
ownedByHost() { "$wine" reg query "$hostInterface" 2>/dev/null | tr -d '\r' | grep -qi "$hostLibrary"; }

keys=(
  'HKCR\CLSID\{874DCB92-E85B-476F-A001-73770CC0A220}'
  'HKCR\CorvaneGIS.CorvaneAddressSearch'
  'HKCR\TypeLib\{7796FB90-1ED0-40B7-A276-1E465D5D1DB1}'
  'HKCR\Interface\{BAB6E39E-B393-4F3D-A633-6493195648BC}'
)
present() { "$wine" reg query "$1" >/dev/null 2>&1; }

failures=0
echo "== regsvr32"
"$wine" regsvr32 /s 'C:\corvane\CorvaneAddressSearch.dll' || { echo "FAIL regsvr32"; exit 1; }
for key in "${keys[@]}"; do
  if present "$key"; then echo "ok   registered $key"; else echo "FAIL missing $key"; failures=$((failures + 1)); fi
done
inproc=$("$wine" reg query 'HKCR\CLSID\{874DCB92-E85B-476F-A001-73770CC0A220}\InprocServer32' 2>/dev/null | tr -d '\r')
grep -qi 'ThreadingModel.*Apartment' <<<"$inproc" && echo "ok   ThreadingModel Apartment" || { echo "FAIL ThreadingModel"; failures=$((failures + 1)); }
grep -qi 'corvane\\CorvaneAddressSearch.dll' <<<"$inproc" && echo "ok   InprocServer32 is the DLL's own path" || { echo "FAIL InprocServer32"; failures=$((failures + 1)); }

ownedByHost && echo "ok   ICommand's registration still names the host's library" || { echo "FAIL ICommand taken over"; failures=$((failures + 1)); }

echo "== client"
if ! timeout 120 "$wine" "$check" | tr -d '\r'; then
  failures=$((failures + 1))
fi

echo "== the Windows file system and windowing layer"
mkdir -p "$target/scratch"
if ! timeout 120 "$wine" 'C:\corvane\corvane-win32-check.exe' 'C:\corvane\scratch' | tr -d '\r'; then
  failures=$((failures + 1))
fi

echo "== the journey through the dialogs"
rm -rf "$build/shots"
mkdir -p "$target/shots"
if ! timeout 300 "$wine" 'C:\corvane\corvane-test-host.exe' 'C:\corvane\shots' | tr -d '\r'; then
  failures=$((failures + 1))
fi
cp -r "$target/shots" "$build/shots" && echo "     screenshots in $build/shots"
# The configuration file was written under the prefix's real C:\Program Files.
ls "$WINEPREFIX/drive_c/Program Files/CorvaneGIS/CorvaneAddressSearch/config" >/dev/null 2>&1 \
  && echo "ok   config under C:\Program Files\CorvaneGIS\CorvaneAddressSearch" \
  || { echo "FAIL no config under C:\Program Files"; failures=$((failures + 1)); }

echo "== regsvr32 /u"
"$wine" regsvr32 /u /s 'C:\corvane\CorvaneAddressSearch.dll' || { echo "FAIL regsvr32 /u"; exit 1; }
for key in "${keys[@]}"; do
  if present "$key"; then echo "FAIL left behind $key"; failures=$((failures + 1)); else echo "ok   removed $key"; fi
done

ownedByHost && echo "ok   ICommand's registration left to the host" || { echo "FAIL ICommand's registration removed"; failures=$((failures + 1)); }
"$wine" "$check" --unregister-host || true

if ((failures)); then
  echo "Windows check ($bits-bit): $failures failed"
  exit 1
fi
echo "Windows check ($bits-bit): all passed"
