#!/usr/bin/env bash
# Starts wordHaven.exe under Wine with build/run/ as its data folder. Without
# a display it runs on Xvfb and leaves build/run/screenshot.png a few seconds
# after the start. Runs until interrupted (Ctrl+C) or until Exit in its tray menu.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WORDHAVEN_BUILD_DIR=${WORDHAVEN_BUILD_DIR:-$root/build/windows}
had_display=${DISPLAY:-}
source "$root/tools/wine-env.sh"
ensure

run_dir="$root/build/run"
mkdir -p "$run_dir"
cd "$run_dir"
echo "wordHaven runs in $run_dir (display $DISPLAY); Ctrl+C ends it."

"$WINE64" "$WORDHAVEN_BUILD_DIR/wordHaven.exe" &
program=$!
trap 'kill $program 2>/dev/null; wineserver -k 2>/dev/null; exit 130' INT TERM

if [[ -z $had_display ]]; then
    sleep 5
    if import -display "$DISPLAY" -window root "$run_dir/screenshot.png" 2>/dev/null; then
        echo "screenshot: $run_dir/screenshot.png"
    fi
fi
wait $program
