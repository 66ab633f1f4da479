#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# this machine lacks, and says what it installed. Safe to run again.
set -euo pipefail

packages=(
    cmake make git
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64   # the Windows x64 cross compiler
    clang libclang-rt-14-dev                               # native tests with sanitizers, libFuzzer
    googletest libgtest-dev                                # GoogleTest sources and native library
    wine wine64 fonts-wine                                 # runs the program and its tests
    xvfb x11-utils xauth                                   # a display when there is none
    fonts-ipafont-gothic                                   # Japanese glyphs for the dialogs
    imagemagick                                            # screenshots
    locales                                                # ja_JP.UTF-8, for the Japanese code page
    edict                                                  # the full EDICT, real data for the dictionary tests
)

missing=()
for p in "${packages[@]}"; do
    [[ $p == \#* ]] && continue
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "setup: installing from Debian: ${missing[*]}"
    sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives 932, as on a Japanese Windows.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "setup: generating the ja_JP.UTF-8 locale"
    sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
