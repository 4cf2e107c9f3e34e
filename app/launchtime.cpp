// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/launchtime.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <QByteArray>
#include <QFile>
#include <QList>

#include <ctime>
#include <unistd.h>
#endif

namespace pelnori {

std::chrono::steady_clock::time_point launchTime()
{
    const auto now = std::chrono::steady_clock::now();
#ifdef Q_OS_LINUX
    // The 22nd field of the process's stat is its start in clock ticks since
    // the boot; the name before it, in parentheses, may hold spaces.
    QFile stat(QStringLiteral("/proc/self/stat"));
    timespec sinceBoot{};
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (!stat.open(QIODevice::ReadOnly) || clock_gettime(CLOCK_BOOTTIME, &sinceBoot) != 0 || ticksPerSecond <= 0)
        return now;
    const QByteArray line = stat.readAll();
    bool ok = false;
    const qulonglong startTicks = line.mid(line.lastIndexOf(')') + 2).split(' ').value(19).toULongLong(&ok);
    if (!ok)
        return now;
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    const auto age = duration_cast<milliseconds>(std::chrono::seconds(sinceBoot.tv_sec)
                                                 + std::chrono::nanoseconds(sinceBoot.tv_nsec))
                     - milliseconds(startTicks * 1000 / qulonglong(ticksPerSecond));
    // A reading that cannot be this process's start is not used.
    if (age < milliseconds(0) || age > std::chrono::minutes(1))
        return now;
    return now - age;
#else
    return now;
#endif
}

} // namespace pelnori
