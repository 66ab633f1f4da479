#!/usr/bin/env bash
# Renders the program's windows on a sample Japanese glossary into docs/*.png,
# at 100 % display scale and again at 150 % (docs/*-150.png), and the same in
# the English interface (docs/*-en.png, docs/*-en-150.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WORDHAVEN_BUILD_DIR=${WORDHAVEN_BUILD_DIR:-$root/build/windows}

# One scale in a shell of its own, as wine-env.sh sets up the prefix of that scale.
shoot() (
    local dpi=$1 suffix=$2 language=${3:-ja}
    export WORDHAVEN_DPI=$dpi
    source "$root/tools/wine-env.sh"
    ensure

    data="$WORDHAVEN_BUILD_DIR/screenshot-data"
    shots="$WORDHAVEN_BUILD_DIR/screenshots"
    rm -rf "$data" "$shots" && mkdir -p "$data" "$shots"
    iconv -f UTF-8 -t CP932 "$root/docs/sample-glossary.csv" >"$data/group01.csv"
    # A second group, in katakana, for the find window to find across groups.
    printf '"言葉","コトバ","kotoba","a word"\n"事柄","コトガラ","kotogara","a matter, a thing"\n' |
        iconv -f UTF-8 -t CP932 >"$data/group02.csv"

    # The edit dialog shows what a dictionary holds for its term: EDICT, as Debian installs it.
    mkdir -p "$data/dictionaries"
    [[ -f /usr/share/edict/edict ]] && cp /usr/share/edict/edict "$data/dictionaries/edict"
    to_windows() { printf 'Z:%s' "${1//\//\\}"; }
    WORDHAVEN_EXE=$(to_windows "$WORDHAVEN_BUILD_DIR/wordHaven.exe") \
        "$WINE64" "$WORDHAVEN_BUILD_DIR/screenshot_driver.exe" "$(to_windows "$data")" "$(to_windows "$shots")" "$language"
    for shot in "$shots"/*.bmp; do
        name=$(basename "${shot%.bmp}")$suffix.png
        convert "$shot" "$root/docs/$name"
        echo "screenshot: docs/$name"
    done
)

shoot 96 ""
shoot 144 -150
shoot 96 -en en
shoot 144 -en-150 en
