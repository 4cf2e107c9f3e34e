// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "haptics/effect.h"
#include "haptics/effectfile.h"

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
// file is parsed anew. The newest kMaxVersions versions are kept, older
// handles are forgotten. Not thread-safe: used from the control's caller.
class EffectLibrary
{
public:
    using Reader = std::function<ParsedEffectFile(const QString &path)>;

    static constexpr std::int32_t kOpenFailed = -2;
    static constexpr int kMaxVersions = 64;

    explicit EffectLibrary(Reader reader = readEffectFile);

    // Handle of the file's effects (0, 1, …); kOpenFailed when the file is
    // missing, unreadable or does not parse.
    std::int32_t open(const QString &path);

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
    std::int32_t m_nextHandle = 0;
    std::uint64_t m_useClock = 0;
};

} // namespace pelnori
