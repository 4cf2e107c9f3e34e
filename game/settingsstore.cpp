// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/settingsstore.h"

#include "game/gamelog.h"
#include "game/settingslimits.h"
#include "game/setaside.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <array>
#include <utility>

namespace pelnori {

namespace {

// One INI key per field; README's "Settings" lists them for players.
const QString kPairsKey = QStringLiteral("game/pairs");
const QString kStrengthKey = QStringLiteral("game/strength");
const QString kZoomKey = QStringLiteral("display/zoom");
const QString kHighContrastKey = QStringLiteral("display/highContrast");
const QString kControllerKey = QStringLiteral("controller/device");
const QString kTurnKey = QStringLiteral("controller/turn");
const QString kStartKey = QStringLiteral("controller/newGame");
const QString kReadFileKey = QStringLiteral("controller/loadFile");
const QString kStateKey = QStringLiteral("controller/sayState");
const QString kDeadZoneKey = QStringLiteral("controller/deadZone");
const QString kSoundKey = QStringLiteral("sound/on");
const QString kLanguageKey = QStringLiteral("interface/language");
const QString kPlayersKey = QStringLiteral("players/mode");
const QString kLevelKey = QStringLiteral("players/level");
const QString kSwapKey = QStringLiteral("players/swapControllers");
const QString kJournalKey = QStringLiteral("journal/on");

const std::array<std::pair<Players, QLatin1StringView>, 3> kPlayerNames{{
    {Players::One, QLatin1StringView("one")},
    {Players::Two, QLatin1StringView("two")},
    {Players::Computer, QLatin1StringView("computer")},
}};
const std::array<std::pair<ComputerLevel, QLatin1StringView>, 3> kLevelNames{{
    {ComputerLevel::Easy, QLatin1StringView("easy")},
    {ComputerLevel::Normal, QLatin1StringView("normal")},
    {ComputerLevel::Strong, QLatin1StringView("strong")},
}};

// Reads what the file holds into a valid Settings. Each read takes the key,
// the default and a test of the value: a missing key is the default quietly,
// a present but unusable one the default with a warning.
class Reader
{
public:
    Reader(const QSettings &file, QString path)
        : m_file(file)
        , m_path(std::move(path))
    {
    }

    template<typename Valid>
    int integer(const QString &key, int fallback, Valid valid) const
    {
        if (!m_file.contains(key))
            return fallback;
        bool ok = false;
        const int value = m_file.value(key).toString().trimmed().toInt(&ok);
        if (ok && valid(value))
            return value;
        return rejected(key, fallback, QString::number(fallback));
    }

    bool flag(const QString &key, bool fallback) const
    {
        if (!m_file.contains(key))
            return fallback;
        const QString text = m_file.value(key).toString().trimmed().toLower();
        if (text == u"true" || text == u"1")
            return true;
        if (text == u"false" || text == u"0")
            return false;
        return rejected(key, fallback, fallback ? QStringLiteral("true") : QStringLiteral("false"));
    }

    template<typename Valid>
    QString text(const QString &key, const QString &fallback, Valid valid) const
    {
        if (!m_file.contains(key))
            return fallback;
        const QVariant raw = m_file.value(key);
        // A key written twice in one line, "a, b", reads as a list.
        if (raw.typeId() == QMetaType::QString && valid(raw.toString()))
            return raw.toString();
        return rejected(key, fallback, fallback);
    }

    template<typename Enum, std::size_t N>
    Enum choice(const QString &key, Enum fallback,
                const std::array<std::pair<Enum, QLatin1StringView>, N> &names) const
    {
        if (!m_file.contains(key))
            return fallback;
        const QString value = m_file.value(key).toString().trimmed();
        for (const auto &[item, name] : names) {
            if (value == name)
                return item;
        }
        for (const auto &[item, name] : names) {
            if (item == fallback)
                return rejected(key, fallback, QString(name));
        }
        return fallback;
    }

private:
    template<typename T>
    T rejected(const QString &key, T fallback, const QString &shown) const
    {
        const QVariant raw = m_file.value(key);
        const QString given = raw.typeId() == QMetaType::QStringList
                                  ? raw.toStringList().join(QStringLiteral(", "))
                                  : raw.toString();
        qCWarning(lcStore, "%s: cannot use %s=%s, using %s", qUtf8Printable(m_path), qUtf8Printable(key),
                  qUtf8Printable(given), qUtf8Printable(shown.isEmpty() ? QStringLiteral("\"\"") : shown));
        return fallback;
    }

    const QSettings &m_file;
    QString m_path;
};

QString playersName(Players players)
{
    for (const auto &[item, name] : kPlayerNames) {
        if (item == players)
            return name;
    }
    return {};
}

QString levelName(ComputerLevel level)
{
    for (const auto &[item, name] : kLevelNames) {
        if (item == level)
            return name;
    }
    return {};
}

} // namespace

SettingsStore::SettingsStore()
    : SettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                    + QStringLiteral("/pelnori/pelnori.conf"))
{
}

SettingsStore::SettingsStore(QString path)
    : m_path(std::move(path))
{
}

// A file that does not read as INI was not used, and QSettings would report
// its state after any write: it goes out of the way, kept for whoever
// edited it by hand.
void SettingsStore::setAsideIfBroken() const
{
    {
        QSettings existing(m_path, QSettings::IniFormat);
        existing.childGroups();
        if (existing.status() != QSettings::FormatError)
            return;
    }
    if (const QString aside = setAside(m_path); !aside.isEmpty())
        qCWarning(lcStore, "%s: set the unreadable settings aside as %s", qUtf8Printable(m_path), qUtf8Printable(aside));
}

Settings SettingsStore::load() const
{
    const Settings defaults;
    QSettings file(m_path, QSettings::IniFormat);
    // The file is read at the first question asked of it; only then does
    // the status say whether it could be.
    file.childGroups();
    if (file.status() != QSettings::NoError) {
        qCWarning(lcStore, "%s: cannot read the settings, using the defaults", qUtf8Printable(m_path));
        return defaults;
    }
    const Reader read(file, m_path);
    const QStringList buttons = controllerButtonNames();
    const auto isButton = [&buttons](const QString &name) { return buttons.contains(name); };

    Settings s;
    s.pairs = read.integer(kPairsKey, defaults.pairs, validPairs);
    s.strength = read.integer(kStrengthKey, defaults.strength, validStrength);
    s.zoom = read.integer(kZoomKey, defaults.zoom, validZoom);
    s.highContrast = read.flag(kHighContrastKey, defaults.highContrast);
    s.controller = read.text(kControllerKey, defaults.controller, [](const QString &) { return true; });
    s.turnButton = read.text(kTurnKey, defaults.turnButton, isButton);
    s.startButton = read.text(kStartKey, defaults.startButton, isButton);
    s.readFileButton = read.text(kReadFileKey, defaults.readFileButton, isButton);
    s.stateButton = read.text(kStateKey, defaults.stateButton, isButton);
    s.deadZone = read.integer(kDeadZoneKey, defaults.deadZone, validDeadZone);
    s.sound = read.flag(kSoundKey, defaults.sound);
    s.language = read.text(kLanguageKey, defaults.language, [](const QString &language) {
        return language.isEmpty() || language == u"ja" || language == u"en";
    });
    s.players = read.choice(kPlayersKey, defaults.players, kPlayerNames);
    s.computerLevel = read.choice(kLevelKey, defaults.computerLevel, kLevelNames);
    s.swapControllers = read.flag(kSwapKey, defaults.swapControllers);
    s.journal = read.flag(kJournalKey, defaults.journal);

    // One button for two actions would leave one of them out of reach.
    QStringList given{s.turnButton, s.startButton, s.readFileButton, s.stateButton};
    if (given.removeDuplicates() > 0) {
        qCWarning(lcStore, "%s: one button for two actions, using the default buttons", qUtf8Printable(m_path));
        s.turnButton = defaults.turnButton;
        s.startButton = defaults.startButton;
        s.readFileButton = defaults.readFileButton;
        s.stateButton = defaults.stateButton;
    }
    return s;
}

bool SettingsStore::save(const Settings &s) const
{
    setAsideIfBroken();
    QSettings file(m_path, QSettings::IniFormat);
    file.setValue(kPairsKey, s.pairs);
    file.setValue(kStrengthKey, s.strength);
    file.setValue(kZoomKey, s.zoom);
    file.setValue(kHighContrastKey, s.highContrast);
    file.setValue(kControllerKey, s.controller);
    file.setValue(kTurnKey, s.turnButton);
    file.setValue(kStartKey, s.startButton);
    file.setValue(kReadFileKey, s.readFileButton);
    file.setValue(kStateKey, s.stateButton);
    file.setValue(kDeadZoneKey, s.deadZone);
    file.setValue(kSoundKey, s.sound);
    file.setValue(kLanguageKey, s.language);
    file.setValue(kPlayersKey, playersName(s.players));
    file.setValue(kLevelKey, levelName(s.computerLevel));
    file.setValue(kSwapKey, s.swapControllers);
    file.setValue(kJournalKey, s.journal);
    file.sync();
    if (file.status() != QSettings::NoError) {
        qCWarning(lcStore, "%s: cannot write the settings", qUtf8Printable(m_path));
        return false;
    }
    return true;
}

Settings keptSettings(const Settings &saved, const Settings &shown, const Settings &chosen)
{
    Settings kept = chosen;
    const auto keep = [&](auto Settings::*field) {
        if (chosen.*field == shown.*field)
            kept.*field = saved.*field;
    };
    keep(&Settings::pairs);
    keep(&Settings::strength);
    keep(&Settings::zoom);
    keep(&Settings::sound);
    keep(&Settings::players);
    return kept;
}

} // namespace pelnori
