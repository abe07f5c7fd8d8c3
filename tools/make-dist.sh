#!/usr/bin/env bash
# Gathers a Windows build into a folder to hand out: the two programs, our
# fmod.dll, the music module and a short readme. Debug information is
# stripped from the copies.
set -euo pipefail

usage() { echo "usage: tools/make-dist.sh BUILD_DIR x64|x86 OUT_DIR   e.g. tools/make-dist.sh build-windows-x64 x64 dist/windows-x64"; }
if [[ "${1:-}" == "--help" || "${1:-}" == "-h" ]]; then usage; exit 0; fi
if [[ $# -ne 3 ]]; then usage >&2; exit 2; fi
build=$1
arch=$2
out=$3
case "$arch" in
    x64) strip=x86_64-w64-mingw32-strip; platform="64-bit Windows" ;;
    x86) strip=i686-w64-mingw32-strip; platform="32-bit Windows" ;;
    *) echo "make-dist: unknown architecture '$arch' (x64 or x86)" >&2; exit 2 ;;
esac
command -v "$strip" >/dev/null || { echo "make-dist: $strip not found (binutils-mingw-w64)" >&2; exit 2; }
for file in intro_windowed.exe intro_fullscreen.exe fmod.dll rezov_ud_ari.mod; do
    [[ -f "$build/bin/$file" ]] || { echo "make-dist: $build/bin/$file missing; build the windows-$arch preset first" >&2; exit 1; }
done

rm -rf "$out"
mkdir -p "$out"
for file in intro_windowed.exe intro_fullscreen.exe fmod.dll; do
    "$strip" -o "$out/$file" "$build/bin/$file"
done
cp "$build/bin/rezov_ud_ari.mod" "$out/"
cat >"$out/README.txt" <<README
tovi - a small real-time intro for $platform

intro_windowed.exe    opens a 400 x 300 window
intro_fullscreen.exe  opens fullscreen

Run either from this folder: it plays rezov_ud_ari.mod through fmod.dll,
both of which must stay next to the programs. Escape, the close button or
Alt+F4 ends it; Alt+Enter switches between window and fullscreen, and the
window menu zooms and centres the window.

fmod.dll here is tovi's own: it has the six calls of the FMOD 3.75
interface the intro uses and plays the module through the Windows audio
device (waveOut). Where no audio device opens it stays silent and the intro
runs on. The vendor's fmod.dll 3.75 can be put in its place.

Nothing else is needed: the programs use only DLLs that come with Windows.
README
sed -i 's/$/\r/' "$out/README.txt"
echo "make-dist: $out"
