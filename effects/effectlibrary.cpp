// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectlibrary.h"

#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace pelnori {

int LoadedEffects::indexOf(const QString &name) const
{
    const auto it = std::find_if(effects.begin(), effects.end(),
                                 [&](const Effect &effect) { return effect.name == name; });
    return it == effects.end() ? -1 : int(it - effects.begin());
}

EffectLibrary::EffectLibrary(Reader reader)
    : m_reader(std::move(reader))
{
}

std::int32_t EffectLibrary::open(const QString &path)
{
    m_lastProblems.clear();
    if (path.isEmpty()) {
        m_lastProblems = m_reader(path).problems;
        return kOpenFailed;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // A file that is not there to be read: the reader tells why without
    // reading anything (it opens regular files only).
    const auto refused = [&] {
        m_lastProblems = m_reader(absolute).problems;
        if (m_lastProblems.empty())
            m_lastProblems.push_back({0, 0, QStringLiteral("the file changed while it was opened"),
                                      EffectFileProblem::Kind::Missing});
        return kOpenFailed;
    };

    // Nanosecond modification time: an edit saved within the same second
    // still counts as a change.
    std::error_code error;
    std::filesystem::path file;
    try {
        file = absolute.toStdU16String();
    } catch (const std::exception &) {
        return refused(); // not a name any file can have (a lone surrogate)
    }
    if (!std::filesystem::is_regular_file(file, error))
        return refused();
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        return refused();
    const auto modified = std::filesystem::last_write_time(file, error);
    if (error)
        return refused();
    const std::int64_t stamp = modified.time_since_epoch().count();

    ++m_useClock;
    for (Version &version : m_versions) {
        if (version.path == absolute && version.size == size && version.modified == stamp) {
            version.lastUse = m_useClock;
            return version.effects->handle;
        }
    }

    ParsedEffectFile parsed = m_reader(absolute);
    if (!parsed.ok()) {
        m_lastProblems = std::move(parsed.problems);
        return kOpenFailed;
    }

    auto effects = std::make_shared<LoadedEffects>();
    effects->handle = m_nextHandle++;
    effects->effects = std::move(parsed.effects);
    m_versions.push_back({absolute, size, stamp, m_useClock, effects});

    if (int(m_versions.size()) > kMaxVersions) {
        // The kept handle counts as used just now.
        const auto lastUse = [this](const Version &v) {
            return v.effects->handle == m_kept ? m_useClock : v.lastUse;
        };
        const auto oldest = std::min_element(m_versions.begin(), m_versions.end(),
                                             [&](const Version &a, const Version &b) { return lastUse(a) < lastUse(b); });
        m_versions.erase(oldest);
    }
    return effects->handle;
}

std::shared_ptr<const LoadedEffects> EffectLibrary::find(std::int32_t handle) const
{
    for (const Version &version : m_versions) {
        if (version.effects->handle == handle)
            return version.effects;
    }
    return nullptr;
}

} // namespace pelnori
