#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a release build of its own and checks it
# without installing anything: lists its contents and dependencies, checks
# its copyright file, changelog, icon sizes and description, validates its
# desktop entry and AppStream metadata, runs the programs from the unpacked
# tree, and runs lintian where it is installed (tools/setup.sh --tests).
#   tools/check-package.sh [BUILD_PARENT_DIR]   (default: the source folder)
# The release build goes into BUILD_PARENT_DIR/build-package.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-$PWD}/build-package

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/pelnori_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/pelnori_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "cpack made no pelnori_*.deb in $build"; exit 1; }
deb=${debs[0]}
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
echo "Contents:"
dpkg-deb --contents "$deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb --extract "$deb" "$root"

fail=0
expect() {
    if [[ -e $root/$1 ]]; then
        echo "ok: /$1"
    else
        echo "missing from the package: /$1"
        fail=1
    fi
}
for file in usr/games/pelnori usr/games/pelnori-fx usr/lib/pelnori/pelnori usr/lib/pelnori/pelnori-fx \
        usr/lib/pelnori/tremka.ifr usr/lib/pelnori/Card.bmp usr/lib/pelnori/Cardopen.bmp \
        usr/lib/pelnori/Cardsumi.bmp usr/share/applications/io.github.pelnori.Pelnori.desktop \
        usr/share/metainfo/io.github.pelnori.Pelnori.metainfo.xml usr/share/man/man6/pelnori.6.gz \
        usr/share/man/man6/pelnori-fx.6.gz usr/share/man/ja/man6/pelnori.6.gz \
        usr/share/doc/pelnori/copyright usr/share/doc/pelnori/changelog.gz; do
    expect "$file"
done
# The icon at every size the desktop asks for, each really that size.
for size in 32 48 64 128 256; do
    icon=usr/share/icons/hicolor/${size}x${size}/apps/pelnori.png
    expect "$icon"
    if [[ -e $root/$icon && $(file -b "$root/$icon") != "PNG image data, $size x $size,"* ]]; then
        echo "/$icon is not a $size x $size PNG: $(file -b "$root/$icon")"
        fail=1
    fi
done

# The licence in Debian's machine-readable format: the format line, the whole
# package under GPL-3.0-or-later, and a text for every licence named.
copyright=$root/usr/share/doc/pelnori/copyright
if [[ -e $copyright ]]; then
    problems=$(awk -v RS= -v FS='\n' '
        NR == 1 && $1 != "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" {
            print "its first line is not the format line"
        }
        {
            name = ""
            for (i = 1; i <= NF; ++i)
                if ($i ~ /^License: /) { name = substr($i, 10); body = i < NF && $(i + 1) ~ /^ / }
            if (name == "") next
            if ($1 ~ /^Files: /) { used[name] = 1; if ($1 == "Files: *") whole = name }
            if (body) text[name] = 1
        }
        END {
            if (whole != "GPL-3.0-or-later") print "Files: * is under \"" whole "\", not GPL-3.0-or-later"
            for (name in used) if (!(name in text)) print "no text for the licence " name
        }' "$copyright")
    if [[ -n $problems ]]; then
        echo "the copyright file is not right:"; echo "$problems"; fail=1
    else
        echo "ok: copyright in the machine-readable format, GPL-3.0-or-later"
    fi
fi

# The description as written, its semicolon included.
description=$(dpkg-deb --field "$deb" Description)
for line in "memory card game played by touch, on a rumble gamepad" \
        " Sixteen face-down cards form eight pairs; the two cards of a pair play the"; do
    if ! grep -qxF -- "$line" <<<"$description"; then
        echo "the description lacks the line: $line"; echo "$description"; fail=1
    fi
done
[[ $(dpkg-deb --field "$deb" Depends) == *libqt6widgets6* ]] || { echo "Depends lacks Qt Widgets"; fail=1; }

# The newest entry of the changelog is this version.
changelog_version=$(zcat "$root/usr/share/doc/pelnori/changelog.gz" | sed -n '1s/^pelnori (\([^)]*\)).*/\1/p')
[[ $changelog_version == "$(dpkg-deb --field "$deb" Version)" ]] ||
    { echo "the changelog's newest entry is version '$changelog_version'"; fail=1; }

desktop-file-validate "$root/usr/share/applications/io.github.pelnori.Pelnori.desktop"
echo "ok: desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.pelnori.Pelnori.metainfo.xml"

package_version=$(dpkg-deb --field "$deb" Version)
fx_version=$("$root/usr/games/pelnori-fx" --version)
echo "pelnori-fx --version: $fx_version"
[[ $fx_version == "pelnori-fx $package_version" ]] || { echo "pelnori-fx is not version $package_version"; fail=1; }
game_version=$(QT_QPA_PLATFORM=offscreen timeout 10 "$root/usr/games/pelnori" --version 2>&1) || true
echo "pelnori --version: $game_version"
[[ $game_version == *"$package_version"* ]] || { echo "the game is not version $package_version"; fail=1; }

# Debian's own checks: no error and no warning but those the package's
# overrides explain.
if command -v lintian >/dev/null; then
    if ! lintian --fail-on error,warning "$deb"; then
        echo "lintian found errors or warnings in the package"; fail=1
    else
        echo "ok: lintian"
    fi
else
    echo "lintian is not installed: the package's lint is left out (tools/setup.sh --tests installs it)"
fi

exit "$fail"
