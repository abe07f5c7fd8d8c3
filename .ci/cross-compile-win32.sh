#!/usr/bin/env bash
# Compiles the Windows part of the display library (display/win32/*.cpp and
# everything it includes) with mingw-w64 against the real Windows headers, to
# prove that the sources we test on Linux build unchanged for Windows.
# Exits non-zero on the first compiler that rejects a source.
set -euo pipefail

usage() {
    cat <<'USAGE'
Usage: .ci/cross-compile-win32.sh [--help]

Compiles display/win32/*.cpp with x86_64-w64-mingw32-g++ (and
i686-w64-mingw32-g++ when installed) using -std=c++20 -Wall -Wextra -Werror
against the mingw-w64 headers. Needs the Debian package g++-mingw-w64-x86-64
(g++-mingw-w64-i686 for the 32-bit check).
USAGE
}

case "${1:-}" in
    -h|--help) usage; exit 0 ;;
    "") ;;
    *) echo "cross-compile-win32: unknown argument '$1' (try --help)" >&2; exit 2 ;;
esac

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

compilers=(x86_64-w64-mingw32-g++)
if command -v i686-w64-mingw32-g++ >/dev/null 2>&1; then
    compilers+=(i686-w64-mingw32-g++)
fi
if ! command -v "${compilers[0]}" >/dev/null 2>&1; then
    echo "cross-compile-win32: ${compilers[0]} not found; install g++-mingw-w64-x86-64" >&2
    exit 1
fi

shopt -s nullglob
sources=(display/win32/*.cpp)
if [ ${#sources[@]} -eq 0 ]; then
    echo "cross-compile-win32: no sources in display/win32" >&2
    exit 1
fi

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
status=0
for cxx in "${compilers[@]}"; do
    for src in "${sources[@]}"; do
        if ! "$cxx" -std=c++20 -Wall -Wextra -Werror -ffp-contract=off -DWIN32_LEAN_AND_MEAN -I. -c "$src" -o "$out/$(basename "$src").o"; then
            echo "cross-compile-win32: $cxx failed on $src" >&2
            status=1
        fi
    done
    [ $status -eq 0 ] && echo "cross-compile-win32: ${#sources[@]} sources compiled with $cxx"
done
exit $status
