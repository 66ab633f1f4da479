#!/usr/bin/env bash
# Packs the release: wordHaven-1.0.0-win64.zip with the program, a short
# read-me for Windows users and the licence, all with Windows line ends.
# It goes to dist/, or to WORDHAVEN_DIST_DIR (the test run packs it there, so
# that a release that cannot be packed fails `make test`). The program is
# taken from WORDHAVEN_BUILD_DIR, by default build/windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${WORDHAVEN_BUILD_DIR:-$root/build/windows}
out=${WORDHAVEN_DIST_DIR:-$root/dist}
exe="$build/wordHaven.exe"
version=$(sed -n 's/^project(wordHaven VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name="wordHaven-$version-win64"

# The program must stand alone: only DLLs that every Windows brings.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[[ -n $imports ]] || { echo "dist: no imported DLLs found in $exe" >&2; exit 1; }
for dll in $imports; do
    case $dll in
    kernel32.dll | user32.dll | gdi32.dll | shell32.dll | shlwapi.dll | comctl32.dll | comdlg32.dll | ole32.dll | \
        advapi32.dll | msvcrt.dll | normaliz.dll | api-ms-win-*) ;;
    *) echo "dist: wordHaven.exe needs $dll, which Windows does not bring" >&2; exit 1 ;;
    esac
done

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
stage="$staging/$name"
mkdir -p "$stage"
cp "$exe" "$stage/"
# A byte-order mark and CR LF, so every Notepad shows the Japanese right.
printf '\xEF\xBB\xBF' >"$stage/README.txt"
sed 's/$/\r/' "$root/docs/windows-readme.txt" >>"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"

out=$(mkdir -p "$out" && cd "$out" && pwd)
rm -f "$out/$name.zip"
(cd "$staging" && cmake -E tar cf "$out/$name.zip" --format=zip "$name")
echo "dist: $out/$name.zip"
