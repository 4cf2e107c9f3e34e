// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effect.h"
#include "effects/effectfile.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace pelnori {

// The effects of one version of an effect file, shared by every open of it.
struct LoadedEffects
{
    std::int32_t handle = 0;
    EffectList effects;

    // Index of the first effect with this name, or -1.
    int indexOf(const QString &name) const;
};

// The opened effect files. The game opens its file again for every check and
// every game and never closes one, so an unchanged file (same path, size and
// modification time) gives back the handle and effects it had; only a changed
// file is parsed anew. Handles count from 1: 0 never names a file, so a caller
// whose open raised and left its handle at 0 finds nothing behind it. The
// kMaxVersions most recently opened versions are kept and older handles are
// forgotten, except the handle last passed to keep() (the running game's),
// which stays whatever else is opened. Not thread-safe: used from the
// control's caller.
class EffectLibrary
{
public:
    using Reader = std::function<ParsedEffectFile(const QString &path)>;

    static constexpr std::int32_t kOpenFailed = -2;
    static constexpr int kMaxVersions = 64;

    explicit EffectLibrary(Reader reader = readEffectFile);

    // Handle of the file's effects (1, 2, …); kOpenFailed when the file is
    // missing, unreadable or does not parse, or the path names no file at all.
    std::int32_t open(const QString &path);

    // Why the last open gave kOpenFailed, as the reader tells it; empty after
    // an open that gave a handle.
    const std::vector<EffectFileProblem> &lastProblems() const { return m_lastProblems; }

    // Keeps handle's effects until another handle is kept.
    void keep(std::int32_t handle) { m_kept = handle; }

    // The effects behind a handle, or nullptr for an unknown one.
    std::shared_ptr<const LoadedEffects> find(std::int32_t handle) const;

    // How many file versions are kept.
    int versionCount() const { return int(m_versions.size()); }

private:
    struct Version
    {
        QString path;
        std::uintmax_t size = 0;
        std::int64_t modified = 0;
        std::uint64_t lastUse = 0;
        std::shared_ptr<const LoadedEffects> effects;
    };

    Reader m_reader;
    std::vector<Version> m_versions;
    std::vector<EffectFileProblem> m_lastProblems;
    std::int32_t m_nextHandle = 1;
    std::int32_t m_kept = 0;
    std::uint64_t m_useClock = 0;
};

} // namespace pelnori
