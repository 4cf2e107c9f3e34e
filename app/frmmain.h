// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/startup.h"
#include "game/board.h"
#include "game/game.h"
#include "game/openfiledialog.h"
#include "input/padaction.h"

#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pelnori {

class CardBox;
class CardSelection;
class Platform;
struct Globals;

// The program's one window: the effect-file row, the message row, the two
// counters, the board of sixteen cards and the start and quit buttons. It
// owns its controls, forwards their events to the handlers and reports any
// error a handler lets through in a message box, so the program goes on.
class frmMain : public QWidget, public Board
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

    QLineEdit *txtLoadIFR() const { return m_txtLoadIFR; }
    QLabel *lblinfo() const { return m_lblinfo; }
    QPushButton *cmbRead_IFR() const { return m_cmbRead_IFR; }
    QLabel *Label1() const { return m_label1; }
    QLineEdit *txtNokori() const { return m_txtNokori; }
    QLabel *Label2() const { return m_label2; }
    QLineEdit *txtTime() const { return m_txtTime; }
    QWidget *Line1() const { return m_line1; }
    CardBox *pic(int index) const { return m_pic.at(static_cast<std::size_t>(index)); }
    QPushButton *btnStart() const { return m_btnStart; }
    QPushButton *Command1() const { return m_command1; }
    QTimer *Timer1() { return &m_timer1; }
    OpenFileDialog *CMDialog() const { return m_dialog.get(); }
    void setCMDialog(std::unique_ptr<OpenFileDialog> dialog);

    // Board
    float cardLeft(int card) const override;
    float cardTop(int card) const override;
    void setCardLeft(int card, float twips) override;
    void setCardTop(int card, float twips) override;
    void clearCardPicture(int card) override;
    void loadCardPicture(int card, const QString &path) override;
    QString effectPath() const override;
    void setEffectPath(const QString &text) override;
    void setInfo(const QString &text) override;
    void setRemaining(const QString &text) override;
    QString elapsed() const override;
    void setElapsed(const QString &text) override;
    void setTimerInterval(int milliseconds) override;
    void repaintNow() override;
    float windowLeft() const override;
    float windowTop() const override;
    float windowWidth() const override;
    float windowHeight() const override;
    void setWindowLeft(float twips) override;
    void setWindowTop(float twips) override;

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
    void buildControls();
    void placeWindow();
    bool frameKnown() const;
    void centreInFrame();
    void holdPlace();

    Platform &m_platform;
    Globals &m_globals;
    std::unique_ptr<OpenFileDialog> m_dialog;
    Game m_game;

    QLineEdit *m_txtLoadIFR = nullptr;
    QLabel *m_lblinfo = nullptr;
    QPushButton *m_cmbRead_IFR = nullptr;
    QLabel *m_label1 = nullptr;
    QLineEdit *m_txtNokori = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_txtTime = nullptr;
    QWidget *m_line1 = nullptr;
    std::array<CardBox *, kCardCount> m_pic{};
    QPushButton *m_btnStart = nullptr;
    QPushButton *m_command1 = nullptr;
    QTimer m_timer1;
    // Gone before the controls, whose focus it follows.
    std::unique_ptr<CardSelection> m_selection;

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
