// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qtplatform.h"

#include "app/twips.h"
#include "common/errors.h"
#include "common/nativepath.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace pelnori {

QtPlatform::QtPlatform(const WallClock &wallClock)
    : m_engine(std::random_device{}())
{
    m_sinceStart.start();
    m_startOfDayMs = wallClock();
}

QString QtPlatform::title()
{
    return QStringLiteral("Pelnori");
}

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QWidget *QtPlatform::messageParent() const
{
    return m_window && m_window->isVisible() ? m_window.data() : nullptr;
}

void QtPlatform::messageBox(const QString &text, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), title(), text, QMessageBox::Ok, messageParent());
    box.exec();
}

bool QtPlatform::messageBoxWithChoice(const QString &text, MessageIcon icon, const QString &choice)
{
    return messageBoxWithChoices(text, icon, {choice}) == 0;
}

int QtPlatform::messageBoxWithChoices(const QString &text, MessageIcon icon, const QStringList &choices)
{
    QMessageBox box(boxIcon(icon), title(), text, QMessageBox::Ok, messageParent());
    QList<const QAbstractButton *> others;
    for (const QString &choice : choices)
        others << box.addButton(choice, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    // Escape and the close button mean OK, never a choice.
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return int(others.indexOf(box.clickedButton()));
}

void QtPlatform::sleep(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

float QtPlatform::secondsSinceMidnight()
{
    constexpr qint64 kMsPerDay = 86400000;
    const qint64 ms = (m_startOfDayMs + m_sinceStart.elapsed()) % kMsPerDay;
    return static_cast<float>(ms) / 1000.0f;
}

void QtPlatform::reseedRandom()
{
    // Mix the time of day into the running state rather than replacing it,
    // so two draws within one clock reading still differ.
    const auto ticks = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
    m_engine.seed(m_engine() ^ ticks);
}

float QtPlatform::nextRandom()
{
    // 24 random bits fill a float's mantissa exactly: uniform in [0, 1).
    return static_cast<float>(m_engine() >> 40) * 0x1.0p-24f;
}

QString QtPlatform::folderOfProgram(const QByteArray &path)
{
    const QByteArray folder = path.left(std::max<qsizetype>(path.lastIndexOf('/'), 1));
    const QString usable = usablePath(folder);
    if (usable.isEmpty()) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        throw FileReadError((QCoreApplication::translate("FileReadError", "プログラムのフォルダーを使用できません。")
                             + QStringLiteral("\r\n") + shownPath(folder) + QStringLiteral("\r\n") + why)
                                .toStdString());
    }
    return usable;
}

QString QtPlatform::programFolder()
{
    if (m_programFolder.isEmpty()) {
        // Qt's own answer loses a name that is not UTF-8; the link's bytes keep it.
        std::error_code error;
        const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
        m_programFolder = error ? QCoreApplication::applicationDirPath()
                                      : folderOfProgram(QByteArray::fromStdString(self.native()));
    }
    return m_programFolder;
}

void QtPlatform::yieldEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (m_ended)
        throw ProgramEnded{};
}

float QtPlatform::screenWidthTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? pixelsToTwips(screen->geometry().width()) : 0.0f;
}

float QtPlatform::screenHeightTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? pixelsToTwips(screen->geometry().height()) : 0.0f;
}

void QtPlatform::endProgram()
{
    m_ended = true;
    QCoreApplication::exit(0);
}

} // namespace pelnori
