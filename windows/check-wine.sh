#!/usr/bin/env bash
# Builds CorvaneAddressSearch.dll with mingw-w64 and checks it under Wine, in
# a fresh Wine prefix that is removed afterwards: regsvr32 registers it, a
# client creates the command by ProgID and by class identifier and checks
# its properties, its member-less default interface, its type library, its
# version resource and its unload test, and regsvr32 /u must leave no key.
#
#   windows/check-wine.sh [BUILD_DIR]           64-bit (default build/windows)
#   windows/check-wine.sh --32 [BUILD_DIR]      32-bit, as the native host loads it
#                                                (default build/windows32)
#
# Needs g++-mingw-w64-x86-64-posix, mingw-w64-tools, libwine-dev and wine64
# (tools/install-deps.sh --windows installs them); --32 needs
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
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

echo "== Wine prefix $WINEPREFIX"
"$wine" wineboot -i >/dev/null 2>&1
target="$WINEPREFIX/drive_c/corvane"
mkdir -p "$target"
cp "$build/CorvaneAddressSearch.dll" "$build/corvane-com-check.exe" "$build/tlb/HostCommand.tlb" "$target/"
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
if ! "$wine" "$check" | tr -d '\r'; then
  failures=$((failures + 1))
fi

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
