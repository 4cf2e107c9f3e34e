// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"
#include "game/journalrecord.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace pelnori::fx {

// The games of one effect file in the journals: the file as the games name
// it, known by the SHA-256 of its contents.
struct EffectSet
{
    QString sha256;
    QString fileName; // as the latest game of the set names it
    int games = 0;
};

// The effect files the games were played with, most games first.
std::vector<EffectSet> effectSets(const std::vector<JournalGame> &games);

// Two effects, a before b in the order of ConfusionCount::effects.
struct EffectPair
{
    QString a;
    QString b;
    // Misses whose first card was one of the two and whose second card, the
    // other, had been felt before.
    int confusions = 0;
    // Second turns whose first card was one of the two while a card of the
    // other, felt before and not yet matched, lay on the board.
    int chances = 0;
    // How alike the two feel on a rumble pad, 0 to 1, when the file is known.
    std::optional<double> likeness;

    std::optional<double> rate() const;
    // Players confuse the two more often than their likeness predicts: the
    // rate of confusion is above the likeness.
    bool confusedBeyondLikeness() const;
};

// How often one effect was felt before its pair was found: every turn of a
// card of it counts, the one that found the pair included, so 2 is the least.
struct EffectFeelings
{
    QString effect;
    int found = 0;    // games in which its pair was found
    int feelings = 0; // in those games, all told

    std::optional<double> mean() const;
};

struct ConfusionCount
{
    int games = 0;
    int completed = 0;
    int secondTurns = 0;
    int pairsFound = 0;
    int confusions = 0;   // misses on a card felt before
    int explorations = 0; // misses on a card never felt before
    QStringList effects;  // in play in any of the games, in the file's order
    std::vector<EffectPair> pairs; // every two effects, most confused first
    std::vector<EffectFeelings> feelings; // in the order of effects
};

// Counts the turns of the games played with the effect file whose contents
// have sha256; the other games are left out. Pure.
ConfusionCount countConfusions(const std::vector<JournalGame> &games, const QString &sha256);

// Adds the likeness of each pair whose two effects the file holds.
void addLikeness(ConfusionCount &count, const EffectList &effects);

} // namespace pelnori::fx
