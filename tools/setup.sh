#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Pelnori needs to build, run and test, the ones
# missing only. Safe to run again.
#   tools/setup.sh [--tests] [--art]
#   --tests  also what the tests need, the Japanese locale included
#   --art    also the brush face tools/cardart draws the card images with
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-tools-dev qt6-l10n-tools libsdl2-dev libtomlplusplus-dev
    fonts-ipafont-gothic fonts-noto-cjk qt6-translations-l10n
)
tests=0
for option in "$@"; do
    case $option in
    --tests)
        tests=1
        # The real-window tests (the screen-reader one with its D-Bus session
        # and accessibility bus, one with the screen reader Orca, and one under a
        # window manager), the sanitizer builds, the fuzzer, the package check
        # and its lint, and the window drawn under a Japanese locale.
        packages+=(xvfb xauth x11-utils xdotool openbox imagemagick python3 dbus at-spi2-core python3-pyatspi
                   clang-14 libclang-rt-14-dev dpkg-dev file appstream desktop-file-utils locales
                   orca speech-dispatcher lintian) ;;
    --art) packages+=(fonts-aoyagi-soseki) ;;
    *) echo "usage: tools/setup.sh [--tests] [--art]" >&2; exit 2 ;;
    esac
done

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Japanese locale a test draws the window under.
if [[ $tests -eq 1 ]] && ! locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
    echo "Generating the locale ja_JP.UTF-8"
    "${sudo[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
