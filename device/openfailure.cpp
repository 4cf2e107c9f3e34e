// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/openfailure.h"

namespace pelnori {

namespace {

OpenFailure::Kind kindOf(EffectFileProblem::Kind kind)
{
    using From = EffectFileProblem::Kind;
    using To = OpenFailure::Kind;
    switch (kind) {
    case From::Content: return To::BadContent;
    case From::Syntax: return To::NotToml;
    case From::NoPath: return To::NoPath;
    case From::Missing: return To::Missing;
    case From::Folder: return To::Folder;
    case From::NotRegularFile: return To::NotRegularFile;
    case From::TooLarge: return To::TooLarge;
    case From::NoPermission: return To::NoPermission;
    case From::Unreadable: return To::Unreadable;
    case From::NoMemory: return To::NoMemory;
    }
    return To::None;
}

} // namespace

OpenFailure openFailureOf(const std::vector<EffectFileProblem> &problems)
{
    if (problems.empty())
        return {};
    const EffectFileProblem &first = problems.front();
    return {kindOf(first.kind), first.line, first.column, first.detail};
}

} // namespace pelnori
