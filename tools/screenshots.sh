#!/usr/bin/env bash
# Renders the program's windows on a sample Japanese glossary into docs/*.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WORDHAVEN_BUILD_DIR=${WORDHAVEN_BUILD_DIR:-$root/build/windows}
source "$root/tools/wine-env.sh"
ensure

data="$WORDHAVEN_BUILD_DIR/screenshot-data"
shots="$WORDHAVEN_BUILD_DIR/screenshots"
rm -rf "$data" "$shots" && mkdir -p "$data" "$shots"
iconv -f UTF-8 -t CP932 "$root/docs/sample-glossary.csv" >"$data/group01.csv"

to_windows() { printf 'Z:%s' "${1//\//\\}"; }
WORDHAVEN_EXE=$(to_windows "$WORDHAVEN_BUILD_DIR/wordHaven.exe") \
    "$WINE64" "$WORDHAVEN_BUILD_DIR/screenshot_driver.exe" "$(to_windows "$data")" "$(to_windows "$shots")"
for shot in "$shots"/*.bmp; do
    convert "$shot" "$root/docs/$(basename "${shot%.bmp}").png"
    echo "screenshot: docs/$(basename "${shot%.bmp}").png"
done
