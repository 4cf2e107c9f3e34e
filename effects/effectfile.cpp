// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectfile.h"

#include "effects/effectfileproblems.h"
#include "effects/effecttablereader.h"
#include "effects/tomlworkarounds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <new>
#include <optional>

namespace pelnori {

namespace {

using namespace std::string_view_literals;

constexpr int kFormatVersion = 1;
constexpr std::string_view kTopKeys[] = {"version"sv, "effect"sv};

// The top of the document: its version and its list of effects, each read by
// an EffectTableReader.
void readDocument(const toml::table &root, ParsedEffectFile &out)
{
    for (auto &&[key, node] : root) {
        if (key.str() != "version"sv && key.str() != "effect"sv)
            addUnknownKey(out, key, QStringLiteral("at the top of the file"), kTopKeys);
    }
    if (const toml::node *version = root.get("version"sv)) {
        const auto *v = version->as_integer();
        if (!v || v->get() != kFormatVersion)
            addProblem(out, *version, QStringLiteral("\"version\" must be %1, the only version of the format, not %2")
                                          .arg(QString::number(kFormatVersion),
                                               v ? QString::number(v->get()) : tomlTypeName(*version)));
    }
    const toml::node *effects = root.get("effect"sv);
    if (!effects)
        return;
    const toml::array *list = effects->as_array();
    if (!list) {
        addProblem(out, *effects,
                   effects->is_table() ? QStringLiteral("effects are written [[effect]], with double brackets")
                                       : QStringLiteral("\"effect\" must be a list of tables written [[effect]], not ")
                                             + tomlTypeName(*effects));
        return;
    }
    if (list->size() > static_cast<std::size_t>(kMaxEffectsPerFile))
        addProblem(out, *list->get(kMaxEffectsPerFile),
                   QStringLiteral("the file holds %1 effects; an effect file may hold at most %2")
                       .arg(list->size())
                       .arg(kMaxEffectsPerFile));
    const std::size_t count = std::min(list->size(), static_cast<std::size_t>(kMaxEffectsPerFile));
    EffectTableReader reader(out);
    for (std::size_t i = 0; i < count; ++i)
        reader.read((*list)[i], static_cast<int>(i) + 1);
}

EffectFileProblem syntaxProblem(const toml::parse_error &error)
{
    return {static_cast<int>(error.source().begin.line), static_cast<int>(error.source().begin.column),
            QStringLiteral("not valid TOML: ") + fileText(error.description()), EffectFileProblem::Kind::Syntax};
}

using Kind = EffectFileProblem::Kind;

ParsedEffectFile refused(Kind kind, const QString &message, const QString &detail = {})
{
    ParsedEffectFile result;
    result.problems.push_back({0, 0, message, kind, detail});
    return result;
}

ParsedEffectFile tooLarge(qint64 size)
{
    return refused(Kind::TooLarge,
                   QStringLiteral("the file is %1 bytes; an effect file may be at most 1 MiB (%2 bytes)")
                       .arg(size)
                       .arg(kMaxEffectFileBytes),
                   QString::number(size));
}

ParsedEffectFile parse(std::string_view bytes)
{
    if (static_cast<qint64>(bytes.size()) > kMaxEffectFileBytes)
        return tooLarge(static_cast<qint64>(bytes.size()));

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

    readDocument(parsed.table(), result);
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

ParsedEffectFile parseEffectFile(std::string_view bytes)
{
    try {
        return parse(bytes);
    } catch (const std::bad_alloc &) {
        return refused(Kind::NoMemory, QStringLiteral("there is not enough memory to read the file"));
    } catch (const std::exception &e) {
        const QString why = QString::fromLocal8Bit(e.what());
        return refused(Kind::Unreadable, QStringLiteral("the file could not be read: %1").arg(why), why);
    } catch (...) {
        return refused(Kind::Unreadable, QStringLiteral("the file could not be read"));
    }
}

ParsedEffectFile readEffectFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty())
        return refused(Kind::NoPath, QStringLiteral("no effect file was given"));
    const QFileInfo info(path);
    if (!info.exists())
        return refused(Kind::Missing, QStringLiteral("%1 does not exist").arg(shown));
    if (info.isDir())
        return refused(Kind::Folder, QStringLiteral("%1 is a folder, not an effect file").arg(shown));
    if (!info.isFile())
        return refused(Kind::NotRegularFile, QStringLiteral("%1 is not a regular file").arg(shown));
    if (info.size() > kMaxEffectFileBytes)
        return tooLarge(info.size());
    if (!info.isReadable())
        return refused(Kind::NoPermission, QStringLiteral("%1 cannot be read: Permission denied").arg(shown));

    QFile file(path);
    const auto unreadable = [&] {
        return refused(Kind::Unreadable, QStringLiteral("%1 cannot be read: %2").arg(shown, file.errorString()),
                       file.errorString());
    };
    if (!file.open(QIODevice::ReadOnly))
        return unreadable();
    // One byte more than allowed tells a file that grew since its size was taken.
    const QByteArray bytes = file.read(kMaxEffectFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return unreadable();
    if (bytes.size() > kMaxEffectFileBytes)
        return tooLarge(bytes.size());
    return parseEffectFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace pelnori
