#!/usr/bin/env bash
# Builds tovi and runs every test: the native build, the sanitizer build,
# the Windows cross builds and the Windows programs under Wine.
set -euo pipefail

if [[ "${1:-}" == "--help" || "${1:-}" == "-h" ]]; then
    cat <<'USAGE'
usage: tools/run-tests.sh
  Configures, builds and tests, in order:
    linux           native build, every test (the long ones included)
    linux-sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build, every test
    windows         cross-compile check of the window sources, both Windows builds, Wine tests
  Stops at the first failure with a non-zero status.
USAGE
    exit 0
fi

cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

step() { printf '\n=== %s ===\n' "$*"; }

for preset in linux linux-sanitize; do
    step "$preset: configure and build"
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
    step "$preset: test"
    ctest --preset "$preset" -j "$jobs" --timeout 600
done

if [[ -x .ci/cross-compile-win32.sh ]]; then
    step "windows: cross-compile the window sources against the mingw-w64 headers"
    .ci/cross-compile-win32.sh
fi

if [[ -x tests/windows/run-all.sh ]]; then
    step "windows: cross builds, dist folders and Wine tests"
    tests/windows/run-all.sh
fi

step "all tests passed"
