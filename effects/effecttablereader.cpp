// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effecttablereader.h"

#include "effects/effectfileproblems.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace pelnori {

namespace {

using namespace std::string_view_literals;

// Limits of the values, in the file's units.
constexpr int kMaxTimeMs = 10000;
constexpr int kMaxDegrees = 359;

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
constexpr std::string_view kEnvelopeKeys[] = {"time"sv, "level"sv};

// The values of one effect's table, each read and checked on its own. Every
// problem is said in the effect's context, which the caller extends by the
// name once it is known: "effect 3", then "effect 3 (\"knock\")".
class ValueReader
{
public:
    ValueReader(ParsedEffectFile &out, const QString &context) : m_out(out), m_context(context) {}

    // A problem of the effect being read.
    void say(const toml::node &node, const QString &message)
    {
        addProblem(m_out, node, m_context + QStringLiteral(": ") + message);
    }

    // False when the name is missing or refused.
    bool readName(const toml::table &table, Effect &effect)
    {
        const toml::node *node = table.get("name"sv);
        if (!node)
            return false;
        const auto *text = node->as_string();
        if (!text) {
            say(*node, QStringLiteral("\"name\" must be a string, not ") + tomlTypeName(*node));
            return false;
        }
        const QString name = fileText(text->get());
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
            words << fileText(t.word);
        say(*node, QStringLiteral("\"type\" must be one of %1, not %2")
                       .arg(words.join(QStringLiteral(", ")), text ? quotedFileText(text->get()) : tomlTypeName(*node)));
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
        const QString what =
            where.isEmpty() ? quotedFileText(key) : QStringLiteral("%1 of %2").arg(quotedFileText(key), where);
        const auto *number = node->as_integer();
        if (!number) {
            say(*node, QStringLiteral("%1 must be a whole number of %2, not %3")
                           .arg(what, QString::fromUtf16(unit), tomlTypeName(*node)));
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
        const QString what =
            where.isEmpty() ? quotedFileText(key) : QStringLiteral("%1 of %2").arg(quotedFileText(key), where);
        double v = 0.0;
        if (const auto *f = node->as_floating_point()) {
            v = f->get();
        } else if (const auto *i = node->as_integer()) {
            v = static_cast<double>(i->get());
        } else {
            say(*node, QStringLiteral("%1 must be a number from %2 to %3, not %4")
                           .arg(what, QString::number(low), QString::number(high), tomlTypeName(*node)));
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
                           .arg(quotedFileText(key), tomlTypeName(*node)));
            return false;
        }
        const QString where = quotedFileText(key);
        bool ok = true;
        for (auto &&[k, value] : *table) {
            if (k.str() != "time"sv && k.str() != "level"sv) {
                addUnknownKey(m_out, k, QStringLiteral("in %1 of %2").arg(where, m_context), kEnvelopeKeys);
                ok = false;
            }
        }
        if (table->get("time"sv) && !readInt(*table, "time"sv, 0, kMaxTimeMs, u"ms", out.timeMs, where))
            ok = false;
        if (table->get("level"sv) && !readFraction(*table, "level"sv, 0.0, 1.0, out.level, where))
            ok = false;
        return ok;
    }

private:
    ParsedEffectFile &m_out;
    const QString &m_context;
};

} // namespace

void EffectTableReader::read(const toml::node &node, int number)
{
    QString context = QStringLiteral("effect %1").arg(number);
    ValueReader values(m_out, context);
    const toml::table *table = node.as_table();
    if (!table) {
        addProblem(m_out, node, context + QStringLiteral(" must be a table, not ") + tomlTypeName(node));
        return;
    }
    Effect effect;
    const bool named = values.readName(*table, effect);
    if (named)
        context += QStringLiteral(" (") + quotedFileText(table->get("name"sv)->as_string()->get()) + QLatin1Char(')');
    const TypeWord *type = values.readType(*table);
    if (type)
        effect.type = type->type;

    for (auto &&[key, value] : *table) {
        const std::string_view word = key.str(); // clang 14 cannot capture a structured binding
        const auto rule = std::find_if(std::begin(kEffectKeys), std::end(kEffectKeys),
                                       [word](const KeyRule &r) { return r.key == word; });
        if (rule == std::end(kEffectKeys))
            addUnknownKey(m_out, key, QStringLiteral("in ") + context, kEffectKeyNames);
        else if (type && !(rule->kinds & type->kind))
            addProblem(m_out, key.source().begin,
                       context + QStringLiteral(": %1 does not apply to a %2 effect")
                                     .arg(quotedFileText(rule->key), fileText(type->word)));
    }

    const bool hasDuration = values.readInt(*table, "duration"sv, 1, kMaxTimeMs, u"ms", effect.durationMs);
    values.readInt(*table, "delay"sv, 0, kMaxTimeMs, u"ms", effect.delayMs);
    values.readFraction(*table, "magnitude"sv, 0.0, 1.0, effect.magnitude);
    values.readInt(*table, "period"sv, 1, kMaxTimeMs, u"ms", effect.periodMs);
    values.readFraction(*table, "offset"sv, -1.0, 1.0, effect.offset);
    values.readInt(*table, "phase"sv, 0, kMaxDegrees, u"degrees", effect.phaseDeg);
    values.readInt(*table, "direction"sv, 0, kMaxDegrees, u"degrees", effect.directionDeg);
    values.readFraction(*table, "ramp-start"sv, -1.0, 1.0, effect.rampStart);
    values.readFraction(*table, "ramp-end"sv, -1.0, 1.0, effect.rampEnd);
    values.readFraction(*table, "strong"sv, 0.0, 1.0, effect.strong);
    values.readFraction(*table, "weak"sv, 0.0, 1.0, effect.weak);
    const bool attackRead = values.readEnvelope(*table, "attack"sv, effect.attack);
    const bool fadeRead = values.readEnvelope(*table, "fade"sv, effect.fade);
    const int envelopeMs = effect.attack.timeMs + effect.fade.timeMs;
    if (hasDuration && attackRead && fadeRead && envelopeMs > effect.durationMs)
        values.say(*table->get("duration"sv),
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
            values.say(*table, QStringLiteral("%1 is missing").arg(quotedFileText(key)));

    if (named) {
        const toml::node &name = *table->get("name"sv);
        const auto earlier = m_lineOfName.constFind(effect.name);
        if (earlier != m_lineOfName.constEnd())
            values.say(name, QStringLiteral("the name is already used by the effect on line %1").arg(*earlier));
        else
            m_lineOfName.insert(effect.name, static_cast<int>(name.source().begin.line));
    }
    const toml::source_position at = (named ? *table->get("name"sv) : node).source().begin;
    m_out.namePositions.push_back({static_cast<int>(at.line), static_cast<int>(at.column)});
    m_out.effects.push_back(std::move(effect));
}

QString effectTypeWord(EffectType type)
{
    const auto found =
        std::find_if(std::begin(kTypes), std::end(kTypes), [type](const TypeWord &t) { return t.type == type; });
    return found != std::end(kTypes) ? fileText(found->word) : QString();
}

} // namespace pelnori
