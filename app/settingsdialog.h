// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/controllerhooks.h"
#include "game/settings.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QFormLayout;
class QVBoxLayout;

namespace pelnori {

class Announcer;

// The settings dialog: what a player sets to themselves, each a labelled
// control in the interface's language with an accessible name, in Tab order
// (the controller's shoulders step through them as Tab does). It only edits
// a Settings value: given one, it gives it back as the player left it, and
// the caller applies and keeps it on OK. Values it does not offer are kept
// unless the player changes that control.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // tryStrength plays one effect at the percent shown (the Try button);
    // without one the button is not shown.
    // controllers: the list of controllers and the button capture for the
    // controller section.
    SettingsDialog(const Settings &settings, std::function<void(int percent)> tryStrength, QWidget *parent = nullptr,
                   ControllerHooks controllers = {});

    // What the controls hold now.
    Settings settings() const { return m_settings; }

    // The dialog's texts, in the interface's language.
    static QString title();
    static QString languageNote();

private:
    QComboBox *addChoice(QFormLayout *form, const char *name, const QString &label,
                         const QList<std::pair<QString, QVariant>> &choices, const QVariant &current,
                         std::function<void(const QVariant &)> chosen, QWidget *beside = nullptr);
    void addGameSection(QVBoxLayout *sections);
    void addPlayersRows(QFormLayout *form);
    void addViewSection(QVBoxLayout *sections);

    Settings m_settings;
    std::function<void(int)> m_tryStrength;
    // Says a choice changed by keys while its list is closed.
    Announcer *m_announcer = nullptr;
};

} // namespace pelnori
