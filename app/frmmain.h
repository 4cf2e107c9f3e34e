// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmmaincontrols.h"
#include "app/playerscounters.h"
#include "app/qtpacer.h"
#include "app/startup.h"
#include "app/turnnarration.h"
#include "app/windowboard.h"
#include "app/windowmenu.h"
#include "game/game.h"
#include "game/openfiledialog.h"
#include "game/playjournal.h"
#include "input/padaction.h"

#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

namespace pelnori {

class Announcer;
class BoardInput;
class Platform;
class SettingsFlow;
struct Globals;

// The program's one window: the effect-file row, the message row, the two
// counters, the board of sixteen cards and the start and quit buttons. It
// owns its controls, forwards their events to the handlers and reports any
// error a handler lets through in a message box, so the program goes on.
// The handlers see it through board().
class frmMain : public QWidget
{
    Q_OBJECT

public:
    frmMain(Platform &platform, Globals &globals, std::unique_ptr<OpenFileDialog> dialog,
            QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up before the window is shown; false when the program must end.
    bool Form_Load(const HapticFactory &createControl);

    // The settings the window and the game play by from now on: called once
    // before Form_Load, and again when the player changes them. What can
    // change at once does (the window's size, the cards' faces, the effects'
    // strength); the pairs wait for the next game while one runs (see
    // Game::applySettings). True when everything took effect at once.
    bool applySettings(const Settings &settings);
    const Settings &settings() const { return m_game.settings(); }

    // Event handlers, as the controls call them.
    void Form_Activate();
    void btnStart_Click();
    void cmbRead_IFR_Click();
    void Command1_Click();
    // player: whose controller pressed (0 or 1), none for the mouse and keys.
    void pic_Click(int index, std::optional<int> player = std::nullopt);
    void Timer1_Timer();

public Q_SLOTS:
    // A game-controller press, acted on only while this is the active window:
    // a step moves the selection as the arrow keys do, Turn turns the selected
    // card and Start and ReadFile press their buttons, each as a click does,
    // and Menu opens the window's menu. On a menu, a modal dialog or a
    // message box the press acts as a key does there.
    // player: whose controller (0 or 1), empty when one or none is attached.
    void padAction(PadAction action, std::optional<int> player = std::nullopt);

public:
    Game &game() { return m_game; }
    // The play journal; it keeps nothing until given a file.
    PlayJournal &journal() { return m_journal; }
    Board &board() { return m_board; }
    // Says text through the screen reader, if any; nothing for empty text.
    void announce(const QString &text);
    // What the player asks to hear at any time (S, or Y on a controller):
    // before a game what to do, during one the cards left and the seconds,
    // with two at the table each one's pairs and whose turn it is.
    QString gameState() const;
    // The window's context menu and the settings this run plays with.
    WindowMenu &menu() { return m_menu; }
    SettingsFlow &settingsFlow() { return *m_settingsFlow; }
    // Opens the menu: at a point on the screen, or from the keys and the
    // controller over the focused control. Returns once it has closed and
    // the entry chosen, if any, has run.
    void openMenu(QPoint globalPos, bool fromKeys);

    // The whole window at percent of its designed size (100, 150, 200 or
    // 300): every control, font, card picture and the focus mark. Centred
    // again on the screen once shown.
    void setZoom(int percent);
    // The cards' faces drawn for low vision, or as designed.
    void setHighContrast(bool on);

    QLineEdit *txtLoadIFR() const { return m_controls.txtLoadIFR; }
    QLabel *lblinfo() const { return m_controls.lblinfo; }
    QPushButton *cmbRead_IFR() const { return m_controls.cmbRead_IFR; }
    QLabel *Label1() const { return m_controls.Label1; }
    QLineEdit *txtNokori() const { return m_controls.txtNokori; }
    QLabel *Label2() const { return m_controls.Label2; }
    QLineEdit *txtTime() const { return m_controls.txtTime; }
    QWidget *Line1() const { return m_controls.Line1; }
    // Player 2's counter and its label, shown with two at the table.
    QLabel *lblPlayer2() const { return m_counters->label(); }
    QLineEdit *txtPlayer2() const { return m_counters->counter(); }
    CardBox *pic(int index) const { return m_controls.pic.at(static_cast<std::size_t>(index)); }
    QPushButton *btnStart() const { return m_controls.btnStart; }
    QPushButton *Command1() const { return m_controls.Command1; }
    QTimer *Timer1() const { return m_controls.Timer1; }
    void setCMDialog(std::unique_ptr<OpenFileDialog> dialog);

    // The window's place in twips, as the board reads and sets it.
    float windowLeft() const;
    float windowTop() const;
    float windowWidth() const;
    float windowHeight() const;
    void setWindowLeft(float twips);
    void setWindowTop(float twips);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    template<typename Handler>
    void dispatch(const char *name, Handler &&handler);
    void placeWindow();
    bool frameKnown() const;
    void centreInFrame();
    void holdPlace();
    // The computer turns card, as a press of it that the screen reader tells.
    void computerTurns(int card);

    Platform &m_platform;
    Globals &m_globals;
    std::unique_ptr<OpenFileDialog> m_dialog;
    FrmMainControls m_controls;
    TurnNarration m_narration;
    WindowBoard m_board;
    PlayJournal m_journal;
    // Gone after the game, whose turns they serve.
    QtPacer m_pacer;
    std::unique_ptr<PlayersCounters> m_counters;
    Game m_game;
    // Gone before the controls, whose focus its selection follows.
    std::unique_ptr<BoardInput> m_input;
    Announcer *m_announcer = nullptr;
    WindowMenu m_menu{*this};
    std::unique_ptr<SettingsFlow> m_settingsFlow;
    int m_starts = 0; // start presses being handled, one inside another's deal

    float m_left = 0.0f;
    float m_top = 0.0f;
    bool m_activated = false;
    bool m_centredInFrame = false;
    bool m_focusSet = false;
    // Until then, a place other than ours is undone (holdPlace).
    QDeadlineTimer m_holdPlaceUntil{0};
    int m_placeRepairs = 0;
};

} // namespace pelnori
