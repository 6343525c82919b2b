#!/usr/bin/env bash
# zip-check.sh — inspects the Windows download a build made, without running
# it (so it serves the 32-bit zip where the kernel runs no 32-bit code too):
#   - vantorel-VERSION-win32.zip (win64 for a 64-bit build) holds exactly
#     vantorel.exe, README.txt and DATA, and DATA is the build's own;
#   - the program is a Windows GUI program of the build's architecture whose
#     import table names only DLLs that Windows itself ships: no compiler
#     runtime, and not d3dx9_43.dll, which the program loads late so that it
#     can say what is missing (the Wine check runs that); no folder of the
#     building machine is written in it;
#   - README.txt has CRLF line ends throughout and names the version.
# Depends on: unzip, objdump (binutils), file.
# Usage: zip-check.sh [build folder (default build-windows)]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build-windows}" && pwd)"
. "$build/version.sh"  # VT_VERSION

fail() {
    echo "zip-check: FAILED: $*" >&2
    exit 1
}

# What every Windows has: the system's own DLLs the game and its static C
# and C++ runtimes call (msvcrt.dll is Windows' own C library).
system_dlls=" d3d9.dll dinput8.dll dsound.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll winmm.dll "

case "$(file -b "$build/vantorel.exe")" in
    PE32+*) suffix=win64 format=pei-x86-64 ;;
    PE32*) suffix=win32 format=pei-i386 ;;
    *) fail "$build/vantorel.exe is not a Windows program" ;;
esac
zip="$build/vantorel-$VT_VERSION-$suffix.zip"
[ -f "$zip" ] || fail "$zip is missing (run scripts/windows/build.sh)"
echo "zip-check: $zip"

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked" || fail "unzip could not unpack $zip"

top="$(cd "$unpacked" && ls -A | sort | tr '\n' ' ')"
[ "$top" = "DATA README.txt vantorel.exe " ] || fail "the zip holds $top, wanted DATA README.txt vantorel.exe"
diff -r "$build/DATA" "$unpacked/DATA" > /dev/null || fail "the zip's DATA differs from $build/DATA"
echo "zip-check: vantorel.exe, README.txt and DATA ($(find "$unpacked/DATA" -type f | wc -l) files, as built)"

exe="$unpacked/vantorel.exe"
case "$(file -b "$exe")" in
    *"(GUI)"*) ;;
    *) fail "vantorel.exe is not a Windows GUI program: $(file -b "$exe")" ;;
esac
headers="$(objdump -p "$exe")" || fail "objdump cannot read vantorel.exe"
grep -q "file format $format\$" <<< "$headers" || fail "vantorel.exe is not $format"
imports="$(sed -n 's/^[[:space:]]*DLL Name: //p' <<< "$headers" | tr '[:upper:]' '[:lower:]' | sort | tr '\n' ' ')"
[ -n "$imports" ] || fail "vantorel.exe has no import table"
for dll in $imports; do
    case "$system_dlls" in
        *" $dll "*) ;;
        *) fail "vantorel.exe imports $dll, which Windows does not ship (imports: $imports)" ;;
    esac
done
echo "zip-check: imports only system DLLs: $imports"
if grep -q -F "$root" "$exe"; then fail "vantorel.exe holds the build machine's folder $root"; fi

readme="$unpacked/README.txt"
bare_lines="$(LC_ALL=C grep -c -v $'\r$' "$readme" || true)"
[ "$bare_lines" -eq 0 ] || fail "README.txt has $bare_lines lines without CRLF"
[ "$(tail -c 2 "$readme" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "README.txt does not end with CRLF"
grep -q -F "Vantorel $VT_VERSION for Windows" "$readme" || fail "README.txt does not name version $VT_VERSION"
echo "zip-check: README.txt with CRLF line ends"
echo "zip-check: passed"
