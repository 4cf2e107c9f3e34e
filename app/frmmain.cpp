// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"

#include "app/accessibility.h"
#include "app/announcer.h"
#include "app/besttimesdialog.h"
#include "app/boardinput.h"
#include "app/cardbox.h"
#include "app/errorreport.h"
#include "app/practiceboard.h"
#include "app/qtplatform.h"
#include "app/settingsflow.h"
#include "app/shake.h"
#include "app/twips.h"
#include "common/errors.h"
#include "game/globals.h"
#include "game/platform.h"
#include "game/effectfilechoice.h"
#include "game/openfiledialog.h"
#include "game/practiceset.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace pelnori {

namespace {

QElapsedTimer startedClock()
{
    QElapsedTimer clock;
    clock.start();
    return clock;
}

} // namespace

frmMain::frmMain(Platform &platform, Globals &globals, std::unique_ptr<OpenFileDialog> dialog, QWidget *parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_globals(globals)
    , m_dialog(std::move(dialog))
    , m_board(*this, m_narration)
    , m_journal(platform, [clock = startedClock()] { return clock.elapsed(); })
    , m_game(m_board, platform, globals, [this] { ShakeWindow(m_board, m_platform); })
{
    setObjectName(QStringLiteral("frmMain"));
    installAccessibility();
    setWindowTitle(QtPlatform::title());
    setWindowIcon(QIcon(QStringLiteral(":/pelnori.png")));
    // A fixed dialog frame with the close box only, and no taskbar button:
    // a tool window everywhere but on macOS, where tool windows hide when
    // the program loses focus.
#ifdef Q_OS_MACOS
    Qt::WindowFlags flags = Qt::Dialog;
#else
    Qt::WindowFlags flags = Qt::Tool;
#endif
    flags |= Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
             | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    setFixedSize(twipsToPixels(3810), twipsToPixels(5385));

    m_game.setJournal(&m_journal);
    m_controls = FrmMainControls::build(*this);
    m_input = std::make_unique<BoardInput>(*this, m_controls);
    m_counters = std::make_unique<PlayersCounters>(*this, m_controls, m_narration);
    Seats &seats = m_game.seats();
    seats.setPacer(&m_pacer);
    seats.setView(m_counters.get());
    seats.setHand([this](int card) { computerTurns(card); });
    m_announcer = new Announcer(this);
    m_settingsFlow = std::make_unique<SettingsFlow>(*this, platform, globals);

    // The window's menu: one line an entry.
    m_menu.addEntry(QCoreApplication::translate("pelnori::frmMain", "設定..."),
                    [this] { dispatch("mnuSettings_Click", [this] { m_settingsFlow->openDialog(); }); });
    m_menu.addEntry(QCoreApplication::translate("pelnori::frmMain", "記録..."), [this] {
        dispatch("mnuRecords_Click", [this] {
            if (m_game.bestTimes())
                showBestTimes(this, *m_game.bestTimes());
        });
    });
    // The practice board stands beside a game, never in one.
    m_menu.addEntry(
        practiceBoardMenuText(),
        [this] {
            dispatch("mnuPractice_Click", [this] {
                if (m_globals.HapticControl)
                    showPracticeBoard(this, m_platform, *m_globals.HapticControl, m_board.effectPath(),
                                      m_game.pairsInPlay());
            });
        },
        [this] { return !m_game.gameRunning() && practiceBoardOffered(m_globals, m_board.effectPath()); });

    connect(m_controls.Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(m_controls.btnStart, &QPushButton::clicked, this, &frmMain::btnStart_Click);
    connect(m_controls.cmbRead_IFR, &QPushButton::clicked, this, &frmMain::cmbRead_IFR_Click);
    connect(m_controls.Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    for (CardBox *card : m_controls.pic)
        connect(card, &CardBox::clicked, this, [this, card](int index) { pic_Click(index, card->player()); });
}

frmMain::~frmMain() = default;

void frmMain::setCMDialog(std::unique_ptr<OpenFileDialog> dialog)
{
    m_dialog = std::move(dialog);
}

template<typename Handler>
void frmMain::dispatch(const char *name, Handler &&handler)
{
    if (m_platform.hasEnded())
        return;
    try {
        handler();
    } catch (const ProgramEnded &) {
        // The program ended inside one of the handler's yields.
    } catch (const std::exception &error) {
        if (!m_platform.hasEnded())
            m_platform.messageBox(errorReport(name, error), MessageIcon::Warning);
    }
}

bool frmMain::Form_Load(const HapticFactory &createControl)
{
    const bool loaded = pelnori::Form_Load(m_board, m_platform, m_globals, createControl, settings().pairs);
    // The control is there now: the effects play at the player's strength.
    if (loaded && m_globals.HapticControl)
        skipOnError([this] { m_globals.HapticControl->setStrength(settings().strength); });
    return loaded;
}

bool frmMain::applySettings(const Settings &settings)
{
    bool atOnce = true;
    dispatch("applySettings", [&] { atOnce = m_game.applySettings(settings); });
    setZoom(settings.zoom);
    setHighContrast(settings.highContrast);
    if (m_globals.HapticControl)
        skipOnError([&] { m_globals.HapticControl->setStrength(settings.strength); });
    return atOnce;
}

void frmMain::Form_Activate()
{
    dispatch("Form_Activate", [this] {
        centreInFrame();
        ShakeWindow(m_board, m_platform);
    });
}

void frmMain::btnStart_Click()
{
    ++m_starts;
    dispatch("btnStart_Click", [this] { m_game.btnStart_Click(); });
    --m_starts;
    // Once the cards can be turned: after the last deal when a start was
    // pressed during another, and not when the file let no game begin.
    if (m_starts == 0 && m_globals.EffectResource >= -1 && !m_platform.hasEnded())
        announce(QCoreApplication::translate("pelnori::frmMain", "配りました"));
}

void frmMain::cmbRead_IFR_Click()
{
    dispatch("cmbRead_IFR_Click", [this] {
        // The computer's turn is not interrupted.
        if (m_dialog && !m_game.seats().computerPlaying())
            pelnori::cmbRead_IFR_Click(*m_dialog, m_board, m_platform, m_globals, settings().pairs);
        // Another file was chosen: the game under way is over.
        if (m_globals.EffectResource == kFileChosenNoGame)
            m_journal.endGame(GameEnd::OtherFile);
    });
}

void frmMain::Command1_Click()
{
    dispatch("Command1_Click", [this] { close(); });
}

void frmMain::pic_Click(int index, std::optional<int> player)
{
    // Not this player's turn: the press does nothing, and says nothing.
    if (!m_game.seats().accepts(player))
        return;
    m_narration.pressed(index, cardFaceText(pic(index)->face()), txtNokori()->text());
    m_game.setTurnInput(pic(index)->input());
    dispatch("pic_Click", [this, index, player] { m_game.pic_Click(static_cast<std::int16_t>(index), player); });
    // A refused press says nothing more than its prompt.
    const QString said = m_narration.take();
    if (m_globals.EffectResource >= -1)
        announce(said);
}

void frmMain::computerTurns(int card)
{
    m_narration.pressed(card, cardFaceText(pic(card)->face()), txtNokori()->text(), cardName(card));
    m_game.setTurnInput(TurnInput::Computer);
    dispatch("pic_Click", [this, card] { m_game.pic_Click(static_cast<std::int16_t>(card)); });
    announce(m_narration.take());
}

void frmMain::Timer1_Timer()
{
    dispatch("Timer1_Timer", [this] { m_game.Timer1_Timer(); });
}

void frmMain::padAction(PadAction action, std::optional<int> player)
{
    // Y tells the state, as S does, and Back opens the menu, as the Menu key
    // does, while this is the active window.
    const bool onTop = QApplication::activeWindow() == this && !QApplication::activePopupWidget();
    if (action == PadAction::SayState) {
        if (onTop)
            announce(gameState());
        return;
    }
    if (action == PadAction::Menu) {
        if (onTop)
            openMenu({}, true);
        return;
    }
    m_input->padAction(action, player);
}

void frmMain::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_S && !modifiers) {
        announce(gameState());
        return;
    }
    if ((event->key() == Qt::Key_Menu && !modifiers) || (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        openMenu({}, true);
        return;
    }
    if (!m_input->arrowKey(event->key()))
        QWidget::keyPressEvent(event);
}

void frmMain::contextMenuEvent(QContextMenuEvent *event)
{
    // The Menu key comes as a key press first, and opens the menu there.
    if (event->reason() == QContextMenuEvent::Keyboard)
        return;
    openMenu(event->globalPos(), false);
}

void frmMain::openMenu(QPoint globalPos, bool fromKeys)
{
    if (!m_platform.hasEnded())
        m_menu.open(globalPos, fromKeys);
}

void frmMain::setZoom(int percent)
{
    if (percent == zoomPercent())
        return;
    setZoomPercent(percent);
    setFixedSize(twipsToPixels(3810), twipsToPixels(5385));
    m_controls.layOut();
    m_counters->layOut();
    m_input->updateMark();
    if (isVisible())
        centreWindow(m_board, m_platform);
}

void frmMain::setHighContrast(bool on)
{
    for (CardBox *card : m_controls.pic)
        card->setHighContrast(on);
}

void frmMain::announce(const QString &text)
{
    m_announcer->say(text);
}

QString frmMain::gameState() const
{
    const QString prompt = m_game.prompt();
    if (!prompt.isEmpty())
        return prompt;
    const Seats &seats = m_game.seats();
    if (!seats.turns().alone()) {
        const QString state = seats.playing() ? seats.turns().stateText() : seats.resultLine();
        return QCoreApplication::translate("pelnori::frmMain", "%1、%2秒").arg(state, txtTime()->text());
    }
    return QCoreApplication::translate("pelnori::frmMain", "残り%1枚、%2秒")
        .arg(txtNokori()->text(), txtTime()->text());
}

void frmMain::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_input->paintMark(painter);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Unloading the only window ends the program; loops that are yielding
    // stop at their next yield.
    m_controls.Timer1->stop();
    m_pacer.cancel();
    if (!m_platform.hasEnded()) {
        m_journal.endGame(GameEnd::Quit);
        m_platform.endProgram();
    }
    event->accept();
}

void frmMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The window becomes the program's active window once; focus coming back
    // from a message box or another program is not a new activation.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_activated) {
        m_activated = true;
        QMetaObject::invokeMethod(this, &frmMain::Form_Activate, Qt::QueuedConnection);
    }
}

} // namespace pelnori
