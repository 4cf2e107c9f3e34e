// SPDX-License-Identifier: GPL-3.0-or-later
#include "confusioncount.h"

#include "effects/effectlikeness.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace pelnori::fx {

std::optional<double> EffectPair::rate() const
{
    if (chances == 0)
        return std::nullopt;
    return double(confusions) / double(chances);
}

bool EffectPair::confusedBeyondLikeness() const
{
    return likeness && rate() && *rate() > *likeness;
}

std::optional<double> EffectFeelings::mean() const
{
    if (found == 0)
        return std::nullopt;
    return double(feelings) / double(found);
}

std::vector<EffectSet> effectSets(const std::vector<JournalGame> &games)
{
    std::vector<EffectSet> sets;
    for (const JournalGame &game : games) {
        auto set = std::find_if(sets.begin(), sets.end(),
                                [&](const EffectSet &s) { return s.sha256 == game.effectSha256; });
        if (set == sets.end())
            set = sets.insert(sets.end(), EffectSet{game.effectSha256, QString(), 0});
        set->fileName = game.effectFile;
        ++set->games;
    }
    // Stable: of two sets with as many games, the one played first.
    std::stable_sort(sets.begin(), sets.end(),
                     [](const EffectSet &x, const EffectSet &y) { return x.games > y.games; });
    return sets;
}

namespace {

// One game's turns, replayed card by card.
class GameReplay
{
public:
    GameReplay(const JournalGame &game, ConfusionCount &count, QHash<QString, EffectFeelings> &feelings,
               QHash<std::pair<QString, QString>, EffectPair> &pairs)
        : m_deal(game.deal)
        , m_felt(game.deal.size(), false)
        , m_matched(game.deal.size(), false)
        , m_count(count)
        , m_feelings(feelings)
        , m_pairs(pairs)
    {
    }

    void turn(const JournalTurn &turn)
    {
        const int card = turn.card;
        if (card < 0 || card >= m_deal.size() || m_deal[card].isEmpty())
            return;
        const QString &effect = m_deal[card];
        ++m_feltEffect[effect];
        if (turn.verdict == TurnVerdict::First) {
            m_open = card;
        } else if ((turn.verdict == TurnVerdict::Pair || turn.verdict == TurnVerdict::NoPair) && m_open >= 0) {
            secondTurn(card, turn.verdict == TurnVerdict::Pair, turn.seenBefore, turn.input == TurnInput::Computer);
            m_open = -1;
        }
        m_felt[std::size_t(card)] = true;
    }

private:
    void pairFound(int card, const QString &effect)
    {
        ++m_count.pairsFound;
        m_matched[std::size_t(card)] = m_matched[std::size_t(m_open)] = true;
        EffectFeelings &feelings = m_feelings[effect];
        ++feelings.found;
        feelings.feelings += m_feltEffect[effect];
    }

    EffectPair &pairOf(const QString &x, const QString &y)
    {
        const auto key = m_count.effects.indexOf(x) < m_count.effects.indexOf(y) ? std::pair(x, y) : std::pair(y, x);
        EffectPair &pair = m_pairs[key];
        pair.a = key.first;
        pair.b = key.second;
        return pair;
    }

    // The computer's moves are felt, and find pairs, but what it chooses
    // tells nothing of what a player takes for what.
    void secondTurn(int card, bool found, bool seenBefore, bool byComputer)
    {
        const QString &first = m_deal[m_open];
        if (byComputer) {
            if (found)
                pairFound(card, first);
            return;
        }
        ++m_count.secondTurns;
        // Every other effect with a card felt before and still unmatched was
        // there to be taken for the first card's partner.
        QSet<QString> tempting;
        for (qsizetype other = 0; other < m_deal.size(); ++other) {
            if (other != m_open && m_felt[std::size_t(other)] && !m_matched[std::size_t(other)]
                && !m_deal[other].isEmpty() && m_deal[other] != first)
                tempting.insert(m_deal[other]);
        }
        for (const QString &effect : tempting)
            ++pairOf(first, effect).chances;

        if (found) {
            pairFound(card, first);
        } else if (seenBefore) {
            ++m_count.confusions;
            ++pairOf(first, m_deal[card]).confusions;
        } else {
            ++m_count.explorations;
        }
    }

    const QStringList &m_deal;
    // Cards felt so far, and how often each effect was.
    std::vector<bool> m_felt;
    QHash<QString, int> m_feltEffect;
    std::vector<bool> m_matched;
    int m_open = -1;
    ConfusionCount &m_count;
    QHash<QString, EffectFeelings> &m_feelings;
    QHash<std::pair<QString, QString>, EffectPair> &m_pairs;
};

} // namespace

ConfusionCount countConfusions(const std::vector<JournalGame> &games, const QString &sha256)
{
    ConfusionCount count;
    QHash<QString, EffectFeelings> feelings;
    QHash<std::pair<QString, QString>, EffectPair> pairs;
    for (const JournalGame &game : games) {
        if (game.effectSha256 != sha256)
            continue;
        ++count.games;
        if (game.end == GameEnd::Completed)
            ++count.completed;
        for (const QString &effect : game.effects) {
            if (!count.effects.contains(effect))
                count.effects << effect;
        }
        GameReplay replay(game, count, feelings, pairs);
        for (const JournalTurn &turn : game.turns)
            replay.turn(turn);
    }

    for (qsizetype i = 0; i < count.effects.size(); ++i) {
        EffectFeelings &effect = feelings[count.effects[i]];
        effect.effect = count.effects[i];
        count.feelings.push_back(effect);
        for (qsizetype j = i + 1; j < count.effects.size(); ++j) {
            EffectPair &pair = pairs[std::pair(count.effects[i], count.effects[j])];
            pair.a = count.effects[i];
            pair.b = count.effects[j];
            count.pairs.push_back(pair);
        }
    }
    // Most confused first; pairs never at risk last, in the file's order.
    std::stable_sort(count.pairs.begin(), count.pairs.end(), [](const EffectPair &x, const EffectPair &y) {
        return std::pair(x.rate().value_or(-1.0), x.confusions) > std::pair(y.rate().value_or(-1.0), y.confusions);
    });
    return count;
}

void addLikeness(ConfusionCount &count, const EffectList &effects)
{
    const auto named = [&effects](const QString &name) {
        return std::find_if(effects.begin(), effects.end(), [&](const Effect &e) { return e.name == name; });
    };
    for (EffectPair &pair : count.pairs) {
        const auto a = named(pair.a);
        const auto b = named(pair.b);
        if (a != effects.end() && b != effects.end())
            pair.likeness = likeness(*a, *b).score;
    }
}

} // namespace pelnori::fx
