// SPDX-License-Identifier: GPL-3.0-or-later
#include "likeness.h"

#include "console.h"
#include "common/hapticinterface.h"
#include "effects/effectlikeness.h"

#include <QDir>

#include <cmath>
#include <vector>

namespace pelnori::fx {

namespace {

// Likeness of each pair of the effects a game uses (at most the first eight);
// row i holds the likeness of effect i with every effect.
std::vector<std::vector<Likeness>> likenessTable(const EffectList &effects)
{
    const std::size_t count = std::min(effects.size(), std::size_t(kEffectsPerGame));
    std::vector<std::vector<Likeness>> table(count, std::vector<Likeness>(count));
    for (std::size_t i = 0; i < count; ++i) {
        table[i][i] = {1.0, QString()};
        for (std::size_t j = i + 1; j < count; ++j)
            table[i][j] = table[j][i] = likeness(effects[i], effects[j]);
    }
    return table;
}

QString withoutTrailingSpaces(QString line)
{
    while (line.endsWith(u' '))
        line.chop(1);
    return line;
}

int percent(double score)
{
    return int(std::floor(score * 100.0 + 1e-9));
}

} // namespace

int warnAboutLookalikes(const QString &shown, const ParsedEffectFile &parsed)
{
    const auto table = likenessTable(parsed.effects);
    int warnings = 0;
    for (std::size_t j = 1; j < table.size(); ++j) {
        for (std::size_t i = 0; i < j; ++i) {
            if (table[i][j].score < kTooAlikeFrom)
                continue;
            const EffectFilePosition &first = parsed.namePositions[i];
            const EffectFilePosition &second = parsed.namePositions[j];
            err() << shown << ':' << second.line << ':' << second.column << ": \"" << parsed.effects[i].name
                  << "\" (line " << first.line << ") and \"" << parsed.effects[j].name << "\" (line " << second.line
                  << ") are too alike to tell apart on a rumble pad: " << table[i][j].reason << "\n";
            ++warnings;
        }
    }
    return warnings;
}

int compareEffects(const QStringList &arguments)
{
    const QStringList values = commandArguments(
        arguments, QStringLiteral("compare FILE"),
        QStringLiteral("Prints how alike the effects a game uses (the first eight) feel on a rumble pad, in "
                       "percent: 100 is felt the same. Pairs from %1 on are too alike to tell apart.")
            .arg(percent(kTooAlikeFrom)),
        {{QStringLiteral("FILE"), QStringLiteral("The effect file (.ifr) to compare.")}});
    ParsedEffectFile parsed;
    if (!readOrReport(values.first(), parsed))
        return Refused;
    const auto table = likenessTable(parsed.effects);
    const int count = int(table.size());
    const QString shown = QDir::toNativeSeparators(values.first());
    if (count < 2) {
        out() << shown << ": " << count << " effects; nothing to compare\n";
        return Ok;
    }

    out() << "Likeness of the first " << count << " effects of " << shown << " on a rumble pad, in percent\n"
          << "(100: felt the same; * from " << percent(kTooAlikeFrom) << " on: too alike to tell apart)\n\n";
    for (int i = 0; i < count; ++i)
        out() << QStringLiteral("%1  ").arg(i + 1, 3) << parsed.effects[std::size_t(i)].name << "\n";
    QString header = QStringLiteral("     ");
    for (int j = 0; j < count; ++j)
        header += QStringLiteral("%1 ").arg(j + 1, 4);
    out() << "\n" << withoutTrailingSpaces(header) << "\n";
    int mostI = 0;
    int mostJ = 1;
    for (int i = 0; i < count; ++i) {
        QString row = QStringLiteral("%1  ").arg(i + 1, 3);
        for (int j = 0; j < count; ++j) {
            const double score = table[std::size_t(i)][std::size_t(j)].score;
            if (i == j) {
                row += QStringLiteral("   - ");
                continue;
            }
            row += QStringLiteral("%1%2").arg(percent(score), 4).arg(QChar(score >= kTooAlikeFrom ? u'*' : u' '));
            if (i < j && score > table[std::size_t(mostI)][std::size_t(mostJ)].score) {
                mostI = i;
                mostJ = j;
            }
        }
        out() << withoutTrailingSpaces(row) << "\n";
    }
    const Likeness &most = table[std::size_t(mostI)][std::size_t(mostJ)];
    out() << "\nMost alike: " << mostI + 1 << " and " << mostJ + 1 << ", " << percent(most.score) << "%: "
          << most.reason << "\n";
    return Ok;
}

} // namespace pelnori::fx
