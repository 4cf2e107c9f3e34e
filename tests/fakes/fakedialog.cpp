// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/fakedialog.h"

#include <QFileInfo>

#include <stdexcept>

namespace pelnori::test {

void FakeDialog::setDefaultExt(const QString &extension)
{
    settings << QStringLiteral("ext=%1").arg(extension);
}

void FakeDialog::setFileName(const QString &fileName)
{
    settings << QStringLiteral("file=%1").arg(fileName);
    m_fileName = fileName;
}

void FakeDialog::setDialogTitle(const QString &title)
{
    settings << QStringLiteral("title=%1").arg(title);
}

void FakeDialog::setFilter(const QString &filter)
{
    settings << QStringLiteral("filter=%1").arg(filter);
}

void FakeDialog::setFilterIndex(int index)
{
    settings << QStringLiteral("index=%1").arg(index);
}

void FakeDialog::setFlags(int flags)
{
    settings << QStringLiteral("flags=%1").arg(flags);
    m_flags = flags;
}

void FakeDialog::setCancelError(bool on)
{
    settings << QStringLiteral("cancelError=%1").arg(on);
    m_cancelError = on;
}

void FakeDialog::showOpen()
{
    settings << QStringLiteral("show");
    ++shows;
    if (failShow)
        throw std::runtime_error("the dialog failed");
    m_fileName = answer ? answer() : QString();
    if (!m_fileName.isEmpty())
        m_folder = QFileInfo(m_fileName).absolutePath();
    if (m_fileName.isEmpty() && m_cancelError)
        throw DialogCancelled();
}

void FakeDialog::answerWith(const QString &path)
{
    answer = [path] { return path; };
}

} // namespace pelnori::test
