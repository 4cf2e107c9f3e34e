#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Pelnori needs to build, run and test, the ones
# missing only. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libsdl2-dev libtomlplusplus-dev
    fonts-ipafont-gothic fonts-noto-cjk qt6-translations-l10n
)
if [[ "${1:-}" == "--tests" ]]; then
    # The real-window tests (the screen-reader one with its D-Bus session and
    # accessibility bus, and one under a window manager), the sanitizer builds,
    # the fuzzer and the package check.
    packages+=(xvfb xauth x11-utils xdotool openbox imagemagick python3 dbus at-spi2-core python3-pyatspi
               clang-14 libclang-rt-14-dev dpkg-dev file appstream desktop-file-utils orca speech-dispatcher)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
