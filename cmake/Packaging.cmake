# SPDX-License-Identifier: GPL-3.0-or-later

# A Debian package of everything `cmake --install` puts in place:
#   cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
#   cmake --build build && (cd build && cpack -G DEB)
# gives build/pelnori_VERSION_ARCH.deb. Its dependencies are worked out by
# dpkg-shlibdeps from the libraries the programs link.

set(CPACK_PACKAGE_NAME pelnori)
set(CPACK_PACKAGE_VENDOR "Pelnori developers")
set(CPACK_PACKAGE_CONTACT "Pelnori developers <developers@pelnori.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "memory card game played by touch, on a rumble gamepad")
# One quoted string, so that its punctuation stays: unquoted pieces would be
# a list, whose semicolons CMake takes as separators.
set(CPACK_PACKAGE_DESCRIPTION "\
Sixteen face-down cards form eight pairs; the two cards of a pair play the
same force-feedback effect on a gamepad, wheel or joystick, and the player
finds the pairs by feel. The window is in Japanese, or in English for
players of other languages. It can be played with a controller, by keyboard,
with a screen reader, and by ear when no device is attached. Includes
pelnori-fx, a tool for people who make effect files: it lists devices,
checks files, warns about effects that feel too alike, draws and plays
effects.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

# Always under /usr, whatever prefix a plain `cmake --install` would use; the
# programs land in /usr/lib/pelnori, with their links in /usr/games, where
# Debian keeps games (PELNORI_GAMES: see pelnori_install_program).
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_CUSTOM_INSTALL_VARIABLES PELNORI_GAMES=ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Japanese window wants a font with Japanese characters, and Qt's own
# texts (the file dialog's) in the window's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-ipafont-gothic, qt6-translations-l10n")

include(CPack)
