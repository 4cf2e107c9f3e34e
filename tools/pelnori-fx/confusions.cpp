// SPDX-License-Identifier: GPL-3.0-or-later
#include "confusions.h"

#include "confusioncount.h"
#include "confusionplot.h"
#include "console.h"
#include "effects/effectfile.h"
#include "game/besttimes.h"
#include "game/journalrecord.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include <cmath>

namespace pelnori::fx {

namespace {

const QString kSyntax = QStringLiteral("confusions JOURNAL... [--file F.ifr] [--plot OUT.png]");

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// "1 game", "2 games".
QString counted(qsizetype n, const char *thing)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(thing)).arg(n == 1 ? "" : "s");
}

// Whole percent, rounded down as pelnori-fx compare prints them.
QString percent(std::optional<double> fraction)
{
    return fraction ? QStringLiteral("%1%").arg(int(std::floor(*fraction * 100.0 + 1e-9))) : QStringLiteral("-");
}

// Reads every journal; reports each unreadable line as FILE:LINE and sums
// up per journal. False when a journal cannot be read at all.
bool readJournals(const QStringList &paths, std::vector<JournalGame> &games)
{
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err() << "pelnori-fx: " << shown(path) << " cannot be read: " << file.errorString() << "\n";
            return false;
        }
        JournalReading reading = readJournal(file.readAll());
        for (const int line : reading.unreadableLines)
            err() << shown(path) << ':' << line << ": not a game of this journal's format (cut short?); skipped\n";
        out() << "Journal " << shown(path) << ": " << counted(qsizetype(reading.games.size()), "game");
        if (!reading.unreadableLines.isEmpty())
            out() << ", " << counted(reading.unreadableLines.size(), "unreadable line") << " skipped";
        out() << "\n";
        std::move(reading.games.begin(), reading.games.end(), std::back_inserter(games));
    }
    return true;
}

// Where the effect file of a journal may lie when it is not given: beside
// the journals, in the current folder, and in the game's folder.
QStringList placesToLook(const QStringList &journals)
{
    QStringList places;
    for (const QString &journal : journals)
        places << QFileInfo(journal).absolutePath();
    places << QDir::currentPath() << QCoreApplication::applicationDirPath()
           << QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" PELNORI_GAME_FOLDER_FROM_FX));
    places.removeDuplicates();
    return places;
}

QString findEffectFile(const EffectSet &set, const QStringList &journals)
{
    for (const QString &place : placesToLook(journals)) {
        const QString candidate = QDir(place).filePath(set.fileName);
        if (!set.fileName.isEmpty() && QFileInfo::exists(candidate) && effectFileId(candidate) == set.sha256)
            return candidate;
    }
    return {};
}

void printCount(const ConfusionCount &count)
{
    out() << "Games counted: " << count.games << " (" << count.completed << " completed, "
          << count.games - count.completed << " abandoned)\n"
          << "Second cards turned: " << count.secondTurns << ": " << count.pairsFound << " pairs found, "
          << count.confusions + count.explorations << " misses: " << count.confusions
          << " confusions (the second card had been felt before), " << count.explorations
          << " explorations (it had not)\n\n";

    out() << "Confusions by pair of effects, most confused first. A chance to confuse two effects is a\n"
             "second turn whose first card is one of them while a card of the other, felt before and not\n"
             "yet matched, lies on the board. Rate: confusions / chances. Likeness: as pelnori-fx compare\n"
             "computes it. !: players confuse the two more often than their likeness predicts.\n\n"
          << "confusions  chances   rate  likeness    effects\n";
    for (const EffectPair &pair : count.pairs) {
        out() << QStringLiteral("%1  %2  %3  %4 %5  ")
                     .arg(pair.confusions, 10)
                     .arg(pair.chances, 7)
                     .arg(percent(pair.rate()), 5)
                     .arg(percent(pair.likeness), 8)
                     .arg(QChar(pair.confusedBeyondLikeness() ? u'!' : u' '))
              << pair.a << " / " << pair.b << "\n";
    }

    out() << "\nFeelings of each effect until its pair was found (every turn of one of its cards;\n"
             "2 at least), in the games where it was found\n\n"
          << "  mean  found  effect\n";
    for (const EffectFeelings &effect : count.feelings) {
        const QString mean = effect.mean() ? QString::number(*effect.mean(), 'f', 1) : QStringLiteral("-");
        out() << QStringLiteral("%1  %2  ").arg(mean, 6).arg(effect.found, 5) << effect.effect << "\n";
    }
}

} // namespace

int printConfusions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Counts from play journals which effects players took for which: a confusion is a miss whose "
        "second card had been felt before; a miss on a card never felt is exploration, counted apart. "
        "Prints every pair of effects with its confusions, chances to confuse them, rate and likeness, "
        "and each effect's mean number of feelings until its pair was found. Only the games of one "
        "effect file count: the one given, or the one with the most games."));
    parser.addHelpOption();
    const QCommandLineOption file(QStringLiteral("file"),
                                  QStringLiteral("Count the games of this effect file (.ifr), known by its contents."),
                                  QStringLiteral("F.ifr"));
    const QCommandLineOption plot(QStringLiteral("plot"),
                                  QStringLiteral("Draw the confusion rates beside the likeness into a PNG image."),
                                  QStringLiteral("OUT.png"));
    parser.addOptions({file, plot});
    parser.addPositionalArgument(QStringLiteral("confusions"), QString(), QStringLiteral("confusions"));
    parser.addPositionalArgument(QStringLiteral("JOURNAL"), QStringLiteral("Play journals (.jsonl)."),
                                 QStringLiteral("JOURNAL..."));
    parser.process(arguments);
    QStringList journals = parser.positionalArguments();
    journals.removeFirst();
    if (journals.isEmpty())
        usageError(kSyntax);
    const QString target = parser.value(plot);
    if (parser.isSet(plot) && QFileInfo(target).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) != 0) {
        err() << "pelnori-fx: " << shown(target) << ": the picture is written as PNG; give a name ending in .png\n";
        return Usage;
    }

    std::vector<JournalGame> all;
    if (!readJournals(journals, all))
        return Refused;
    const std::vector<EffectSet> sets = effectSets(all);

    EffectSet chosen;
    QString effectPath = parser.value(file);
    if (parser.isSet(file)) {
        chosen.sha256 = effectFileId(effectPath);
        chosen.fileName = QFileInfo(effectPath).fileName();
        const auto found = std::find_if(sets.begin(), sets.end(),
                                        [&](const EffectSet &s) { return s.sha256 == chosen.sha256; });
        if (chosen.sha256.isEmpty() || found == sets.end()) {
            err() << "pelnori-fx: no game in the journals was played with " << shown(effectPath)
                  << (chosen.sha256.isEmpty() ? QStringLiteral(" (it cannot be read)") : QString()) << "\n";
            return Refused;
        }
        chosen.games = found->games;
        out() << "Effect file: " << shown(effectPath) << " (SHA-256 " << chosen.sha256.left(12) << "...), as given";
    } else {
        if (sets.empty()) {
            err() << "pelnori-fx: the journals hold no games\n";
            return Refused;
        }
        chosen = sets.front();
        effectPath = findEffectFile(chosen, journals);
        out() << "Effect file: " << chosen.fileName << " (SHA-256 " << chosen.sha256.left(12)
              << "...), the one with the most games";
    }
    if (sets.size() > 1)
        out() << "; " << counted(qsizetype(all.size()) - chosen.games, "game") << " of "
              << (sets.size() == 2 ? QStringLiteral("another effect file")
                                   : counted(qsizetype(sets.size()) - 1, "other effect file"))
              << " left out";
    out() << "\n";

    ConfusionCount count = countConfusions(all, chosen.sha256);
    ParsedEffectFile parsed;
    if (effectPath.isEmpty())
        out() << "Likeness: - : no " << chosen.fileName << " with these contents beside the journals, in the current "
              << "folder or in the game's folder; give it with --file\n";
    else if (readOrReport(effectPath, parsed))
        addLikeness(count, parsed.effects);
    if (!parsed.effects.empty() && !parser.isSet(file))
        out() << "Likeness from " << shown(effectPath) << ", whose contents match\n";
    printCount(count);

    if (parser.isSet(plot)) {
        const QImage image = confusionImage(count, chosen.fileName + QStringLiteral(": what players confuse"));
        QImageWriter writer(target, "png");
        if (!writer.write(image)) {
            err() << "pelnori-fx: " << shown(target) << " cannot be written: " << writer.errorString() << "\n";
            return Refused;
        }
        out() << "\nWrote " << shown(target) << "\n";
    }
    return Ok;
}

} // namespace pelnori::fx
