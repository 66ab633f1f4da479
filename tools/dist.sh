#!/usr/bin/env bash
# Packs the release: dist/wordHaven-1.0.0-win64.zip with the program, a short
# read-me for Windows users and the licence, all with Windows line ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe="$root/build/windows/wordHaven.exe"
version=$(sed -n 's/^project(wordHaven VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name="wordHaven-$version-win64"

# The program must stand alone: only DLLs that come with Windows.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
for dll in $imports; do
    case $dll in
    kernel32.dll | user32.dll | gdi32.dll | shell32.dll | shlwapi.dll | comctl32.dll | ole32.dll | advapi32.dll | msvcrt.dll | api-ms-win-*) ;;
    *) echo "dist: wordHaven.exe needs $dll, which Windows does not bring" >&2; exit 1 ;;
    esac
done

stage="$root/build/dist/$name"
rm -rf "$root/build/dist" && mkdir -p "$stage"
cp "$exe" "$stage/"
# A byte-order mark and CR LF, so every Notepad shows the Japanese right.
printf '\xEF\xBB\xBF' >"$stage/README.txt"
sed 's/$/\r/' "$root/docs/windows-readme.txt" >>"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"

mkdir -p "$root/dist"
rm -f "$root/dist/$name.zip"
(cd "$root/build/dist" && cmake -E tar cf "$root/dist/$name.zip" --format=zip "$name")
echo "dist: $root/dist/$name.zip"
