// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

namespace pelnori {

// Thrown out of a yield when the program has ended while events ran, so that
// every loop on the stack unwinds without touching the window again. It is not
// a std::exception on purpose: skip-and-continue handling never swallows it.
struct ProgramEnded
{
};

// A file the program needs that cannot be read. what() says which in the
// interface's language, with the file's path on a line of its own.
class FileReadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// An image file that could not be loaded into a card.
class ImageLoadError : public FileReadError
{
public:
    explicit ImageLoadError(const QString &path);
};

// An effect file that a game opened but could not read: the haptic control
// raised while opening it or reading its effects.
class EffectFileError : public FileReadError
{
public:
    explicit EffectFileError(const QString &path);
};

// Runs one statement of a skip-and-continue handler: an error it raises is
// dropped and the handler goes on with the next statement.
template<typename Statement>
void skipOnError(Statement &&statement)
{
    try {
        statement();
    } catch (const std::exception &) {
    }
}

} // namespace pelnori
