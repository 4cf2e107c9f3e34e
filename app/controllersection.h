// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/controllerhooks.h"
#include "game/settings.h"

#include <QGroupBox>

#include <array>

class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;

namespace pelnori {

// The settings dialog's controller section: the controller to use when
// several are attached, the button for each of the four actions (captured by
// pressing it on the controller), a reset of the buttons, and the stick's
// dead zone. It edits the dialog's Settings value in place.
class ControllerSection : public QGroupBox
{
    Q_OBJECT

public:
    ControllerSection(Settings &settings, ControllerHooks hooks, QWidget *parent = nullptr);
    // Ends a capture still waiting for a button.
    ~ControllerSection() override;

    // The section's texts, in the interface's language.
    static QString hintText();
    static QString takenText(const QString &button, const QString &action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Action
    {
        QString Settings::*button;
        const char *name;    // the control's object name
        const char *caption; // the action, as the player knows it
        QPushButton *control = nullptr;
    };

    void addDevice(QFormLayout *form);
    void addDeadZone(QFormLayout *form);
    void startCapture(Action &action);
    void stopCapture();
    void captured(const QString &button);
    void showButtons();

    Settings &m_settings;
    ControllerHooks m_hooks;
    std::array<Action, 4> m_actions;
    Action *m_capturing = nullptr;
    QLabel *m_status = nullptr;
};

} // namespace pelnori
