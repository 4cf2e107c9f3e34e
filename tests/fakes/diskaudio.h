// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <vector>

namespace pelnori::test {

// SDL's disk audio driver in place of a speaker: while this lives, an audio
// output the control opens writes every sample it is handed (mono float,
// 48 kHz, at the pace of a real device) to a file.
class DiskAudio
{
public:
    DiskAudio()
    {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_dir.filePath(QStringLiteral("heard.raw"))));
    }

    ~DiskAudio()
    {
        qputenv("SDL_AUDIODRIVER", m_driver);
        qunsetenv("SDL_DISKAUDIOFILE");
    }

    // Whether an audio output has been opened.
    bool opened() const { return QFile::exists(path()); }
    // The file; an output opened again starts it anew.
    QString path() const { return m_dir.filePath(QStringLiteral("heard.raw")); }

    // Every sample written so far.
    std::vector<float> samples() const
    {
        QFile file(path());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        std::vector<float> result(std::size_t(bytes.size()) / sizeof(float));
        if (!result.empty())
            std::memcpy(result.data(), bytes.constData(), result.size() * sizeof(float));
        return result;
    }

    // What was heard, the silence before and after cut away.
    static std::vector<float> trimmed(const std::vector<float> &all)
    {
        const auto heard = [](float sample) { return sample != 0.0f; };
        const auto first = std::find_if(all.begin(), all.end(), heard);
        const auto last = std::find_if(all.rbegin(), all.rend(), heard).base();
        return first < last ? std::vector<float>(first, last) : std::vector<float>{};
    }

private:
    QByteArray m_driver = qgetenv("SDL_AUDIODRIVER");
    QTemporaryDir m_dir;
};

} // namespace pelnori::test
