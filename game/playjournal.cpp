// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/playjournal.h"

#include "game/besttimes.h"

#include "common/errors.h"
#include "game/globals.h"
#include "game/journalfile.h"
#include "game/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace pelnori {

namespace {

// The effects in play in the file's order: its first, as many as the deal
// holds pairs. When the control does not name them so, as the deal holds them.
QStringList effectsInPlay(const Globals &globals, const QStringList &deal, int pairs)
{
    QStringList dealt;
    for (const QString &name : deal) {
        if (!name.isEmpty() && !dealt.contains(name))
            dealt << name;
    }
    QStringList named;
    skipOnError([&] {
        for (int i = 0; i < pairs; ++i)
            named << globals.HapticControl->GetNameOfEffect(std::int16_t(i), globals.EffectResource);
    });
    const auto dealtName = [&dealt](const QString &name) { return dealt.contains(name); };
    const bool sameNames = named.size() == dealt.size() && std::all_of(named.begin(), named.end(), dealtName);
    return sameNames ? named : dealt;
}

} // namespace

PlayJournal::PlayJournal(Platform &platform, std::function<std::int64_t()> clockMs)
    : m_platform(platform)
    , m_clockMs(std::move(clockMs))
{
}

QString PlayJournal::unwritableMessage(const QString &path)
{
    return tr("プレイ記録を書き込めません。\n%1\nこの回の記録は残りませんが、ゲームはそのまま続けられます。")
        .arg(QDir::toNativeSeparators(path));
}

void PlayJournal::beginGame(const Globals &globals, const QString &effectPath)
{
    if (m_game && !m_game->turns.empty())
        endGame(GameEnd::NewGame);
    m_game.reset();
    if (m_file.isEmpty() || !globals.Cards)
        return;

    JournalGame game;
    for (const CardSlot &slot : *globals.Cards)
        game.deal << slot.EffectName;
    game.pairs = int(game.deal.size() - game.deal.count(QString())) / 2;
    // The file's name alone: its folder could name the player.
    game.effectFile = QFileInfo(effectPath).fileName();
    game.effectSha256 = effectFileId(effectPath);
    game.players = m_players;
    if (globals.HapticControl) {
        game.effects = effectsInPlay(globals, game.deal, game.pairs);
        skipOnError([&] { game.sound = globals.HapticControl->soundOn(); });
    }
    m_game = std::move(game);
    m_turned.fill(false);
    m_startMs = m_clockMs();
}

void PlayJournal::turn(int card, TurnVerdict verdict)
{
    if (!m_game || card < 0 || card >= int(m_turned.size()) || card >= m_game->deal.size())
        return;
    m_game->turns.push_back(
        {m_clockMs() - m_startMs, card, m_game->deal.at(card), m_turned[std::size_t(card)], verdict, m_input});
    m_turned[std::size_t(card)] = true;
    // What the player used; the computer's moves are no input of theirs.
    if (m_input != TurnInput::Computer && !m_game->inputs.contains(m_input)) {
        m_game->inputs << m_input;
        std::sort(m_game->inputs.begin(), m_game->inputs.end());
    }
}

void PlayJournal::endGame(GameEnd end)
{
    if (!m_game)
        return;
    JournalGame game = std::move(*m_game);
    m_game.reset();
    if (m_file.isEmpty())
        return;
    game.end = end;
    if (appendJournalLine(m_file, journalLine(game)) || m_told)
        return;
    m_told = true;
    skipOnError([&] { m_platform.messageBox(unwritableMessage(m_file), MessageIcon::Warning); });
}

} // namespace pelnori
