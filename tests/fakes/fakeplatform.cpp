// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/fakeplatform.h"

#include "common/errors.h"

namespace pelnori::test {

void FakePlatform::messageBox(const QString &text, MessageIcon icon)
{
    messages.push_back({text, icon});
    if (log)
        log->append(QStringLiteral("message %1").arg(text));
    if (onMessage)
        onMessage(messages.back());
}

bool FakePlatform::messageBoxWithChoice(const QString &text, MessageIcon icon, const QString &choice)
{
    messages.push_back({text, icon, choice});
    if (log)
        log->append(QStringLiteral("message %1 [%2]").arg(text, choice));
    if (onMessage)
        onMessage(messages.back());
    return pickChoice;
}

int FakePlatform::messageBoxWithChoices(const QString &text, MessageIcon icon, const QStringList &choices)
{
    const QString shown = choices.join(u'|');
    messages.push_back({text, icon, shown});
    if (log)
        log->append(QStringLiteral("message %1 [%2]").arg(text, shown));
    if (onMessage)
        onMessage(messages.back());
    if (picks.empty())
        return -1;
    const QString pick = picks.front();
    picks.pop_front();
    return int(choices.indexOf(pick));
}

void FakePlatform::sleep(int milliseconds)
{
    sleeps.push_back(milliseconds);
    if (log)
        log->append(QStringLiteral("sleep %1").arg(milliseconds));
}

float FakePlatform::nextRandom()
{
    if (!draws.empty()) {
        const float r = draws.front();
        draws.pop_front();
        return r;
    }
    fallbackState = fallbackState * 1103515245u + 12345u;
    return static_cast<float>((fallbackState >> 8) & 0xFFFFu) / 65536.0f;
}

void FakePlatform::yieldEvents()
{
    ++yields;
    if (onYield)
        onYield(yields);
    if (ended)
        throw ProgramEnded{};
}

} // namespace pelnori::test
