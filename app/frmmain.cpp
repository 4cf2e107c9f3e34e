// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"

#include "app/accessibility.h"
#include "app/cardbox.h"
#include "app/cardselection.h"
#include "app/dialogpad.h"
#include "app/errorreport.h"
#include "app/fonts.h"
#include "app/qtplatform.h"
#include "app/shake.h"
#include "app/twips.h"
#include "common/errors.h"
#include "game/globals.h"
#include "game/paths.h"
#include "game/platform.h"
#include "game/effectfilechoice.h"
#include "game/openfiledialog.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <cstdlib>
#include <utility>

namespace pelnori {

namespace {

// The light grey of scroll bars in the classic scheme, behind the text boxes.
const QColor kTextBoxBackground(200, 200, 200);

// How long after the window is first shown, and how often at most, a place
// that the window manager or a late report gives it is undone: the window
// manager places it and Qt catches up within a few tens of milliseconds,
// also on a busy machine.
constexpr int kHoldPlaceMs = 3000;
constexpr int kMaxPlaceRepairs = 5;

// A horizontal one-pixel rule in the window-text colour.
class LineShape : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawLine(0, 0, width() - 1, 0);
    }
};

QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(static_cast<float>(left)), twipsToPixels(static_cast<float>(top)),
            twipsToPixels(static_cast<float>(width)), twipsToPixels(static_cast<float>(height))};
}

QLineEdit *makeTextBox(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, kTextBoxBackground);
    box->setPalette(palette);
    return box;
}

// The counters only show numbers: read-only, centred.
void makeCounter(QLineEdit *box)
{
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setFont(designFont(fixedGothicFamily(), 9.75, true));
}

QLabel *makeLabel(QWidget *parent, const char *name, const QRect &geometry, const QString &text, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(false);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QRect &geometry, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

CardFace faceShownBy(const QString &picturePath)
{
    const QString file = QFileInfo(picturePath).fileName();
    if (file == kCardOpenFile)
        return CardFace::Open;
    if (file == kCardMatchedFile)
        return CardFace::Matched;
    return CardFace::Down;
}

} // namespace

frmMain::frmMain(Platform &platform, Globals &globals, std::unique_ptr<OpenFileDialog> dialog, QWidget *parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_globals(globals)
    , m_dialog(std::move(dialog))
    , m_game(*this, platform, globals, [this] { ShakeWindow(*this, m_platform); })
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

    buildControls();

    m_timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&m_timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(m_btnStart, &QPushButton::clicked, this, &frmMain::btnStart_Click);
    connect(m_cmbRead_IFR, &QPushButton::clicked, this, &frmMain::cmbRead_IFR_Click);
    connect(m_command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    for (CardBox *card : m_pic)
        connect(card, &CardBox::clicked, this, &frmMain::pic_Click);
}

frmMain::~frmMain() = default;

void frmMain::setCMDialog(std::unique_ptr<OpenFileDialog> dialog)
{
    m_dialog = std::move(dialog);
}

void frmMain::buildControls()
{
    m_txtLoadIFR = makeTextBox(this, "txtLoadIFR", twipsRect(60, 60, 3735, 315));
    m_lblinfo = makeLabel(this, "lblinfo", twipsRect(120, 480, 2415, 315), QString(),
                          designFont(fixedGothicFamily(), 12, true));
    m_cmbRead_IFR = makeButton(this, "cmbRead_IFR", twipsRect(2460, 480, 1335, 315),
                               QStringLiteral("IFRﾌｧｲﾙ読込..."));
    m_label1 = makeLabel(this, "Label1", twipsRect(60, 900, 795, 255), QStringLiteral("残り枚数"),
                         designFont(proportionalGothicFamily(), 9.75, false));
    m_txtNokori = makeTextBox(this, "txtNokori", twipsRect(840, 840, 375, 270));
    m_txtNokori->setText(QStringLiteral("16"));
    makeCounter(m_txtNokori);
    m_label2 = makeLabel(this, "Label2", twipsRect(1500, 900, 855, 195), QStringLiteral("経過時間"),
                         designFont(proportionalGothicFamily(), 9.75, false));
    m_txtTime = makeTextBox(this, "txtTime", twipsRect(2400, 840, 555, 270));
    makeCounter(m_txtTime);
    // A screen reader names each counter by its label, and the verdict line
    // and the path box by what they hold.
    m_label1->setBuddy(m_txtNokori);
    m_label2->setBuddy(m_txtTime);
    m_lblinfo->setAccessibleName(QStringLiteral("判定"));
    m_txtLoadIFR->setAccessibleName(QStringLiteral("IFRファイル"));

    m_line1 = new LineShape(this);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setGeometry(0, twipsToPixels(1140), twipsToPixels(3840), 1);
    m_line1->setAttribute(Qt::WA_TransparentForMouseEvents);

    const QPixmap back(QStringLiteral(":/Card.bmp"));
    for (int i = 0; i < kCardCount; ++i) {
        auto *card = new CardBox(i, this);
        card->setLeftTwips(gridLeft(i));
        card->setTopTwips(gridTop(i));
        card->setPicture(back);
        m_pic[static_cast<std::size_t>(i)] = card;
    }

    m_btnStart = makeButton(this, "btnStart", twipsRect(480, 4920, 1575, 375), QStringLiteral("Zolva開始"));
    m_command1 = makeButton(this, "Command1", twipsRect(2220, 4920, 1575, 375), QStringLiteral("終了"));

    // Tab order: the cards first, card 1 before card 0, then the buttons and boxes.
    QList<QWidget *> order{m_pic[1], m_pic[0]};
    for (int i = 2; i < kCardCount; ++i)
        order.append(m_pic[static_cast<std::size_t>(i)]);
    order << m_btnStart << m_command1 << m_txtLoadIFR << m_cmbRead_IFR << m_txtNokori << m_txtTime;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_selection = std::make_unique<CardSelection>(*this, m_pic);
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
    return pelnori::Form_Load(*this, m_platform, m_globals, createControl);
}

void frmMain::Form_Activate()
{
    dispatch("Form_Activate", [this] {
        centreInFrame();
        ShakeWindow(*this, m_platform);
    });
}

void frmMain::btnStart_Click()
{
    dispatch("btnStart_Click", [this] { m_game.btnStart_Click(); });
}

void frmMain::cmbRead_IFR_Click()
{
    dispatch("cmbRead_IFR_Click", [this] {
        if (m_dialog)
            pelnori::cmbRead_IFR_Click(*m_dialog, *this, m_platform, m_globals);
    });
}

void frmMain::Command1_Click()
{
    dispatch("Command1_Click", [this] { close(); });
}

void frmMain::pic_Click(int index)
{
    dispatch("pic_Click", [this, index] { m_game.pic_Click(static_cast<std::int16_t>(index)); });
}

void frmMain::Timer1_Timer()
{
    dispatch("Timer1_Timer", [this] { m_game.Timer1_Timer(); });
}

void frmMain::padAction(PadAction action)
{
    // Asked of the application: some styles call a tool window like this one
    // active whenever the program is. None of ours is active while the
    // player is in another program.
    QWidget *active = QApplication::activeWindow();
    if (!active)
        return;
    // A modal dialog or message box blocks the window, as it does the mouse,
    // and takes the press as the keys it stands for, so that no part of the
    // program needs a mouse.
    if (padToModalWindow(action))
        return;
    if (active != this || isDialogOnly(action))
        return;
    m_selection->showMark(true);
    switch (action) {
    case PadAction::Turn:
        m_selection->select();
        m_selection->card()->click();
        break;
    case PadAction::Start:
        m_btnStart->click();
        break;
    case PadAction::ReadFile:
        m_cmbRead_IFR->click();
        break;
    default:
        m_selection->step(action);
        break;
    }
}

void frmMain::keyPressEvent(QKeyEvent *event)
{
    // The arrow keys that a card leaves to its window.
    static constexpr std::pair<int, PadAction> kArrows[] = {{Qt::Key_Up, PadAction::Up},
                                                            {Qt::Key_Down, PadAction::Down},
                                                            {Qt::Key_Left, PadAction::Left},
                                                            {Qt::Key_Right, PadAction::Right}};
    for (const auto &[key, step] : kArrows) {
        if (event->key() == key) {
            m_selection->step(step);
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void frmMain::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_selection->paintMark(painter);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Unloading the only window ends the program; loops that are yielding
    // stop at their next yield.
    m_timer1.stop();
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
    centreWindow(*this, m_platform);
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
        m_pic[1]->setFocus(Qt::TabFocusReason);
    }
}

float frmMain::cardLeft(int card) const
{
    return pic(card)->leftTwips();
}

float frmMain::cardTop(int card) const
{
    return pic(card)->topTwips();
}

void frmMain::setCardLeft(int card, float twips)
{
    pic(card)->setLeftTwips(twips);
}

void frmMain::setCardTop(int card, float twips)
{
    pic(card)->setTopTwips(twips);
}

void frmMain::clearCardPicture(int card)
{
    pic(card)->clearPicture();
}

void frmMain::loadCardPicture(int card, const QString &path)
{
    // The face follows the picture the game asks for, so a screen reader
    // tells the card's state even when its file cannot be read.
    pic(card)->setFace(faceShownBy(path));
    if (!pic(card)->loadPicture(path))
        throw ImageLoadError(path);
}

QString frmMain::effectPath() const
{
    return m_txtLoadIFR->text();
}

void frmMain::setEffectPath(const QString &text)
{
    m_txtLoadIFR->setText(text);
}

void frmMain::setInfo(const QString &text)
{
    const QString before = m_lblinfo->text();
    m_lblinfo->setText(text);
    if (text != before) {
        QAccessibleTextUpdateEvent event(m_lblinfo, 0, before, text);
        QAccessible::updateAccessibility(&event);
    }
}

void frmMain::setRemaining(const QString &text)
{
    m_txtNokori->setText(text);
}

QString frmMain::elapsed() const
{
    return m_txtTime->text();
}

void frmMain::setElapsed(const QString &text)
{
    m_txtTime->setText(text);
}

void frmMain::setTimerInterval(int milliseconds)
{
    if (milliseconds <= 0)
        m_timer1.stop();
    else
        m_timer1.start(milliseconds);
}

void frmMain::repaintNow()
{
    if (isVisible())
        repaint();
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
