// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/openfiledialog.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace pelnori::test {

// The Open dialog with the player's answers scripted. Every setting and each
// showing is recorded in order ("ext=ifr", …, "show").
class FakeDialog : public OpenFileDialog
{
public:
    void setDefaultExt(const QString &extension) override;
    void setFileName(const QString &fileName) override;
    void setDialogTitle(const QString &title) override;
    void setFilter(const QString &filter) override;
    void setFilterIndex(int index) override;
    void setFlags(int flags) override;
    void setCancelError(bool on) override;
    void setInitDir(const QString &folder) override { initDir = folder; }
    // Asks `answer` for the chosen path; an empty one is a cancel.
    void showOpen() override;
    QString fileName() const override { return m_fileName; }
    // The folder of the last path picked.
    QString folder() const override { return m_folder; }
    int flags() const override { return m_flags; }

    // Every showing picks path.
    void answerWith(const QString &path);

    std::function<QString()> answer;
    bool failShow = false; // showing the dialog fails outright
    QStringList settings;
    QString initDir; // the folder it opens in, kept apart from the settings' order
    int shows = 0;

private:
    QString m_fileName;
    QString m_folder;
    int m_flags = 0;
    bool m_cancelError = false;
};

} // namespace pelnori::test
