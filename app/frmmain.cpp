// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"

#include "app/accessibility.h"
#include "app/announcer.h"
#include "app/boardinput.h"
#include "app/cardbox.h"
#include "app/errorreport.h"
#include "app/qtplatform.h"
#include "app/shake.h"
#include "app/twips.h"
#include "common/errors.h"
#include "game/globals.h"
#include "game/platform.h"
#include "game/effectfilechoice.h"
#include "game/openfiledialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <utility>

namespace pelnori {

namespace {

// How long after the window is first shown, and how often at most, a place
// that the window manager or a late report gives it is undone: the window
// manager places it and Qt catches up within a few tens of milliseconds,
// also on a busy machine.
constexpr int kHoldPlaceMs = 3000;
constexpr int kMaxPlaceRepairs = 5;

} // namespace

frmMain::frmMain(Platform &platform, Globals &globals, std::unique_ptr<OpenFileDialog> dialog, QWidget *parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_globals(globals)
    , m_dialog(std::move(dialog))
    , m_board(*this, m_narration)
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

    m_controls = FrmMainControls::build(*this);
    m_input = std::make_unique<BoardInput>(*this, m_controls);
    m_announcer = new Announcer(this);

    connect(m_controls.Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(m_controls.btnStart, &QPushButton::clicked, this, &frmMain::btnStart_Click);
    connect(m_controls.cmbRead_IFR, &QPushButton::clicked, this, &frmMain::cmbRead_IFR_Click);
    connect(m_controls.Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    for (CardBox *card : m_controls.pic)
        connect(card, &CardBox::clicked, this, &frmMain::pic_Click);
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
    return pelnori::Form_Load(m_board, m_platform, m_globals, createControl);
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
        if (m_dialog)
            pelnori::cmbRead_IFR_Click(*m_dialog, m_board, m_platform, m_globals);
    });
}

void frmMain::Command1_Click()
{
    dispatch("Command1_Click", [this] { close(); });
}

void frmMain::pic_Click(int index)
{
    m_narration.pressed(index, cardFaceText(pic(index)->face()), txtNokori()->text());
    dispatch("pic_Click", [this, index] { m_game.pic_Click(static_cast<std::int16_t>(index)); });
    // A refused press says nothing more than its prompt.
    const QString said = m_narration.take();
    if (m_globals.EffectResource >= -1)
        announce(said);
}

void frmMain::Timer1_Timer()
{
    dispatch("Timer1_Timer", [this] { m_game.Timer1_Timer(); });
}

void frmMain::padAction(PadAction action)
{
    // Y tells the state, as S does, while this is the active window.
    if (action == PadAction::SayState) {
        if (QApplication::activeWindow() == this)
            announce(gameState());
        return;
    }
    m_input->padAction(action);
}

void frmMain::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_S && !(event->modifiers() & ~Qt::KeypadModifier)) {
        announce(gameState());
        return;
    }
    if (!m_input->arrowKey(event->key()))
        QWidget::keyPressEvent(event);
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
    if (!m_platform.hasEnded())
        m_platform.endProgram();
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

void frmMain::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    centreInFrame();
    holdPlace();
}

bool frmMain::frameKnown() const
{
    // While the window manager takes the window in, Qt may report a frame
    // of 1 x 1 pixels; a real frame holds the client area.
    const QSize frame = frameGeometry().size();
    return frame != size() && frame.width() >= width() && frame.height() >= height();
}

void frmMain::centreInFrame()
{
    // Start-up centres the window before it is shown, when Qt does not yet
    // know the frame the window manager puts around it. As soon as the frame
    // is known, before the window is first painted, it is centred once more
    // by its real outer size.
    if (m_centredInFrame || !isVisible() || !frameKnown())
        return;
    m_centredInFrame = true;
    centreWindow(m_board, m_platform);
}

void frmMain::holdPlace()
{
    // The window manager places a new window by its own rules, and on a busy
    // machine its placement, or a place Qt reports late, can come after our
    // own move. For a short while after the window is first shown such a
    // place is undone; a move within our own rounding (the shake's steps
    // reported late) is left alone, and a few undos are the most, so a window
    // manager that insists, or a player who drags at once, wins.
    const QSize frame = frameGeometry().size();
    if (m_holdPlaceUntil.hasExpired() || m_placeRepairs >= kMaxPlaceRepairs || !isVisible()
        || frame.width() < width() || frame.height() < height())
        return;
    const QPoint placed(twipsToPixels(m_left), twipsToPixels(m_top));
    if (std::abs(pos().x() - placed.x()) <= 2 && std::abs(pos().y() - placed.y()) <= 2)
        return;
    ++m_placeRepairs;
    placeWindow();
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_focusSet) {
        m_focusSet = true;
        m_holdPlaceUntil.setRemainingTime(kHoldPlaceMs);
        m_controls.pic[1]->setFocus(Qt::TabFocusReason);
    }
}

float frmMain::windowLeft() const
{
    // The player may have dragged the window since it was last placed: then
    // its real place counts. Within a pixel or two it is our own rounding.
    if (std::abs(pos().x() - twipsToPixels(m_left)) > 2)
        return pixelsToTwips(pos().x());
    return m_left;
}

float frmMain::windowTop() const
{
    if (std::abs(pos().y() - twipsToPixels(m_top)) > 2)
        return pixelsToTwips(pos().y());
    return m_top;
}

float frmMain::windowWidth() const
{
    return pixelsToTwips(frameGeometry().width());
}

float frmMain::windowHeight() const
{
    return pixelsToTwips(frameGeometry().height());
}

void frmMain::setWindowLeft(float twips)
{
    m_top = windowTop();
    m_left = twips;
    placeWindow();
}

void frmMain::setWindowTop(float twips)
{
    m_left = windowLeft();
    m_top = twips;
    placeWindow();
}

void frmMain::placeWindow()
{
    move(twipsToPixels(m_left), twipsToPixels(m_top));
}

} // namespace pelnori
