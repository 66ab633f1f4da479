#!/usr/bin/env bash
# The private Wine world the program runs and is tested in:
#   wine-env.sh ensure   -- display, prefix and a warm wineserver, made once
#   wine-env.sh stop     -- ends the wineservers and the display it started
# Sourced by wine-run.sh, which exports the same variables.
# Needs WORDHAVEN_BUILD_DIR (the Windows build folder, which holds url_recorder.exe).
# WORDHAVEN_DPI (default 96) picks a prefix whose display scale is that DPI
# (120 = 125 %, 144 = 150 %, 192 = 200 %), made the first time it is asked for.
set -euo pipefail

build=${WORDHAVEN_BUILD_DIR:?set WORDHAVEN_BUILD_DIR to the Windows build folder}
# The display scales, each with a screen of the display to itself, as large
# as the 1280x1024 desktop is at that scale.
scales=(96 120 144 192)
dpi=${WORDHAVEN_DPI:-96}
screen=
for i in "${!scales[@]}"; do [[ ${scales[i]} == "$dpi" ]] && screen=$i; done
[[ -n $screen ]] || { echo "wine-env: WORDHAVEN_DPI must be one of ${scales[*]}" >&2; exit 2; }
desktop_size="$((1280 * dpi / 96))x$((1024 * dpi / 96))"
if [[ $dpi == 96 ]]; then prefix_name=wine-prefix; else prefix_name=wine-prefix-$dpi; fi
export WINEPREFIX="$build/$prefix_name"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
unset LC_ALL LC_CTYPE LC_MESSAGES
export LANG=${WORDHAVEN_LANG:-ja_JP.UTF-8}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Within the test folder the program's windows land on a display of their own.
xvfb_display=${WORDHAVEN_XVFB_DISPLAY:-:91}
export DISPLAY=${DISPLAY:-$xvfb_display.$screen}

WINE64=/usr/lib/wine/wine64
[[ -x $WINE64 ]] || WINE64=$(command -v wine64 || command -v wine)
export WINE64

quiet() { "$@" </dev/null >/dev/null 2>&1 9>&-; }
to_windows_path() { printf 'Z:%s' "${1//\//\\}"; }

ensure_display() {
    quiet xdpyinfo -display "$DISPLAY" && return 0
    [[ ${DISPLAY%.*} == "$xvfb_display" ]] || { echo "wine-env: display $DISPLAY is not reachable" >&2; return 1; }
    local screens=() i
    for i in "${!scales[@]}"; do
        screens+=(-screen "$i" "$((1280 * scales[i] / 96))x$((1024 * scales[i] / 96))x24")
    done
    setsid Xvfb "$xvfb_display" "${screens[@]}" -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
    local xvfb=$!
    for _ in $(seq 100); do
        if quiet xdpyinfo -display "$DISPLAY"; then
            # The check above can fail on a busy display that is up all along;
            # then the server started here gives up, and the display's lock
            # file names the one that holds it.
            local holder
            holder=$(tr -d ' \n' <"/tmp/.X${xvfb_display#:}-lock" 2>/dev/null || true)
            if [[ $holder == "$xvfb" ]]; then echo "$xvfb" >"$build/xvfb.pid"; fi
            return 0
        fi
        sleep 0.1
    done
    echo "wine-env: Xvfb did not start on $DISPLAY" >&2
    return 1
}

reg_add() { quiet "$WINE64" reg add "$@" /f; }

prepare_prefix() {
    local stamp face scheme root
    stamp=$(cat "${BASH_SOURCE[0]}" | md5sum | cut -d' ' -f1)
    [[ -f $WINEPREFIX/.wordhaven-ready && $(cat "$WINEPREFIX/.wordhaven-ready") == "$stamp" ]] && return 0
    mkdir -p "$WINEPREFIX"
    quiet wineboot -i
    # Wine points Documents, Desktop and the like at the home folder; the tests'
    # files stay in the prefix instead, and the desktop shows none of the home's.
    local shell_folder
    for shell_folder in "$WINEPREFIX"/drive_c/users/*/*; do
        if [[ -L $shell_folder ]]; then rm -f "$shell_folder" && mkdir -p "$shell_folder"; fi
    done
    # Dialogs ask for "ＭＳ ゴシック"; without a substitute Japanese draws as boxes.
    local subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    for face in "ＭＳ ゴシック" "MS Gothic" "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "ＭＳ 明朝" "MS Mincho"; do
        reg_add "$subst" /v "$face" /t REG_SZ /d IPAGothic
    done
    local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
        reg_add "$link" /v "$face" /t REG_MULTI_SZ /d "ipag.ttf,IPAGothic"
    done
    # A desktop of Wine's own, as on Windows: title bars, a taskbar and its
    # notification area, whatever window manager the display has (or none).
    reg_add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default
    # A scaled display is the same desktop in more pixels, as a laptop at 150 % is.
    reg_add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$desktop_size"
    # The display scale: Windows keeps it per user, Wine also reads the machine's.
    reg_add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
    reg_add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi"
    # A crashing test prints its backtrace and ends instead of waiting on a dialog.
    reg_add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    # Every URL handed to the shell is recorded in C:\url-log.txt instead of opening a browser.
    local recorder
    recorder=$(to_windows_path "$build/url_recorder.exe")
    for scheme in http https mailto; do
        for root in 'HKLM\Software\Classes' 'HKCU\Software\Classes'; do
            reg_add "$root\\$scheme" /v "URL Protocol" /t REG_SZ /d ""
            reg_add "$root\\$scheme\\shell\\open\\command" /ve /t REG_SZ /d "\"$recorder\" \"%1\""
        done
    done
    # wineboot started the desktop before it was told to be a desktop of its
    # own; only a fresh start of the prefix's processes reads the new settings.
    quiet wineserver -k || true
    rm -f "$server_pidfile"
    echo "$stamp" >"$WINEPREFIX/.wordhaven-ready"
}

# Wine's services hold on to the output pipes of whatever starts them first, so
# a server and a first program are started here with their output detached.
server_pidfile="$build/${prefix_name/wine-prefix/wineserver}.pid"
ensure_server() {
    if [[ -f $server_pidfile ]] && kill -0 "$(cat "$server_pidfile")" 2>/dev/null; then return 0; fi
    quiet wineserver -p || true  # fails harmlessly when a server already runs
    quiet "$WINE64" cmd.exe /c exit || true
    pgrep -n wineserver >"$server_pidfile" || true
    # Wine ends the desktop about a second after its last program, and a
    # program started in that moment cannot make its windows; one that stays
    # keeps it up, as the desktop of Windows always is. It ends with the server.
    if [[ -x $build/desktop_keeper.exe ]]; then
        setsid "$WINE64" "$build/desktop_keeper.exe" </dev/null >/dev/null 2>&1 9>&- &
    fi
}

ensure() {
    mkdir -p "$build"
    exec 9>"$build/wine-env.lock"
    flock 9
    ensure_display
    prepare_prefix
    ensure_server
    flock -u 9
}

stop() {
    local prefix
    for prefix in "$build"/wine-prefix "$build"/wine-prefix-*; do
        [[ -d $prefix ]] && WINEPREFIX=$prefix quiet wineserver -k || true
    done
    rm -f "$build"/wineserver*.pid
    if [[ -f $build/xvfb.pid ]]; then
        kill "$(cat "$build/xvfb.pid")" 2>/dev/null || true
        rm -f "$build/xvfb.pid"
    fi
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    case ${1:-} in
    ensure) ensure ;;
    stop) stop ;;
    *) echo "usage: $0 ensure|stop" >&2; exit 2 ;;
    esac
fi
