// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commondialog.h"
#include "app/fonts.h"
#include "app/frmmain.h"
#include "app/qtplatform.h"
#include "game/globals.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#ifdef PELNORI_TEST_DEVICE
#include "haptics/virtualtestdevice.h"
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelnori"));
    // The program ends when its window is unloaded, and only then.
    QApplication::setQuitOnLastWindowClosed(false);
    pelnori::installFontSubstitutions();
    // The interface is Japanese, the file dialog's own texts included.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    pelnori::QtPlatform platform;
    pelnori::Globals globals;
#ifdef PELNORI_TEST_DEVICE
    pelnori::attachVirtualTestController();
#endif
    auto dialog = std::make_unique<pelnori::CommonDialog>();
    pelnori::CommonDialog &dialogRef = *dialog;
    pelnori::frmMain window(platform, globals, std::move(dialog));
    dialogRef.setParentWidget(&window);
    platform.setMainWindow(&window);
    if (!window.Form_Load(pelnori::createHapticControl))
        return 1;
    window.show();
    return QApplication::exec();
}
