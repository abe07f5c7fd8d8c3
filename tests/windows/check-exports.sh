#!/usr/bin/env bash
# Checks the export and import tables of a Windows build: fmod.dll and its
# test variants export exactly the six calls under the names the programs'
# platform expects, the programs import them from fmod.dll by those names,
# and nothing but system DLLs and fmod.dll is needed.
set -euo pipefail

usage() { echo "usage: tests/windows/check-exports.sh BUILD_DIR x64|x86"; }
if [[ "${1:-}" == "--help" || "${1:-}" == "-h" ]]; then usage; exit 0; fi
if [[ $# -ne 2 ]]; then usage >&2; exit 2; fi
build=$1
arch=$2
case "$arch" in
    x64) objdump=x86_64-w64-mingw32-objdump
         expected="FMUSIC_FreeSong FMUSIC_LoadSong FMUSIC_PlaySong FSOUND_Close FSOUND_GetVersion FSOUND_Init" ;;
    x86) objdump=i686-w64-mingw32-objdump
         expected="_FMUSIC_FreeSong@4 _FMUSIC_LoadSong@4 _FMUSIC_PlaySong@4 _FSOUND_Close@0 _FSOUND_GetVersion@0 _FSOUND_Init@12" ;;
    *) echo "check-exports: unknown architecture '$arch' (x64 or x86)" >&2; exit 2 ;;
esac
command -v "$objdump" >/dev/null || { echo "check-exports: $objdump not found (binutils-mingw-w64)" >&2; exit 2; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

# The names in the export name table, sorted, on one line.
exports_of() {
    "$objdump" -p "$1" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' \
        | awk '/^\t\[/ {print $3}' | sort | tr '\n' ' ' | sed 's/ $//'
}

# The names a program imports from one DLL, sorted, on one line.
imports_from() {
    "$objdump" -p "$1" | awk -v dll="$2" '
        /DLL Name:/ { inside = (tolower($3) == tolower(dll)); next }
        inside && /^\t[0-9a-f]+\t/ { print $3 }
        inside && /^$/ && seen { inside = 0 }
        inside { seen = 1 }' | sort | tr '\n' ' ' | sed 's/ $//'
}

dlls_of() { "$objdump" -p "$1" | awk '/DLL Name:/ {print tolower($3)}' | sort -u | tr '\n' ' ' | sed 's/ $//'; }

allowed=" fmod.dll kernel32.dll user32.dll gdi32.dll d3d9.dll msvcrt.dll winmm.dll "

for dll in "$build/bin/fmod.dll" "$build"/variants/*/fmod.dll; do
    [[ -f "$dll" ]] || { fail "$dll missing"; continue; }
    got=$(exports_of "$dll")
    if [[ "$got" == "$expected" ]]; then pass "$dll exports: $got"; else fail "$dll exports '$got', expected '$expected'"; fi
done

for program in intro_windowed intro_fullscreen; do
    exe="$build/bin/$program.exe"
    [[ -f "$exe" ]] || { fail "$exe missing"; continue; }
    got=$(imports_from "$exe" fmod.dll)
    if [[ "$got" == "$expected" ]]; then pass "$program imports from fmod.dll: $got"; else fail "$program imports '$got' from fmod.dll, expected '$expected'"; fi
    headers=$("$objdump" -p "$exe")
    if [[ "$headers" == *"(Windows GUI)"* ]]; then pass "$program is a GUI program"; else fail "$program is not a GUI program"; fi
done

for binary in "$build/bin/intro_windowed.exe" "$build/bin/intro_fullscreen.exe" "$build/bin/fmod.dll"; do
    [[ -f "$binary" ]] || continue
    for dll in $(dlls_of "$binary"); do
        if [[ "$allowed" != *" $dll "* ]]; then fail "$(basename "$binary") needs $dll"; fi
    done
    pass "$(basename "$binary") needs only: $(dlls_of "$binary")"
done

if ((failures > 0)); then
    echo "check-exports ($arch): $failures failure(s)"
    exit 1
fi
echo "check-exports ($arch): all passed"
