#!/usr/bin/env bash
# The Windows side of CI in one step: configure and build both Windows
# presets (the module comes from a host build of make_module in
# build-w32host), check their export and import tables, gather
# dist/windows-x64 and dist/windows-x86, and run the 64-bit programs under
# Wine. Exits non-zero when anything fails.
set -euo pipefail

if [[ "${1:-}" == "--help" || "${1:-}" == "-h" ]]; then
    echo "usage: tests/windows/run-all.sh   build both Windows presets, make dist/, run the Wine tests"
    exit 0
fi
if [[ $# -gt 0 ]]; then echo "run-all: no arguments expected (see --help)" >&2; exit 2; fi
cd "$(dirname "$0")/../.."
jobs=${TOVI_JOBS:-2}
targets=(intro_windowed intro_fullscreen fmod_version374 fmod_initfails
         intro_windowed_d3dlog intro_fullscreen_d3dlog waveout_probe fmod_calls_probe)

# One after the other: both share the host build that writes the module.
for arch in x64 x86; do
    echo "== windows-$arch: configure and build"
    cmake --preset "windows-$arch" >/dev/null
    cmake --build "build-windows-$arch" -j"$jobs" --target "${targets[@]}"
done

status=0
for arch in x64 x86; do
    echo "== windows-$arch: export and import tables"
    tests/windows/check-exports.sh "build-windows-$arch" "$arch" || status=1
    echo "== windows-$arch: dist"
    tools/make-dist.sh "build-windows-$arch" "$arch" "dist/windows-$arch" || status=1
done

echo "== windows-x64 under Wine"
tests/windows/wine-tests.sh build-windows-x64 || status=1
exit $status
