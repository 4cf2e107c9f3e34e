// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace pelnori {

// The Japanese faces the window is designed with: a fixed-pitch and a
// proportional Gothic.
QString fixedGothicFamily();        // "ＭＳ ゴシック"
QString proportionalGothicFamily(); // "ＭＳ Ｐゴシック"

// Maps both faces onto installed Japanese Gothic faces (IPA, then Noto CJK,
// then any face with Japanese glyphs of the right pitch), whatever the
// locale, so Japanese text never falls back to empty boxes, and makes the
// proportional face the program's default at the desktop's size. Needs the
// QGuiApplication. Returns the faces chosen for the fixed and the proportional
// face, in that order.
QStringList installFontSubstitutions();

// A design font: family, size in points, bold or regular.
QFont designFont(const QString &family, qreal pointSize, bool bold);

// The desktop's font at the window's size (zoomPercent()), for the controls
// that have no design font of their own, the menu and the dialogs. At the
// designed size it is the desktop's own, unresolved, so a control given it
// goes on following the desktop's font as it always has.
QFont zoomedDefaultFont();

} // namespace pelnori
