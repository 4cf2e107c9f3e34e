// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/frmmaincontrols.h"
#include "app/startup.h"
#include "app/turnnarration.h"
#include "app/windowboard.h"
#include "game/game.h"
#include "game/openfiledialog.h"
#include "input/padaction.h"

#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace pelnori {

class Announcer;
class BoardInput;
class Platform;
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

    // Event handlers, as the controls call them.
    void Form_Activate();
    void btnStart_Click();
    void cmbRead_IFR_Click();
    void Command1_Click();
    void pic_Click(int index);
    void Timer1_Timer();

public Q_SLOTS:
    // A game-controller press, acted on only while this is the active window:
    // a step moves the selection as the arrow keys do, Turn turns the selected
    // card and Start and ReadFile press their buttons, each as a click does.
    // On a modal dialog or message box the press acts as a key does there.
    void padAction(PadAction action);

public:
    Game &game() { return m_game; }
    Board &board() { return m_board; }
    // Says text through the screen reader, if any; nothing for empty text.
    void announce(const QString &text);
    // What the player asks to hear at any time (S, or Y on a controller):
    // before a game what to do, during one the cards left and the seconds.
    QString gameState() const;

    QLineEdit *txtLoadIFR() const { return m_controls.txtLoadIFR; }
    QLabel *lblinfo() const { return m_controls.lblinfo; }
    QPushButton *cmbRead_IFR() const { return m_controls.cmbRead_IFR; }
    QLabel *Label1() const { return m_controls.Label1; }
    QLineEdit *txtNokori() const { return m_controls.txtNokori; }
    QLabel *Label2() const { return m_controls.Label2; }
    QLineEdit *txtTime() const { return m_controls.txtTime; }
    QWidget *Line1() const { return m_controls.Line1; }
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

    Platform &m_platform;
    Globals &m_globals;
    std::unique_ptr<OpenFileDialog> m_dialog;
    FrmMainControls m_controls;
    TurnNarration m_narration;
    WindowBoard m_board;
    Game m_game;
    // Gone before the controls, whose focus its selection follows.
    std::unique_ptr<BoardInput> m_input;
    Announcer *m_announcer = nullptr;

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
