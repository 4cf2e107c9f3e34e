// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"

#include "game/board.h"
#include "common/errors.h"
#include "game/globals.h"
#include "game/paths.h"
#include "game/platform.h"
#include "game/animation.h"
#include "game/assignpairs.h"
#include "game/besttimestore.h"
#include "game/clock.h"
#include "game/refusalmessage.h"
#include "game/effectfilechoice.h"
#include "game/playjournal.h"

#include <QScopeGuard>

namespace pelnori {

namespace {

constexpr int kTurnPauseMs = 100;
constexpr int kClockIntervalMs = 900;

CardSlot &slotOf(Globals &globals, int card)
{
    if (!globals.Cards)
        throw std::out_of_range("no cards dealt yet");
    return globals.Cards->at(static_cast<std::size_t>(card));
}

} // namespace

QString Game::startPrompt()
{
    return tr("ゲームを開始するにはZolva開始ボタンを押してください");
}

QString Game::chooseFilePrompt()
{
    return tr("IFRﾌｧｲﾙ読込ボタンを押して使用するエフェクトを選択してください");
}

QString Game::matchText()
{
    return tr("正解！");
}

QString Game::mismatchText()
{
    return tr("残念、違います。");
}

QString Game::completionMessage(const QString &elapsed)
{
    // The time box's text as it is, even when empty or negative.
    return tr("%1秒で全部揃いました。").arg(elapsed);
}

QString Game::newBestText()
{
    return tr("自己ベスト！");
}

Game::Game(Board &board, Platform &platform, Globals &globals, std::function<void()> shakeWindow)
    : m_board(board)
    , m_platform(platform)
    , m_globals(globals)
    , m_shakeWindow(std::move(shakeWindow))
{
    m_seats.setHand([this](int card) { pic_Click(static_cast<std::int16_t>(card)); });
    m_seats.setRandom([this] { return m_platform.nextRandom(); });
}

void Game::btnStart_Click()
{
    // The assignment yields to the event queue; a start from there would
    // replace the slots under it. The computer's turn is not interrupted.
    if (m_assigning || m_seats.computerPlaying())
        return;
    if (m_journal)
        m_journal->endGame(GameEnd::NewGame);
    // A start pressed in one of the deal's yields deals inside this one.
    ++m_deals;
    const auto dealt = qScopeGuard([this] { --m_deals; });
    m_pairs = m_settings.pairs;
    m_board.setCardsInPlay(cardsInPlay());

    const QString back = programFile(m_platform.programFolder(), kCardBackFile);
    for (int i = 0; i < kCardCount; ++i) {
        m_board.clearCardPicture(i);
        m_board.loadCardPicture(i, back);
    }
    OpenCard = -1;
    m_seats.newGame();

    animate(m_board, m_platform, gatherMoves(), cardsInPlay());

    m_assigning = true;
    const int assignment = ++m_assignments;
    // The file the names come from, whatever the path box says later.
    const QString path = m_board.effectPath();
    try {
        m_lastCheck = AssignPairs(m_board, m_platform, m_globals, m_pairs);
    } catch (const std::exception &) {
        m_assigning = false;
        m_lastCheck = {EffectFileVerdict::OpenFailed};
        showNoGame();
        throw;
    } catch (...) {
        // The program ended in one of the assignment's yields.
        m_assigning = false;
        m_lastCheck = {EffectFileVerdict::OpenFailed};
        throw;
    }
    m_assigning = false;

    animate(m_board, m_platform, dealMoves(), cardsInPlay());

    // A start pressed during the deal has assigned since; its file decides.
    if (m_lastCheck.verdict != EffectFileVerdict::Usable) {
        showNoGame();
        if (assignment == m_assignments)
            m_platform.messageBox(refusalMessage(m_lastCheck), MessageIcon::Warning);
        return;
    }
    if (assignment == m_assignments)
        m_gamePath = path;
    m_globals.StartSeconds = roundHalfToEven(m_platform.secondsSinceMidnight());
    m_board.setTimerInterval(kClockIntervalMs);
    if (m_globals.Cards)
        m_seats.dealt(*m_globals.Cards);
    if (m_journal)
        m_journal->beginGame(m_globals, m_board.effectPath());
}

void Game::setTurnInput(TurnInput input)
{
    if (m_journal)
        m_journal->setInput(input);
}

// The last game's slots are gone: its clock stops, and its verdict, time
// and count leave the board, which reads as before the first game.
void Game::showNoGame()
{
    m_board.setTimerInterval(0);
    m_board.setInfo(QString());
    m_board.setElapsed(QString());
    m_board.setRemaining(QString::number(cardsInPlay()));
    m_seats.noGame();
}

bool Game::gameRunning() const
{
    return m_deals > 0 || (m_globals.EffectResource >= -1 && m_globals.Cards && cardsLeft() > 0);
}

int Game::cardsLeft() const
{
    int left = 0;
    for (int i = 0; i < cardsInPlay(); ++i)
        left += isMatched(i) ? 0 : 1;
    return left;
}

bool Game::applySettings(const Settings &settings)
{
    m_settings = settings;
    // Who plays changes with the next game.
    const bool seated = m_seats.choose(settings.players, settings.computerLevel) || !gameRunning();
    if (settings.pairs == m_pairs)
        return seated;
    if (gameRunning())
        return false;
    m_pairs = settings.pairs;
    showPairsInPlay();
    return true;
}

// The board as before a game of the new size: a finished game's cards and
// result leave it, since they no longer match the cards in play.
void Game::showPairsInPlay()
{
    m_board.setCardsInPlay(cardsInPlay());
    if (!m_globals.Cards) {
        m_board.setRemaining(QString::number(cardsInPlay()));
        return;
    }
    m_globals.Cards.reset();
    if (m_globals.EffectResource >= -1)
        m_globals.EffectResource = kFileChosenNoGame;
    OpenCard = -1;
    for (int i = 0; i < kCardCount; ++i)
        skipOnError([&] { showCard(i, kCardBackFile); });
    showNoGame();
}

void Game::showCard(int card, QStringView file)
{
    m_board.clearCardPicture(card);
    m_board.loadCardPicture(card, programFile(m_platform.programFolder(), file));
}

void Game::playEffect(int card)
{
    if (!m_globals.HapticControl)
        throw HapticError("no haptic control");
    m_globals.HapticControl->setPlayer(m_seats.feels());
    m_globals.HapticControl->StartEffect(slotOf(m_globals, card).EffectName, m_globals.EffectResource);
}

bool Game::isMatched(int card) const
{
    return m_globals.Cards && m_globals.Cards->at(static_cast<std::size_t>(card)).Matched == -1;
}

QString Game::prompt() const
{
    if (m_globals.EffectResource == kFileChosenNoGame)
        return startPrompt();
    if (m_globals.EffectResource == kNoUsableFile)
        return chooseFilePrompt();
    return {};
}

void Game::pic_Click(std::int16_t index, std::optional<int> player)
{
    if (index < 0 || index >= cardsInPlay())
        return;

    if (m_globals.EffectResource < -1) {
        if (const QString text = prompt(); !text.isEmpty())
            skipOnError([&] { m_platform.messageBox(text, MessageIcon::Information); });
        return;
    }

    if (!m_seats.accepts(player))
        return;

    if (index == OpenCard || isMatched(index)) {
        skipOnError([&] { playEffect(index); });
        if (m_journal)
            m_journal->turn(index, index == OpenCard ? TurnVerdict::ReplayOpen : TurnVerdict::ReplayMatched);
        return;
    }

    // The player feels the card before seeing anything change.
    skipOnError([&] { playEffect(index); });
    skipOnError([&] { m_seats.cardShown(index, slotOf(m_globals, index).EffectName); });

    if (OpenCard == -1) {
        OpenCard = index;
        if (m_journal)
            m_journal->turn(index, TurnVerdict::First);
        skipOnError([&] { showCard(index, kCardOpenFile); });
        skipOnError([&] { m_board.setInfo(m_seats.turnLine()); });
    } else {
        const int other = OpenCard;
        bool match = false;
        skipOnError([&] {
            const QString &name = slotOf(m_globals, index).EffectName;
            // A slot still empty carries no effect, so it pairs with nothing.
            match = !name.isEmpty() && name == slotOf(m_globals, other).EffectName;
        });
        if (m_journal)
            m_journal->turn(index, match ? TurnVerdict::Pair : TurnVerdict::NoPair);
        if (match) {
            skipOnError([&] { showCard(index, kCardMatchedFile); });
            skipOnError([&] { showCard(other, kCardMatchedFile); });
            skipOnError([&] { slotOf(m_globals, index).Matched = -1; });
            skipOnError([&] { slotOf(m_globals, other).Matched = -1; });
            skipOnError([&] { m_board.setInfo(matchText()); });
            skipOnError([&] { m_board.repaintNow(); });
            skipOnError([&] { m_platform.sleep(kTurnPauseMs); });
        } else {
            skipOnError([&] { showCard(index, kCardOpenFile); });
            skipOnError([&] { m_board.repaintNow(); });
            skipOnError([&] { m_platform.sleep(kTurnPauseMs); });
            skipOnError([&] { m_board.setInfo(mismatchText()); });
            skipOnError([&] { m_board.repaintNow(); });
            skipOnError([&] { m_platform.sleep(kTurnPauseMs); });
            skipOnError([&] { showCard(index, kCardBackFile); });
            skipOnError([&] { showCard(other, kCardBackFile); });
        }
        OpenCard = -1;
        skipOnError([&] { m_seats.verdict(match); });
    }

    progressUpdate();
}

void Game::progressUpdate()
{
    auto remaining = static_cast<std::int16_t>(cardsInPlay());
    for (int i = 0; i < cardsInPlay(); ++i)
        skipOnError([&] {
            if (slotOf(m_globals, i).Matched == -1)
                --remaining;
        });
    skipOnError([&] { m_board.setRemaining(m_seats.firstCount(remaining)); });

    if (remaining != 0)
        return;
    if (m_journal)
        m_journal->endGame(GameEnd::Completed);
    skipOnError([&] { m_board.setTimerInterval(0); });
    m_seats.gameOver();
    skipOnError([&] {
        if (m_shakeWindow)
            m_shakeWindow();
    });
    showCompletion();
}

// The time as the player saw it is the one kept; a second line tells a best
// beaten, and any trouble keeping it comes after, as a warning.
void Game::showCompletion()
{
    QString elapsed;
    skipOnError([&] { elapsed = m_board.elapsed(); });
    QString message = completionMessage(elapsed);
    // With two at the table, the winner comes first.
    if (const QString result = m_seats.resultLine(); !result.isEmpty())
        message = result + QStringLiteral("\r\n") + message;
    BestTimeStore::Kept kept;
    bool counted = false;
    const int seconds = elapsed.toInt(&counted);
    if (m_bestTimes && m_seats.keepsBestTime() && counted && seconds >= 0)
        kept = m_bestTimes->addGame(m_gamePath, m_pairs, seconds);
    if (kept.beaten)
        message += QStringLiteral("\r\n") + newBestText();
    skipOnError([&] { m_platform.messageBox(message, MessageIcon::None); });
    if (!kept.problem.isEmpty())
        skipOnError([&] { m_platform.messageBox(kept.problem, MessageIcon::Warning); });
}

void Game::Timer1_Timer()
{
    const float now = m_platform.secondsSinceMidnight();
    m_board.setElapsed(formatElapsed(elapsedSeconds(now, m_globals.StartSeconds)));
}

} // namespace pelnori
