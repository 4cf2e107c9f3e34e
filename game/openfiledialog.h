// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

namespace pelnori {

// Option flags of the open-file dialog (their values are the classic ones, so
// a flag word such as 39940 reads the same everywhere).
namespace OpenFlags {
inline constexpr int HideReadOnly = 0x4;
inline constexpr int ExtensionDifferent = 0x400;
inline constexpr int PathMustExist = 0x800;
inline constexpr int FileMustExist = 0x1000;
inline constexpr int NoReadOnlyReturn = 0x8000;
} // namespace OpenFlags

// Raised by showOpen() when the player cancels and cancelling is to be
// reported as an error.
class DialogCancelled : public std::runtime_error
{
public:
    DialogCancelled() : std::runtime_error("cancelled") {}
};

// The open-file dialog the effect-file button uses. Every setting is made one
// by one before showOpen(); fileName() then holds the chosen full path.
class OpenFileDialog
{
public:
    virtual ~OpenFileDialog() = default;

    virtual void setDefaultExt(const QString &extension) = 0;
    virtual void setFileName(const QString &fileName) = 0;
    virtual void setDialogTitle(const QString &title) = 0;
    // Pairs of description and pattern separated by '|', e.g. "Text|*.txt|All|*.*".
    virtual void setFilter(const QString &filter) = 0;
    // 1-based index of the filter entry selected when the dialog opens.
    virtual void setFilterIndex(int index) = 0;
    virtual void setFlags(int flags) = 0;
    virtual void setCancelError(bool on) = 0;
    // The folder the dialog opens in; one that does not exist leaves the
    // choice to the dialog.
    virtual void setInitDir(const QString &folder) = 0;
    // Shows the modal Open dialog. Throws DialogCancelled when cancelled with
    // cancelError on; otherwise a cancel leaves fileName() empty.
    virtual void showOpen() = 0;
    virtual QString fileName() const = 0;
    // The folder the player was in when the dialog last closed, by a pick
    // or a cancel; empty before it was first shown.
    virtual QString folder() const = 0;
    // The flags as the dialog returned them (ExtensionDifferent set when the
    // chosen extension differs from the default).
    virtual int flags() const = 0;
};

} // namespace pelnori
