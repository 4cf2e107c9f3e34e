// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/fakehaptic.h"

namespace pelnori::test {

void FakeHaptic::record(const QString &call)
{
    calls.append(call);
    if (log)
        log->append(call);
}

bool FakeHaptic::answered(std::chrono::milliseconds)
{
    return ++m_deadlines > deadlinesMissed;
}

void FakeHaptic::refuseUnanswered() const
{
    if (m_deadlines <= deadlinesMissed && deadlinesMissed > 0)
        throw HapticError("the device layer has not answered yet");
}

bool FakeHaptic::soundOn()
{
    refuseUnanswered();
    return sound;
}

bool FakeHaptic::soundOutputWorks()
{
    refuseUnanswered();
    return audioWorks;
}

bool FakeHaptic::turnSoundOn()
{
    refuseUnanswered();
    return (sound = true) && audioWorks;
}

bool FakeHaptic::ForceDeviceAttached()
{
    record(QStringLiteral("Attached"));
    refuseUnanswered();
    if (attachedThrows)
        throw HapticError("device query failed");
    return attached || (sound && audioWorks);
}

std::int32_t FakeHaptic::OpenForceResource(const QString &path)
{
    record(QStringLiteral("Open %1").arg(path));
    m_lastFailure = {};
    const auto it = files.constFind(path);
    if (it == files.constEnd())
        return -2;
    if (it->openThrows)
        throw HapticError("open failed");
    if (it->openResult && *it->openResult < -1)
        m_lastFailure = it->failure;
    if (it->openResult) {
        if (*it->openResult >= -1)
            m_opened.insert(*it->openResult, path);
        return *it->openResult;
    }
    m_opened.insert(m_nextHandle, path);
    return m_nextHandle++;
}

std::int32_t FakeHaptic::GetNumberOfEffects(std::int32_t handle)
{
    record(QStringLiteral("Count %1").arg(handle));
    if (!m_opened.contains(handle))
        throw HapticError("unknown handle");
    const FakeFile &file = files[m_opened[handle]];
    if (file.countThrows)
        throw HapticError("count failed");
    return file.countResult ? *file.countResult : static_cast<std::int32_t>(file.names.size());
}

QString FakeHaptic::GetNameOfEffect(std::int16_t index, std::int32_t handle)
{
    record(QStringLiteral("Name %1 %2").arg(index).arg(handle));
    if (!m_opened.contains(handle))
        throw HapticError("unknown handle");
    const FakeFile &file = files[m_opened[handle]];
    if (index < 0 || index >= file.names.size())
        throw HapticError("index out of range");
    return file.names.at(index);
}

void FakeHaptic::StartEffect(const QString &name, std::int32_t handle)
{
    record(QStringLiteral("Start %1 %2").arg(name).arg(handle));
    started.append(name);
    feltBy.append(player ? QString::number(*player + 1) : QStringLiteral("-"));
    if (startThrows)
        throw HapticError("start failed");
}

void FakeHaptic::addFile(const QString &path, int effectCount)
{
    FakeFile file;
    for (int i = 0; i < effectCount; ++i)
        file.names.append(QStringLiteral("fx%1").arg(i));
    files.insert(path, file);
}

} // namespace pelnori::test
