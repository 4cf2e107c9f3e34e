// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/openfiledialog.h"

#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

namespace pelnori {

// The Open dialog of the effect-file button, over QFileDialog. Every option
// flag is honoured except HideReadOnly, since Qt's dialog has no read-only
// check box to hide, and NoReadOnlyReturn: the game only ever reads the files
// it opens, so a read-only file, or one in a write-protected folder such as
// the installed tremka.ifr, is never refused.
class CommonDialog : public OpenFileDialog
{
public:
    // Native uses the desktop's own dialog where there is one; QtWidgets
    // always uses Qt's, which a test can drive.
    enum class Style { Native, QtWidgets };

    // The dialog is modal to `parent` (the whole program when null).
    explicit CommonDialog(QWidget *parent = nullptr, Style style = Style::Native);

    void setParentWidget(QWidget *parent) { m_parent = parent; }

    void setDefaultExt(const QString &extension) override;
    void setFileName(const QString &fileName) override { m_fileName = fileName; }
    void setDialogTitle(const QString &title) override { m_title = title; }
    void setFilter(const QString &filter) override { m_filter = filter; }
    void setFilterIndex(int index) override { m_filterIndex = index; }
    void setFlags(int flags) override { m_flags = flags; }
    void setCancelError(bool on) override { m_cancelError = on; }
    void setInitDir(const QString &folder) override { m_initDir = folder; }
    // Asks again, in the same folder, until the player picks a file the flags
    // allow or cancels.
    void showOpen() override;
    QString fileName() const override { return m_fileName; }
    QString folder() const override { return m_folder; }
    int flags() const override { return m_flags; }

    // The '|'-separated filter as QFileDialog name filters, one per pair,
    // e.g. "IFR(*.ifr)|*.ifr" gives "IFR (*.ifr)". "*.*" becomes "*".
    static QStringList nameFilters(const QString &filter);

    // What the dialog says of the files in folder it cannot list, as their
    // names are not UTF-8 (Qt skips them); empty when there are none.
    static QString unlistedFilesNote(const QString &folder);

private:
    // Why the flags forbid returning `path`, as the warning says it; empty
    // when the path may be returned.
    QString refusal(const QString &path) const;

    QPointer<QWidget> m_parent;
    Style m_style = Style::Native;
    QString m_defaultExt;
    QString m_fileName;
    QString m_title;
    QString m_filter;
    QString m_initDir;
    QString m_folder;
    int m_filterIndex = 1;
    int m_flags = 0;
    bool m_cancelError = false;
};

} // namespace pelnori
