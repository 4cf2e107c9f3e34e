// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectfileproblems.h"

#include <optional>

namespace pelnori {

namespace {

// A known key that differs only in case or in '_' for '-', to suggest.
std::optional<std::string_view> lookalike(std::string_view key, std::span<const std::string_view> known)
{
    const QString wanted = fileText(key).toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
    for (const std::string_view k : known)
        if (fileText(k) == wanted)
            return k;
    return std::nullopt;
}

} // namespace

QString fileText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString quotedFileText(std::string_view text)
{
    constexpr qsizetype kLongest = 40;
    QString s = fileText(text);
    if (s.size() > kLongest)
        s = s.left(kLongest) + QChar(0x2026);
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString tomlTypeName(const toml::node &node)
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

void addProblem(ParsedEffectFile &out, const toml::source_position &at, const QString &message)
{
    out.problems.push_back({static_cast<int>(at.line), static_cast<int>(at.column), message});
}

void addUnknownKey(ParsedEffectFile &out, const toml::key &key, const QString &where,
                   std::span<const std::string_view> known)
{
    QString message = QStringLiteral("unknown key %1 %2").arg(quotedFileText(key.str()), where);
    if (const auto like = lookalike(key.str(), known))
        message += QStringLiteral(" (did you mean \"%1\"?)").arg(fileText(*like));
    addProblem(out, key.source().begin, message);
}

} // namespace pelnori
