// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commondialog.h"

#include "common/nativepath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

#include <dirent.h>

namespace pelnori {

namespace {

bool isPattern(const QString &text)
{
    return text.contains(u'*') || text.contains(u'?');
}

// Names in the folder that are not UTF-8, shown with \xNN, at most `most`.
QStringList unlistedNames(const QString &folder, qsizetype most)
{
    QStringList names;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!decodesLosslessly(name) && names.size() <= most)
            names << shownPath(name);
    }
    ::closedir(dir);
    names.sort();
    return names;
}

} // namespace

QString CommonDialog::unlistedFilesNote(const QString &folder)
{
    constexpr qsizetype kMostShown = 10;
    QStringList names = unlistedNames(folder, kMostShown);
    if (names.isEmpty())
        return {};
    if (names.size() > kMostShown) {
        names.resize(kMostShown);
        names << QStringLiteral("…");
    }
    return QCoreApplication::translate("CommonDialog",
                                       "このフォルダーの次のファイルは、名前がUTF-8ではないため一覧に表示できません。"
                                       "名前を変えると選べます。")
           + QStringLiteral("\r\n") + names.join(QStringLiteral("\r\n"));
}

CommonDialog::CommonDialog(QWidget *parent, Style style) : m_parent(parent), m_style(style) {}

void CommonDialog::setDefaultExt(const QString &extension)
{
    // QFileDialog adds its own dot.
    m_defaultExt = extension.startsWith(u'.') ? extension.mid(1) : extension;
}

QStringList CommonDialog::nameFilters(const QString &filter)
{
    QStringList filters;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &part : parts.at(i + 1).split(u';')) {
            const QString pattern = part.trimmed();
            // "*.*" means every file, but Qt would skip names without a dot.
            if (!pattern.isEmpty())
                patterns << (pattern == u"*.*" ? QStringLiteral("*") : pattern);
        }
        patterns.removeDuplicates();
        if (patterns.isEmpty())
            continue;

        // A description such as "IFR(*.ifr)" already shows a pattern in
        // parentheses; it is replaced by ours so the label shows one, and the
        // one shown is the one Qt applies.
        QString label = parts.at(i).trimmed();
        const qsizetype open = label.lastIndexOf(u'(');
        if (label.endsWith(u')') && open >= 0 && isPattern(label.mid(open)))
            label = label.left(open).trimmed();
        const QString joined = patterns.join(u' ');
        filters << (label.isEmpty() ? joined : QStringLiteral("%1 (%2)").arg(label, joined));
    }
    return filters;
}

QString CommonDialog::refusal(const QString &path) const
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    const bool mustExist = m_flags & OpenFlags::FileMustExist;
    if ((mustExist || (m_flags & OpenFlags::PathMustExist)) && !folder.isDir())
        return path + u'\n' + QCoreApplication::translate("CommonDialog", "パスが存在しません。") + u'\n'
               + QCoreApplication::translate("CommonDialog", "パスが正しいか確認してください。");
    if (mustExist && !file.exists())
        return path + u'\n' + QCoreApplication::translate("CommonDialog", "ファイルが見つかりません。") + u'\n'
               + QCoreApplication::translate("CommonDialog", "ファイル名を確認してください。");
    return {};
}

void CommonDialog::showOpen()
{
    QFileDialog dialog(m_parent, m_title);
    // Without a folder of ours Qt starts in the one it last showed, or the
    // current folder. A file name given with its folder (below) wins.
    if (!m_initDir.isEmpty() && QFileInfo(m_initDir).isDir())
        dialog.setDirectory(m_initDir);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog, m_style == Style::QtWidgets);
    dialog.setFileMode((m_flags & OpenFlags::FileMustExist) ? QFileDialog::ExistingFile
                                                            : QFileDialog::AnyFile);
    const QStringList filters = nameFilters(m_filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(m_filterIndex - 1, filters.constFirst()));
    }
    dialog.setDefaultSuffix(m_defaultExt);
    if (!m_fileName.isEmpty())
        dialog.selectFile(m_fileName);

    // Files Qt does not list are named, so that the player knows why.
    const auto noteUnlisted = [&dialog](const QString &folder) {
        if (const QString note = unlistedFilesNote(folder); !note.isEmpty())
            QMessageBox::information(&dialog, dialog.windowTitle(), note);
    };
    QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog, noteUnlisted);
    QTimer::singleShot(0, &dialog, [&] { noteUnlisted(dialog.directory().path()); });

    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            m_folder = dialog.directory().absolutePath();
            m_fileName.clear();
            if (m_cancelError)
                throw DialogCancelled();
            return;
        }
        const QString path = QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
        const QString refused = refusal(path);
        if (refused.isEmpty()) {
            m_fileName = path;
            m_folder = QFileInfo(path).absolutePath();
            const bool sameType = m_defaultExt.isEmpty()
                                  || QFileInfo(path).suffix().compare(m_defaultExt, Qt::CaseInsensitive) == 0;
            m_flags = sameType ? (m_flags & ~OpenFlags::ExtensionDifferent)
                               : (m_flags | OpenFlags::ExtensionDifferent);
            return;
        }
        QMessageBox::warning(m_parent, dialog.windowTitle(), refused);
        // Back to the folder the refused file is in, to pick another there.
        const QString folder = QFileInfo(path).absolutePath();
        if (QFileInfo(folder).isDir())
            dialog.setDirectory(folder);
    }
}

} // namespace pelnori
