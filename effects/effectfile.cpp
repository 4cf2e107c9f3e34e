// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <span>

#include "effects/tomlworkarounds.h"

namespace pelnori {

namespace {

using namespace std::string_view_literals;

// Limits of the values, in the file's units.
constexpr int kMaxTimeMs = 10000;
constexpr int kMaxDegrees = 359;
constexpr int kFormatVersion = 1;

// Which effect types a key applies to.
enum Kinds : unsigned {
    ConstantKind = 1u << 0,
    PeriodicKind = 1u << 1,
    RampKind = 1u << 2,
    RumbleKind = 1u << 3,
    AllKinds = ConstantKind | PeriodicKind | RampKind | RumbleKind,
    ForceKinds = ConstantKind | PeriodicKind | RampKind, // all with a direction
};

struct TypeWord
{
    std::string_view word;
    EffectType type;
    Kinds kind;
};

constexpr TypeWord kTypes[] = {
    {"constant"sv, EffectType::Constant, ConstantKind},
    {"sine"sv, EffectType::Sine, PeriodicKind},
    {"square"sv, EffectType::Square, PeriodicKind},
    {"triangle"sv, EffectType::Triangle, PeriodicKind},
    {"sawtooth-up"sv, EffectType::SawtoothUp, PeriodicKind},
    {"sawtooth-down"sv, EffectType::SawtoothDown, PeriodicKind},
    {"ramp"sv, EffectType::Ramp, RampKind},
    {"rumble"sv, EffectType::Rumble, RumbleKind},
};

struct KeyRule
{
    std::string_view key;
    unsigned kinds;
};

constexpr KeyRule kEffectKeys[] = {
    {"name"sv, AllKinds},
    {"type"sv, AllKinds},
    {"duration"sv, AllKinds},
    {"delay"sv, AllKinds},
    {"magnitude"sv, ConstantKind | PeriodicKind},
    {"period"sv, PeriodicKind},
    {"offset"sv, PeriodicKind},
    {"phase"sv, PeriodicKind},
    {"direction"sv, ForceKinds},
    {"attack"sv, AllKinds},
    {"fade"sv, AllKinds},
    {"ramp-start"sv, RampKind},
    {"ramp-end"sv, RampKind},
    {"strong"sv, RumbleKind},
    {"weak"sv, RumbleKind},
};

constexpr auto kEffectKeyNames = [] {
    std::array<std::string_view, std::size(kEffectKeys)> names{};
    std::transform(std::begin(kEffectKeys), std::end(kEffectKeys), names.begin(),
                   [](const KeyRule &rule) { return rule.key; });
    return names;
}();
constexpr std::string_view kTopKeys[] = {"version"sv, "effect"sv};
constexpr std::string_view kEnvelopeKeys[] = {"time"sv, "level"sv};

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Text from the file, quoted for a message and cut short when long.
QString quote(std::string_view text)
{
    constexpr qsizetype kLongest = 40;
    QString s = fromUtf8(text);
    if (s.size() > kLongest)
        s = s.left(kLongest) + QChar(0x2026);
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString typeName(const toml::node &node)
{
    switch (node.type()) {
    case toml::node_type::table: return QStringLiteral("a table");
    case toml::node_type::array: return QStringLiteral("an array");
    case toml::node_type::string: return QStringLiteral("a string");
    case toml::node_type::integer: return QStringLiteral("an integer");
    case toml::node_type::floating_point: return QStringLiteral("a decimal number");
    case toml::node_type::boolean: return QStringLiteral("a boolean");
    case toml::node_type::date: return QStringLiteral("a date");
    case toml::node_type::time: return QStringLiteral("a time");
    case toml::node_type::date_time: return QStringLiteral("a date-time");
    case toml::node_type::none: break;
    }
    return QStringLiteral("nothing");
}

// A known key that differs only in case or in '_' for '-', to suggest.
std::optional<std::string_view> lookalike(std::string_view key, std::span<const std::string_view> known)
{
    const QString wanted = fromUtf8(key).toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
    for (const std::string_view k : known)
        if (fromUtf8(k) == wanted)
            return k;
    return std::nullopt;
}

// Walks a parsed document, fills the effects and collects every problem.
// Messages about an effect start with its number and, once known, its name.
class Reader
{
public:
    explicit Reader(ParsedEffectFile &out) : m_out(out) {}

    void readDocument(const toml::table &root)
    {
        for (auto &&[key, node] : root) {
            if (key.str() != "version"sv && key.str() != "effect"sv)
                unknownKey(key, QStringLiteral("at the top of the file"), kTopKeys);
        }
        if (const toml::node *version = root.get("version"sv)) {
            const auto *v = version->as_integer();
            if (!v || v->get() != kFormatVersion)
                problem(*version, QStringLiteral("\"version\" must be %1, the only version of the format, not %2")
                                      .arg(QString::number(kFormatVersion),
                                           v ? QString::number(v->get()) : typeName(*version)));
        }
        const toml::node *effects = root.get("effect"sv);
        if (!effects)
            return;
        const toml::array *list = effects->as_array();
        if (!list) {
            problem(*effects, effects->is_table()
                                  ? QStringLiteral("effects are written [[effect]], with double brackets")
                                  : QStringLiteral("\"effect\" must be a list of tables written [[effect]], not ")
                                        + typeName(*effects));
            return;
        }
        if (list->size() > static_cast<std::size_t>(kMaxEffectsPerFile))
            problem(*list->get(kMaxEffectsPerFile),
                    QStringLiteral("the file holds %1 effects; an effect file may hold at most %2")
                        .arg(list->size())
                        .arg(kMaxEffectsPerFile));
        const std::size_t count = std::min(list->size(), static_cast<std::size_t>(kMaxEffectsPerFile));
        for (std::size_t i = 0; i < count; ++i)
            readEffect((*list)[i], static_cast<int>(i) + 1);
    }

private:
    void problem(const toml::source_position &at, const QString &message)
    {
        m_out.problems.push_back({static_cast<int>(at.line), static_cast<int>(at.column), message});
    }
    void problem(const toml::node &node, const QString &message) { problem(node.source().begin, message); }
    // A problem of the effect being read.
    void say(const toml::node &node, const QString &message) { problem(node, m_context + QStringLiteral(": ") + message); }

    void unknownKey(const toml::key &key, const QString &where, std::span<const std::string_view> known)
    {
        QString message = QStringLiteral("unknown key %1 %2").arg(quote(key.str()), where);
        if (const auto like = lookalike(key.str(), known))
            message += QStringLiteral(" (did you mean \"%1\"?)").arg(fromUtf8(*like));
        problem(key.source().begin, message);
    }

    void readEffect(const toml::node &node, int number)
    {
        m_context = QStringLiteral("effect %1").arg(number);
        const toml::table *table = node.as_table();
        if (!table) {
            problem(node, m_context + QStringLiteral(" must be a table, not ") + typeName(node));
            return;
        }
        Effect effect;
        const bool named = readName(*table, effect);
        if (named)
            m_context += QStringLiteral(" (") + quote(table->get("name"sv)->as_string()->get()) + QLatin1Char(')');
        const TypeWord *type = readType(*table);
        if (type)
            effect.type = type->type;

        for (auto &&[key, value] : *table) {
            const std::string_view word = key.str(); // clang 14 cannot capture a structured binding
            const auto rule = std::find_if(std::begin(kEffectKeys), std::end(kEffectKeys),
                                           [word](const KeyRule &r) { return r.key == word; });
            if (rule == std::end(kEffectKeys))
                unknownKey(key, QStringLiteral("in ") + m_context, kEffectKeyNames);
            else if (type && !(rule->kinds & type->kind))
                problem(key.source().begin, m_context + QStringLiteral(": %1 does not apply to a %2 effect")
                                                            .arg(quote(rule->key), fromUtf8(type->word)));
        }

        const bool hasDuration = readInt(*table, "duration"sv, 1, kMaxTimeMs, u"ms", effect.durationMs);
        readInt(*table, "delay"sv, 0, kMaxTimeMs, u"ms", effect.delayMs);
        readFraction(*table, "magnitude"sv, 0.0, 1.0, effect.magnitude);
        readInt(*table, "period"sv, 1, kMaxTimeMs, u"ms", effect.periodMs);
        readFraction(*table, "offset"sv, -1.0, 1.0, effect.offset);
        readInt(*table, "phase"sv, 0, kMaxDegrees, u"degrees", effect.phaseDeg);
        readInt(*table, "direction"sv, 0, kMaxDegrees, u"degrees", effect.directionDeg);
        readFraction(*table, "ramp-start"sv, -1.0, 1.0, effect.rampStart);
        readFraction(*table, "ramp-end"sv, -1.0, 1.0, effect.rampEnd);
        readFraction(*table, "strong"sv, 0.0, 1.0, effect.strong);
        readFraction(*table, "weak"sv, 0.0, 1.0, effect.weak);
        const bool attackRead = readEnvelope(*table, "attack"sv, effect.attack);
        const bool fadeRead = readEnvelope(*table, "fade"sv, effect.fade);
        const int envelopeMs = effect.attack.timeMs + effect.fade.timeMs;
        if (hasDuration && attackRead && fadeRead && envelopeMs > effect.durationMs)
            say(*table->get("duration"sv),
                QStringLiteral("attack and fade together last %1 ms, longer than the duration of %2 ms")
                    .arg(envelopeMs)
                    .arg(effect.durationMs));

        std::vector<std::string_view> required{"name"sv, "type"sv, "duration"sv};
        // Without these a ramp or a rumble would be silent.
        if (type && type->kind == RampKind)
            required.insert(required.end(), {"ramp-start"sv, "ramp-end"sv});
        if (type && type->kind == RumbleKind)
            required.insert(required.end(), {"strong"sv, "weak"sv});
        for (const std::string_view key : required)
            if (!table->get(key))
                say(*table, QStringLiteral("%1 is missing").arg(quote(key)));

        if (named) {
            const toml::node &name = *table->get("name"sv);
            const auto earlier = m_lineOfName.constFind(effect.name);
            if (earlier != m_lineOfName.constEnd())
                say(name, QStringLiteral("the name is already used by the effect on line %1").arg(*earlier));
            else
                m_lineOfName.insert(effect.name, static_cast<int>(name.source().begin.line));
        }
        const toml::source_position at = (named ? *table->get("name"sv) : node).source().begin;
        m_out.namePositions.push_back({static_cast<int>(at.line), static_cast<int>(at.column)});
        m_out.effects.push_back(std::move(effect));
    }

    // False when the name is missing or refused.
    bool readName(const toml::table &table, Effect &effect)
    {
        const toml::node *node = table.get("name"sv);
        if (!node)
            return false;
        const auto *text = node->as_string();
        if (!text) {
            say(*node, QStringLiteral("\"name\" must be a string, not ") + typeName(*node));
            return false;
        }
        const QString name = fromUtf8(text->get());
        if (name.trimmed().isEmpty()) {
            say(*node, QStringLiteral("the name is blank"));
            return false;
        }
        if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; })) {
            say(*node, QStringLiteral("the name holds a control character (such as a tab or a line break)"));
            return false;
        }
        effect.name = name;
        return true;
    }

    // Null when the type is missing or refused.
    const TypeWord *readType(const toml::table &table)
    {
        const toml::node *node = table.get("type"sv);
        if (!node)
            return nullptr;
        const auto *text = node->as_string();
        if (text) {
            for (const TypeWord &t : kTypes)
                if (t.word == text->get())
                    return &t;
        }
        QStringList words;
        for (const TypeWord &t : kTypes)
            words << fromUtf8(t.word);
        say(*node, QStringLiteral("\"type\" must be one of %1, not %2")
                       .arg(words.join(QStringLiteral(", ")), text ? quote(text->get()) : typeName(*node)));
        return nullptr;
    }

    // Reads an optional whole number from low to high into out; false when
    // the key is missing or refused. where names the envelope it is part of.
    bool readInt(const toml::table &table, std::string_view key, int low, int high, const char16_t *unit, int &out,
                 const QString &where = {})
    {
        const toml::node *node = table.get(key);
        if (!node)
            return false;
        const QString what = where.isEmpty() ? quote(key) : QStringLiteral("%1 of %2").arg(quote(key), where);
        const auto *number = node->as_integer();
        if (!number) {
            say(*node, QStringLiteral("%1 must be a whole number of %2, not %3")
                           .arg(what, QString::fromUtf16(unit), typeName(*node)));
            return false;
        }
        const std::int64_t v = number->get();
        if (v < low || v > high) {
            say(*node, QStringLiteral("%1 must be from %2 to %3 %4, not %5")
                           .arg(what, QString::number(low), QString::number(high), QString::fromUtf16(unit),
                                QString::number(v)));
            return false;
        }
        out = static_cast<int>(v);
        return true;
    }

    // Reads an optional number from low to high into out; a whole number
    // counts as a decimal one. False when the key is missing or refused.
    bool readFraction(const toml::table &table, std::string_view key, double low, double high, double &out,
                      const QString &where = {})
    {
        const toml::node *node = table.get(key);
        if (!node)
            return false;
        const QString what = where.isEmpty() ? quote(key) : QStringLiteral("%1 of %2").arg(quote(key), where);
        double v = 0.0;
        if (const auto *f = node->as_floating_point()) {
            v = f->get();
        } else if (const auto *i = node->as_integer()) {
            v = static_cast<double>(i->get());
        } else {
            say(*node, QStringLiteral("%1 must be a number from %2 to %3, not %4")
                           .arg(what, QString::number(low), QString::number(high), typeName(*node)));
            return false;
        }
        if (!(v >= low && v <= high)) { // not a number fails too
            say(*node, QStringLiteral("%1 must be from %2 to %3, not %4")
                           .arg(what, QString::number(low), QString::number(high), QString::number(v)));
            return false;
        }
        out = v;
        return true;
    }

    // Reads an optional attack or fade table; false when it is there and refused.
    bool readEnvelope(const toml::table &effect, std::string_view key, Envelope &out)
    {
        const toml::node *node = effect.get(key);
        if (!node)
            return true;
        const toml::table *table = node->as_table();
        if (!table) {
            say(*node, QStringLiteral("%1 must be a table such as { time = 100, level = 0.0 }, not %2")
                           .arg(quote(key), typeName(*node)));
            return false;
        }
        const QString where = quote(key);
        bool ok = true;
        for (auto &&[k, value] : *table) {
            if (k.str() != "time"sv && k.str() != "level"sv) {
                unknownKey(k, QStringLiteral("in %1 of %2").arg(where, m_context), kEnvelopeKeys);
                ok = false;
            }
        }
        if (table->get("time"sv) && !readInt(*table, "time"sv, 0, kMaxTimeMs, u"ms", out.timeMs, where))
            ok = false;
        if (table->get("level"sv) && !readFraction(*table, "level"sv, 0.0, 1.0, out.level, where))
            ok = false;
        return ok;
    }

    ParsedEffectFile &m_out;
    QString m_context;
    QHash<QString, int> m_lineOfName;
};

EffectFileProblem syntaxProblem(const toml::parse_error &error)
{
    return {static_cast<int>(error.source().begin.line), static_cast<int>(error.source().begin.column),
            QStringLiteral("not valid TOML: ") + fromUtf8(error.description())};
}

ParsedEffectFile refused(const QString &message)
{
    ParsedEffectFile result;
    result.problems.push_back({0, 0, message});
    return result;
}

QString tooLarge(qint64 size)
{
    return QStringLiteral("the file is %1 bytes; an effect file may be at most 1 MiB (%2 bytes)")
        .arg(size)
        .arg(kMaxEffectFileBytes);
}

ParsedEffectFile parse(std::string_view bytes)
{
    if (static_cast<qint64>(bytes.size()) > kMaxEffectFileBytes)
        return refused(tooLarge(static_cast<qint64>(bytes.size())));

    ParsedEffectFile result;
    if (const std::optional<DeeplyDottedLine> unsafe = findDeeplyDottedLine(bytes)) {
        // A syntax error before that line is the first problem of the file;
        // the lines before it are safe to parse. Running out of them (in an
        // open string or array, say) is no error of the file.
        const toml::parse_result before = toml::parse(bytes.substr(0, unsafe->lineStart));
        const auto cutShort = [&] {
            const std::string_view why = before.error().description();
            return why.find("end-of-file"sv) != std::string_view::npos || why.find("EOF"sv) != std::string_view::npos;
        };
        if (!before && !cutShort())
            result.problems.push_back(syntaxProblem(before.error()));
        else
            result.problems.push_back(unsafe->problem);
        return result;
    }

    const toml::parse_result parsed = toml::parse(bytes);
    if (!parsed) {
        result.problems.push_back(syntaxProblem(parsed.error()));
        return result;
    }

    Reader(result).readDocument(parsed.table());
    if (!result.problems.empty()) {
        result.effects.clear();
        result.namePositions.clear();
        std::stable_sort(result.problems.begin(), result.problems.end(),
                         [](const EffectFileProblem &a, const EffectFileProblem &b) {
                             return std::pair(a.line, a.column) < std::pair(b.line, b.column);
                         });
    }
    return result;
}

} // namespace

QString effectTypeWord(EffectType type)
{
    const auto found =
        std::find_if(std::begin(kTypes), std::end(kTypes), [type](const TypeWord &t) { return t.type == type; });
    return found != std::end(kTypes) ? fromUtf8(found->word) : QString();
}

ParsedEffectFile parseEffectFile(std::string_view bytes)
{
    try {
        return parse(bytes);
    } catch (const std::bad_alloc &) {
        return refused(QStringLiteral("there is not enough memory to read the file"));
    } catch (const std::exception &e) {
        return refused(QStringLiteral("the file could not be read: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        return refused(QStringLiteral("the file could not be read"));
    }
}

ParsedEffectFile readEffectFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty())
        return refused(QStringLiteral("no effect file was given"));
    const QFileInfo info(path);
    if (!info.exists())
        return refused(QStringLiteral("%1 does not exist").arg(shown));
    if (info.isDir())
        return refused(QStringLiteral("%1 is a folder, not an effect file").arg(shown));
    if (!info.isFile())
        return refused(QStringLiteral("%1 is not a regular file").arg(shown));
    if (info.size() > kMaxEffectFileBytes)
        return refused(tooLarge(info.size()));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("%1 cannot be read: %2").arg(shown, file.errorString()));
    // One byte more than allowed tells a file that grew since its size was taken.
    const QByteArray bytes = file.read(kMaxEffectFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(QStringLiteral("%1 cannot be read: %2").arg(shown, file.errorString()));
    if (bytes.size() > kMaxEffectFileBytes)
        return refused(tooLarge(bytes.size()));
    return parseEffectFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace pelnori
