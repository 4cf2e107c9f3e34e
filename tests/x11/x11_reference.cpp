// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the window after start-up as Qt draws it offscreen, for the X11 test
// to compare the program's real window against:
//   x11_reference OUT.png PROGRAM_FOLDER
// Fails when a caption's font, fallbacks included, has no glyph for one of
// its characters, so a reference is never a picture of missing-glyph boxes.
// Prints the face each caption is set in.

#include "app/fonts.h"
#include "app/frmmain.h"
#include "game/globals.h"
#include "game/paths.h"
#include "fakes/fakehaptic.h"
#include "fakes/fakeplatform.h"
#include "translations/language.h"
#include "translations/translations.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <cstdio>
#include <utility>

using namespace pelnori;
using namespace pelnori::test;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: x11_reference OUT.png PROGRAM_FOLDER\n");
        return 2;
    }
    installFontSubstitutions();
    // The language the program would choose here.
    const Translations texts(chooseLanguage(preferredLanguages(), shippedLanguages()));

    FakePlatform platform;
    platform.folder = QString::fromLocal8Bit(argv[2]);
    Globals globals;
    frmMain window(platform, globals, nullptr);
    // The same start-up as the program's, so the path box reads the same.
    const bool loaded = window.Form_Load([&](const QString &) -> std::unique_ptr<HapticInterface> {
        auto control = std::make_unique<FakeHaptic>();
        control->addFile(programFile(platform.folder, kDefaultEffectFile), 10);
        return control;
    });
    if (!loaded)
        return 1;

    const QList<std::pair<QWidget *, QString>> captions{
        {window.Label1(), window.Label1()->text()},       {window.Label2(), window.Label2()->text()},
        {window.cmbRead_IFR(), window.cmbRead_IFR()->text()}, {window.btnStart(), window.btnStart()->text()},
        {window.Command1(), window.Command1()->text()}};
    for (const auto &[widget, text] : captions) {
        const QFontMetrics metrics(widget->font());
        const QString family = QFontInfo(widget->font()).family();
        for (const QChar c : text) {
            if (!metrics.inFont(c)) {
                std::fprintf(stderr, "%s: %s has no glyph for U+%04X\n", qPrintable(widget->objectName()),
                             qPrintable(family), unsigned(c.unicode()));
                return 1;
            }
        }
        std::printf("%s: %s\n", qPrintable(widget->objectName()), qPrintable(family));
    }
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
