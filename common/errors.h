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

// An image file that could not be loaded into a card.
class ImageLoadError : public std::runtime_error
{
public:
    explicit ImageLoadError(const QString &path);
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
