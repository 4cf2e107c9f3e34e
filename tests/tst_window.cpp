// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/announcer.h"
#include "app/besttimesdialog.h"
#include "app/cardbox.h"
#include "app/commondialog.h"
#include "app/contrastfaces.h"
#include "app/dialogpad.h"
#include "app/fonts.h"
#include "app/frmmain.h"
#include "app/settingsdialog.h"
#include "app/settingsflow.h"
#include "app/twips.h"
#include "game/besttimestore.h"
#include "app/practiceboard.h"
#include "game/globals.h"
#include "game/journalfile.h"
#include "game/paths.h"
#include "game/settingsstore.h"
#include "translations/translations.h"
#include "fakes/captionfit.h"
#include "fakes/fakedialog.h"
#include "fakes/fakehaptic.h"
#include "fakes/fakepacer.h"
#include "fakes/fakeplatform.h"
#include "fakes/rowlanguage.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <map>

using namespace pelnori;
using namespace pelnori::test;

namespace {

// The real window over fakes, loaded as start-up loads it. The program
// folder is the test's own, where the build puts the card images.
struct Window
{
    explicit Window(int effects = 10)
    {
        platform.folder = QCoreApplication::applicationDirPath();
        loaded = window.Form_Load([&](const QString &) -> std::unique_ptr<HapticInterface> {
            auto control = std::make_unique<FakeHaptic>();
            control->addFile(programFile(platform.folder, kDefaultEffectFile), effects);
            haptic = control.get();
            return control;
        });
    }

    FakePlatform platform;
    Globals globals;
    frmMain window{platform, globals, nullptr};
    FakeHaptic *haptic = nullptr;
    bool loaded = false;
};

QImage imageOf(const CardBox *card)
{
    return card->picture().toImage().convertToFormat(QImage::Format_RGB32);
}

QString fileImagePath(const QString &name)
{
    return programFile(QCoreApplication::applicationDirPath(), name);
}

QImage fileImage(const QString &name)
{
    return QImage(fileImagePath(name)).convertToFormat(QImage::Format_RGB32);
}

bool showActive(Window &w)
{
    w.window.show();
    w.platform.ended = true; // the queued activation passes without a shake...
    const bool active = QTest::qWaitForWindowActive(&w.window);
    QCoreApplication::processEvents();
    w.platform.ended = false; // ...and the program goes on
    return active;
}

// The player's inputs, in order: arrow keys, Space, Return, the keypad's
// Enter or Escape on the focused control; pad presses; "click" with the mouse
// on the focused control; "press" is a screen reader's press action on it;
// "button" moves the focus to the start button; "practice" opens the practice
// board over the window and plays the inputs after it there.
void play(Window &w, const QString &inputs)
{
    static const std::map<QString, Qt::Key> keys{
        {QStringLiteral("Up"), Qt::Key_Up},       {QStringLiteral("Down"), Qt::Key_Down},
        {QStringLiteral("Left"), Qt::Key_Left},   {QStringLiteral("Right"), Qt::Key_Right},
        {QStringLiteral("Space"), Qt::Key_Space}, {QStringLiteral("Return"), Qt::Key_Return},
        {QStringLiteral("Enter"), Qt::Key_Enter}, {QStringLiteral("Escape"), Qt::Key_Escape}};
    static const std::map<QString, PadAction> pad{
        {QStringLiteral("padUp"), PadAction::Up},       {QStringLiteral("padDown"), PadAction::Down},
        {QStringLiteral("padLeft"), PadAction::Left},   {QStringLiteral("padRight"), PadAction::Right},
        {QStringLiteral("padTurn"), PadAction::Turn},   {QStringLiteral("padStart"), PadAction::Start},
        {QStringLiteral("padFile"), PadAction::ReadFile}, {QStringLiteral("padCancel"), PadAction::Cancel},
        {QStringLiteral("padNext"), PadAction::NextField}, {QStringLiteral("padPrevious"), PadAction::PreviousField},
        {QStringLiteral("padMenu"), PadAction::Menu}};
    QStringList rest = inputs.split(u' ', Qt::SkipEmptyParts);
    while (!rest.isEmpty()) {
        const QString input = rest.takeFirst();
        // On a menu or a dialog, the keys go where the keyboard's would.
        QWidget *modal = QApplication::activeModalWidget();
        QWidget *focused = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                           : modal                           ? modal->focusWidget()
                                                             : w.window.focusWidget();
        if (input == u"practice") {
            QTimer::singleShot(0, &w.window, [&w, rest] {
                QWidget *board = QApplication::activeModalWidget();
                QVERIFY(QTest::qWaitForWindowActive(board));
                QCOMPARE(clippedCaptions(*board), QStringList());
                // A screen reader meets the first card as a button named by its effect.
                QAccessibleInterface *card = QAccessible::queryAccessibleInterface(board->focusWidget());
                QCOMPARE(card->role(), QAccessible::Button);
                QCOMPARE(card->text(QAccessible::Name), QStringLiteral("fx0"));
                play(w, rest.join(u' '));
                if (QApplication::activeModalWidget() == board) {
                    board->close();
                    QFAIL("the practice board stayed open");
                }
            });
            showPracticeBoard(&w.window, w.platform, *w.globals.HapticControl, w.window.txtLoadIFR()->text(), 8);
            return;
        }
        if (keys.count(input))
            QTest::keyClick(focused, keys.at(input), input == u"Enter" ? Qt::KeypadModifier : Qt::NoModifier);
        else if (pad.count(input))
            w.window.padAction(pad.at(input));
        else if (input == u"click")
            QTest::mouseClick(focused, Qt::LeftButton);
        else if (input == u"press") {
            QAccessible::queryAccessibleInterface(focused)->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
            QCoreApplication::processEvents();
        } else if (input == u"button")
            w.window.btnStart()->setFocus();
        else if (input == u"Tab" || input == u"Escape" || input == u"Menu")
            QTest::keyClick(focused, input == u"Tab" ? Qt::Key_Tab : input == u"Escape" ? Qt::Key_Escape : Qt::Key_Menu);
        else if (input == u"ShiftF10")
            QTest::keyClick(focused, Qt::Key_F10, Qt::ShiftModifier);
        else if (input == u"rightClick") {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), focused->mapToGlobal(QPoint(5, 5)));
            QCoreApplication::sendEvent(focused, &event);
        } else
            QFAIL(qPrintable(input));
    }
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void controlsStandWhereDesigned_data();
    void controlsStandWhereDesigned();
    void captionsAndInitialTexts();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void fontsAreJapaneseGothicAtDesignSizes_data();
    void fontsAreJapaneseGothicAtDesignSizes();
    void frameIsFixedWithCloseBoxOnly();
    void tabOrderStartsWithSecondCard();
    void cardsShowEmbeddedBackBeforeFirstGame();
    void positionsReadBackExactlyInTwips();
    void activationShakesOnceAndWindowReturns();
    void gamePlayedWithMouseClicksEndsWithMessage();
    void doubleClickCountsAsOneClick();
    void uncaughtErrorIsReportedAndPlayGoesOn_data();
    void uncaughtErrorIsReportedAndPlayGoesOn();
    void quitEndsProgramAndNoHandlerRunsAfter();
    void quitDuringAnimationStopsAtOnce();
    void quitDuringEndShakeShowsNoMessage();
    void keysAndPadPlayTheBoard_data();
    void keysAndPadPlayTheBoard();
    void screenReaderHearsEachPress_data();
    void screenReaderHearsEachPress();
    void padConfirmsProgramsOwnMessage();
    void padWorksTheOpenDialog_data();
    void padWorksTheOpenDialog();
    void focusMarkShowsForKeysAndPadOnly_data();
    void focusMarkShowsForKeysAndPadOnly();
    void zoomScalesTheWholeWindow_data();
    void zoomScalesTheWholeWindow();
    void highContrastFacesDifferByShapeAndBrightness();
    void menuAndSettingsWorkByKeysAndPad_data();
    void menuAndSettingsWorkByKeysAndPad();
    void settingsDialogNamesEachControl_data();
    void settingsDialogNamesEachControl();
    void controllerButtonCapturedByPress_data();
    void controllerButtonCapturedByPress();
    void strengthTrialPlaysOneEffectAndRestores_data();
    void strengthTrialPlaysOneEffectAndRestores();
    void cleanup();
    void cardsOutOfPlayAreOutOfReach_data();
    void cardsOutOfPlayAreOutOfReach();
    void bestTimesListEachFileAndClearAfterAsking_data();
    void bestTimesListEachFileAndClearAfterAsking();
};

void WindowTest::initTestCase()
{
    installFontSubstitutions();
    // Qt's file dialog remembers its last folder in the user's settings.
    QStandardPaths::setTestModeEnabled(true);
}

void WindowTest::cleanup()
{
    setZoomPercent(100); // the size is the whole program's
}

void WindowTest::controlsStandWhereDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    // Design positions in twips, 15 to the pixel.
    QTest::newRow("txtLoadIFR") << "txtLoadIFR" << QRect(4, 4, 249, 21);
    QTest::newRow("lblinfo") << "lblinfo" << QRect(8, 32, 161, 21);
    QTest::newRow("cmbRead_IFR") << "cmbRead_IFR" << QRect(164, 32, 89, 21);
    QTest::newRow("Label1") << "Label1" << QRect(4, 60, 53, 17);
    QTest::newRow("txtNokori") << "txtNokori" << QRect(56, 56, 25, 18);
    QTest::newRow("Label2") << "Label2" << QRect(100, 60, 57, 13);
    QTest::newRow("txtTime") << "txtTime" << QRect(160, 56, 37, 18);
    QTest::newRow("Line1") << "Line1" << QRect(0, 76, 256, 1);
    QTest::newRow("pic(0)") << "pic(0)" << QRect(0, 80, 61, 57);
    QTest::newRow("pic(5)") << "pic(5)" << QRect(64, 140, 61, 57);
    QTest::newRow("pic(15)") << "pic(15)" << QRect(192, 260, 61, 57);
    QTest::newRow("btnStart") << "btnStart" << QRect(32, 328, 105, 25);
    QTest::newRow("Command1") << "Command1" << QRect(148, 328, 105, 25);
}

void WindowTest::controlsStandWhereDesigned()
{
    QFETCH(QString, name);
    Window w;
    QCOMPARE(w.window.size(), QSize(254, 359));
    auto *control = w.window.findChild<QWidget *>(name);
    QVERIFY(control);
    QTEST(control->geometry(), "pixels");
}

void WindowTest::captionsAndInitialTexts()
{
    Window w;
    QVERIFY(w.loaded);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Pelnori"));
    QCOMPARE(w.window.cmbRead_IFR()->text(), QStringLiteral("IFRﾌｧｲﾙ読込..."));
    QCOMPARE(w.window.Label1()->text(), QStringLiteral("残り枚数"));
    QCOMPARE(w.window.Label2()->text(), QStringLiteral("経過時間"));
    QCOMPARE(w.window.btnStart()->text(), QStringLiteral("Zolva開始"));
    QCOMPARE(w.window.Command1()->text(), QStringLiteral("終了"));
    QCOMPARE(w.window.txtNokori()->text(), QStringLiteral("16"));
    QCOMPARE(w.window.txtTime()->text(), QString());
    QCOMPARE(w.window.lblinfo()->text(), QString());
    QCOMPARE(w.window.txtLoadIFR()->text(), QCoreApplication::applicationDirPath() + QStringLiteral("/tremka.ifr"));
    QCOMPARE(w.globals.EffectResource, kFileChosenNoGame);
    QVERIFY(!w.window.Timer1()->isActive());
    QVERIFY(!w.window.btnStart()->isDefault() && !w.window.btnStart()->autoDefault());
    QVERIFY(!w.window.txtLoadIFR()->isReadOnly());
    const QColor grey = w.window.txtTime()->palette().color(QPalette::Base);
    QCOMPARE(w.window.txtLoadIFR()->palette().color(QPalette::Base), grey);
    QVERIFY(grey.lightness() > 150 && grey.saturation() == 0);
}

void WindowTest::captionsFitTheirControls_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("verdicts");
    QTest::addColumn<int>("zoom");
    const QStringList japanese{"正解！", "残念、違います。", "2Pの番", "コンピューターの番", "あなたの番"};
    const QStringList english{"A pair!", "Not a pair.", "Player 2's turn", "The computer's turn", "Your turn"};
    QTest::newRow("Japanese") << "ja" << japanese << 100;
    QTest::newRow("English") << "en" << english << 100;
    for (int zoom : {150, 200, 300}) {
        QTest::addRow("Japanese at %d %%", zoom) << "ja" << japanese << zoom;
        QTest::addRow("English at %d %%", zoom) << "en" << english << zoom;
    }
}

void WindowTest::captionsFitTheirControls()
{
    QFETCH(QString, language);
    QFETCH(QStringList, verdicts);
    QFETCH(int, zoom);
    const Translations texts(language);
    Window w;
    w.window.setZoom(zoom);
    QCOMPARE(clippedCaptions(w.window), QStringList());
    // The verdict line holds either verdict, and whose turn it is.
    for (const QString &verdict : verdicts) {
        w.window.board().setInfo(verdict);
        QCOMPARE(clippedCaptions(w.window), QStringList());
    }
    // The counters' labels of each way to play.
    for (Players players : {Players::Two, Players::Computer}) {
        w.window.game().seats().choose(players, ComputerLevel::Normal);
        w.window.game().seats().newGame();
        QVERIFY(w.window.lblPlayer2()->isVisibleTo(&w.window));
        QCOMPARE(clippedCaptions(w.window), QStringList());
    }
    // The settings dialog, as shown: at the window's size too.
    SettingsDialog dialog(Settings{}, [](int) {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(clippedCaptions(dialog), QStringList());
}

void WindowTest::fontsAreJapaneseGothicAtDesignSizes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("fixedPitch");
    QTest::newRow("lblinfo") << "lblinfo" << 12.0 << true << true;
    QTest::newRow("Label1") << "Label1" << 9.75 << false << false;
    QTest::newRow("txtNokori") << "txtNokori" << 9.75 << true << true;
    QTest::newRow("Label2") << "Label2" << 9.75 << false << false;
    QTest::newRow("txtTime") << "txtTime" << 9.75 << true << true;
}

void WindowTest::fontsAreJapaneseGothicAtDesignSizes()
{
    QFETCH(QString, name);
    QFETCH(bool, fixedPitch);
    Window w;
    const QFont font = w.window.findChild<QWidget *>(name)->font();
    QTEST(font.pointSizeF(), "points");
    QTEST(font.bold(), "bold");
    QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    const QFontInfo info(font);
    const QStringList expected = fixedPitch ? QStringList{QStringLiteral("IPAGothic")}
                                            : QStringList{QStringLiteral("IPAPGothic")};
    QVERIFY2(expected.contains(info.family()), qPrintable(info.family()));
    QVERIFY(QFontMetrics(font).inFont(QChar(u'残')));
}

void WindowTest::frameIsFixedWithCloseBoxOnly()
{
    Window w;
    const Qt::WindowFlags flags = w.window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // A tool window has no taskbar button.
    QCOMPARE(w.window.windowType(), Qt::Tool);
    QCOMPARE(w.window.minimumSize(), w.window.maximumSize());
}

void WindowTest::tabOrderStartsWithSecondCard()
{
    Window w;
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    QCOMPARE(QApplication::focusWidget(), w.window.pic(1));
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 21; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QStringList expected{QStringLiteral("pic(1)"), QStringLiteral("pic(0)")};
    for (int i = 2; i < 16; ++i)
        expected << QStringLiteral("pic(%1)").arg(i);
    expected << QStringLiteral("btnStart") << QStringLiteral("Command1") << QStringLiteral("txtLoadIFR")
             << QStringLiteral("cmbRead_IFR") << QStringLiteral("txtNokori") << QStringLiteral("txtTime");
    QCOMPARE(order, expected);
    w.platform.ended = true; // let the queued activation pass without a shake
}

void WindowTest::cardsShowEmbeddedBackBeforeFirstGame()
{
    Window w;
    const QImage back = QImage(QStringLiteral(":/Card.bmp")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(back.size(), QSize(59, 60));
    QCOMPARE(back, fileImage(QStringLiteral("Card.bmp")));
    for (int i = 0; i < kCardCount; ++i)
        QCOMPARE(imageOf(w.window.pic(i)), back);
}

void WindowTest::positionsReadBackExactlyInTwips()
{
    Window w;
    w.window.board().setCardLeft(3, 1234.5f);
    w.window.board().setCardTop(3, 2583.25f);
    QCOMPARE(w.window.board().cardLeft(3), 1234.5f);
    QCOMPARE(w.window.board().cardTop(3), 2583.25f);
    QCOMPARE(w.window.pic(3)->pos(), QPoint(82, 172));
    w.window.setWindowLeft(7649.5f);
    w.window.setWindowTop(4740.0f);
    QCOMPARE(w.window.windowLeft(), 7649.5f);
    QCOMPARE(w.window.windowTop(), 4740.0f);
    QCOMPARE(w.window.pos(), QPoint(510, 316));
}

void WindowTest::activationShakesOnceAndWindowReturns()
{
    Window w;
    w.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTRY_COMPARE(w.platform.yields, 21);
    // Centred again by the frame once it is known, and back there after the shake.
    const QRect frame = w.window.frameGeometry();
    QVERIFY(frame.size() != w.window.size());
    QCOMPARE(w.window.windowLeft(), (w.platform.screenWidth - 15.0f * frame.width()) / 2);
    QCOMPARE(w.window.windowTop(), (w.platform.screenHeight - 15.0f * frame.height()) / 2);
    // Focus returning from a message box is no new activation.
    w.platform.messageBox(QStringLiteral("x"), MessageIcon::None);
    w.window.activateWindow();
    QTest::qWait(20);
    QCOMPARE(w.platform.yields, 21);
}

void WindowTest::gamePlayedWithMouseClicksEndsWithMessage()
{
    Window w;
    QTest::mouseClick(w.window.btnStart(), Qt::LeftButton);
    QVERIFY(w.globals.EffectResource >= 0);
    QCOMPARE(w.window.Timer1()->interval(), 900);
    QVERIFY(w.window.Timer1()->isActive());
    for (int i = 0; i < kCardCount; ++i)
        QCOMPARE(w.window.pic(i)->pos(), QPoint(64 * (i % 4), 80 + 60 * (i / 4)));
    QCOMPARE(imageOf(w.window.pic(7)), fileImage(QStringLiteral("Card.bmp")));

    w.window.board().setElapsed(QStringLiteral("83"));
    const CardSlots cards = *w.globals.Cards;
    QList<int> done;
    for (int i = 0; i < kCardCount; ++i) {
        if (done.contains(i))
            continue;
        for (int j = i + 1; j < kCardCount; ++j) {
            if (cards[i].EffectName == cards[j].EffectName) {
                QTest::mouseClick(w.window.pic(i), Qt::LeftButton);
                QCOMPARE(imageOf(w.window.pic(i)), fileImage(QStringLiteral("Cardopen.bmp")));
                QTest::mouseClick(w.window.pic(j), Qt::LeftButton);
                done << i << j;
                break;
            }
        }
    }
    QCOMPARE(w.window.txtNokori()->text(), QStringLiteral("0"));
    QCOMPARE(w.window.lblinfo()->text(), QStringLiteral("正解！"));
    QVERIFY(!w.window.Timer1()->isActive());
    QCOMPARE(w.platform.messages.back().text, QStringLiteral("83秒で全部揃いました。"));
    QCOMPARE(imageOf(w.window.pic(0)), fileImage(QStringLiteral("Cardsumi.bmp")));
    QCOMPARE(w.haptic->started.size(), 16);
}

void WindowTest::doubleClickCountsAsOneClick()
{
    Window w;
    w.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    // A double click arrives as press, release, press, double click, release.
    CardBox *card = w.window.pic(4);
    const QPoint centre = card->rect().center();
    QTest::mousePress(card, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(card, Qt::LeftButton, {}, centre);
    QTest::mousePress(card, Qt::LeftButton, {}, centre);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, centre, card->mapToGlobal(centre), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(card, &doubleClick);
    QTest::mouseRelease(card, Qt::LeftButton, {}, centre);
    // Before any game the click brings the start prompt: once.
    QCOMPARE(w.platform.messages.size(), 1u);
    w.platform.ended = true;
}

void WindowTest::uncaughtErrorIsReportedAndPlayGoesOn_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("report"); // %1: the file's path
    QTest::newRow("card image unreadable") << "image" << "カードの画像ファイルを読み込めません。\r\n%1";
    QTest::newRow("effect file raises") << "effects" << "IFRファイルを読み込めません。\r\n%1";
    QTest::newRow("no haptic control") << "control"
                                       << "フォースフィードバック機器を使用できません。\r\n使用環境をもう一度お確かめください。";
    QTest::newRow("English: card image unreadable") << "image" << "Cannot read the card image file.\r\n%1";
    QTest::newRow("English: effect file raises") << "effects" << "Cannot read the IFR file.\r\n%1";
    QTest::newRow("English: no haptic control")
        << "control" << "The force-feedback device cannot be used.\r\nPlease check your setup.";
}

// Regression: the report showed the handler's name and the error's raw, partly English text.
void WindowTest::uncaughtErrorIsReportedAndPlayGoesOn()
{
    QFETCH(QString, failure);
    QFETCH(QString, report);
    const Translations texts(rowLanguage());
    Window w;
    QTemporaryDir empty;
    QString file;
    if (failure == QLatin1String("image")) {
        w.platform.folder = empty.path(); // no card images there
        file = empty.path() + QStringLiteral("/Card.bmp");
    } else if (failure == QLatin1String("effects")) {
        file = w.window.txtLoadIFR()->text();
        w.haptic->files[file].openThrows = true;
    } else {
        w.globals.HapticControl.reset();
    }
    QTest::mouseClick(w.window.btnStart(), Qt::LeftButton);
    QCOMPARE(w.platform.messages.size(), 1u);
    QCOMPARE(w.platform.messages[0].icon, MessageIcon::Warning);
    QCOMPARE(w.platform.messages[0].text, report.replace(QStringLiteral("%1"), file));
    QVERIFY(!w.platform.hasEnded());
    // The program goes on: a card click is handled as before a game.
    QTest::mouseClick(w.window.pic(2), Qt::LeftButton);
    QCOMPARE(w.platform.messages.size(), 2u);
    QCOMPARE(w.platform.messages[1].text, rowLanguage() == u"en"
                                              ? QStringLiteral("Press \"New game\" to start a game.")
                                              : QStringLiteral("ゲームを開始するにはZolva開始ボタンを押してください"));
}

void WindowTest::quitEndsProgramAndNoHandlerRunsAfter()
{
    Window w;
    w.window.show();
    QTest::mouseClick(w.window.Command1(), Qt::LeftButton);
    QVERIFY(w.platform.hasEnded());
    QVERIFY(!w.window.isVisible());
    w.window.btnStart_Click();
    w.window.pic_Click(3);
    w.window.Timer1_Timer();
    QCOMPARE(w.platform.yields, 0);
    QVERIFY(w.platform.messages.empty());
    QVERIFY(w.haptic->calls.filter(QStringLiteral("Start")).isEmpty());
}

void WindowTest::quitDuringAnimationStopsAtOnce()
{
    Window w;
    w.platform.onYield = [&](int n) {
        if (n == 20)
            QTest::mouseClick(w.window.Command1(), Qt::LeftButton);
        QVERIFY(n <= 20);
    };
    QTest::mouseClick(w.window.btnStart(), Qt::LeftButton);
    QCOMPARE(w.platform.yields, 20);
    QVERIFY(w.platform.messages.empty());
    QVERIFY(!w.window.Timer1()->isActive());
    QCOMPARE(w.window.board().cardTop(0), 1200.0f + 200.0f);
}

void WindowTest::quitDuringEndShakeShowsNoMessage()
{
    Window w;
    QTest::mouseClick(w.window.btnStart(), Qt::LeftButton);
    for (CardSlot &slot : *w.globals.Cards)
        slot.Matched = -1;
    (*w.globals.Cards)[0].Matched = 0;
    (*w.globals.Cards)[1].Matched = 0;
    (*w.globals.Cards)[1].EffectName = (*w.globals.Cards)[0].EffectName;
    const int yieldsBefore = w.platform.yields;
    w.platform.onYield = [&](int n) {
        if (n == yieldsBefore + 5)
            QTest::mouseClick(w.window.Command1(), Qt::LeftButton);
    };
    QTest::mouseClick(w.window.pic(0), Qt::LeftButton);
    QTest::mouseClick(w.window.pic(1), Qt::LeftButton);
    QVERIFY(w.platform.hasEnded());
    QCOMPARE(w.platform.yields, yieldsBefore + 5);
    QVERIFY(w.platform.messages.empty());
}

void WindowTest::keysAndPadPlayTheBoard_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<bool>("active");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("arrows") << 1 << "Right Down Down Left" << true << "card 9 selected";
    QTest::newRow("arrows stop at the top and left") << 1 << "Up Left Left Up" << true << "card 0 selected";
    QTest::newRow("arrows stop at the right and bottom")
        << 6 << "Right Right Down Down Down" << true << "card 15 selected";
    QTest::newRow("pad") << 1 << "padRight padDown padDown padLeft" << true << "card 9 selected";
    QTest::newRow("pad stops at the edges") << 12 << "padDown padLeft padDown" << true << "card 12 selected";
    QTest::newRow("pad comes back from a button") << 6 << "button padRight" << true << "card 6 selected";
    QTest::newRow("arrows and pad mixed") << 0 << "Right padDown Down padLeft" << true << "card 8 selected";
    QTest::newRow("Space") << 9 << "Space" << true << "card 9 selected, open";
    QTest::newRow("Return") << 9 << "Return" << true << "card 9 selected, open";
    QTest::newRow("keypad Enter") << 9 << "Enter" << true << "card 9 selected, open";
    QTest::newRow("pad Turn") << 9 << "padTurn" << true << "card 9 selected, open";
    QTest::newRow("pad Turn from a button: the last card") << 9 << "button padTurn" << true << "card 9 selected, open";
    QTest::newRow("screen reader's press") << 9 << "press" << true << "card 9 selected, open";
    QTest::newRow("English: screen reader's press") << 9 << "press" << true << "card 9 selected, open";
    QTest::newRow("pad Start") << 9 << "padStart" << true << "card 9 selected, dealt";
    QTest::newRow("pad ReadFile") << 9 << "padFile" << true << "card 9 selected, dialog";
    QTest::newRow("pad Turn, another window active") << 9 << "padTurn" << false << "card 9 selected";
    QTest::newRow("pad Start, another window active") << 9 << "padStart" << false << "card 9 selected";
    QTest::newRow("pad step, another window active") << 9 << "padRight padTurn" << false << "card 9 selected";
    QTest::newRow("B and the shoulders: dialogs only") << 9 << "padCancel padNext padPrevious" << true
                                                        << "card 9 selected";
    // The board shows the file's first effects in order, four to a row.
    QTest::newRow("practice board: keys") << 9 << "practice Right Space Escape" << true
                                          << "card 9 selected, practice felt fx1";
    QTest::newRow("practice board: pad") << 9 << "practice padRight padDown padTurn padCancel" << true
                                         << "card 9 selected, practice felt fx5";
    QTest::newRow("English: practice board: screen reader's press") << 9 << "practice Down press Escape" << true
                                                                     << "card 9 selected, practice felt fx4";
}

void WindowTest::keysAndPadPlayTheBoard()
{
    QFETCH(int, from);
    QFETCH(QString, inputs);
    QFETCH(bool, active);
    const Translations texts(rowLanguage());
    Window w;
    auto dialog = std::make_unique<FakeDialog>();
    FakeDialog &shown = *dialog;
    w.window.setCMDialog(std::move(dialog));
    QVERIFY(showActive(w));
    QTest::mouseClick(w.window.btnStart(), Qt::LeftButton);
    w.window.pic(from)->setFocus();
    QWidget other;
    if (!active) {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    const int yields = w.platform.yields;
    const std::int32_t resource = w.globals.EffectResource;
    play(w, inputs);

    const auto *selected = qobject_cast<CardBox *>(w.window.focusWidget());
    QVERIFY(selected);
    QStringList outcome{QStringLiteral("card %1 selected").arg(selected->index())};
    const QImage open = fileImage(QStringLiteral("Cardopen.bmp"));
    for (int i = 0; i < kCardCount; ++i) {
        if (imageOf(w.window.pic(i)) == open)
            outcome << (i == selected->index() ? QStringLiteral("open") : QStringLiteral("card %1 open").arg(i));
    }
    if (w.platform.yields > yields)
        outcome << QStringLiteral("dealt");
    if (shown.shows > 0)
        outcome << QStringLiteral("dialog");
    // What the player felt: in the game the turned card's effect, or nothing;
    // on the practice board's own handle what it played.
    QStringList felt;
    for (const QString &call : w.haptic->calls.filter(QRegularExpression(QStringLiteral("^Start ")))) {
        const QStringList parts = call.split(u' ');
        if (parts[2].toInt() == w.globals.EffectResource)
            felt << parts[1];
        else
            outcome << QStringLiteral("practice felt ") + parts[1];
    }
    QTEST(outcome.join(u", "), "outcome");
    const bool turned = outcome.contains(QStringLiteral("open"));
    QCOMPARE(felt, turned ? QStringList{(*w.globals.Cards)[selected->index()].EffectName} : QStringList{});
    // The game goes on: its clock runs and its handle is the same.
    QVERIFY(w.window.Timer1()->isActive());
    if (!outcome.contains(QStringLiteral("dealt")))
        QCOMPARE(w.globals.EffectResource, resource);
    // What a screen reader says of the card.
    QAccessibleInterface *card = QAccessible::queryAccessibleInterface(w.window.pic(9));
    if (rowLanguage() == u"en") {
        QCOMPARE(card->text(QAccessible::Name), QStringLiteral("Card in row 3, column 2"));
        QCOMPARE(card->text(QAccessible::Description), turned ? QStringLiteral("face up") : QStringLiteral("face down"));
    } else {
        QCOMPARE(card->text(QAccessible::Name), QStringLiteral("3行目 2列目のカード"));
        QCOMPARE(card->text(QAccessible::Description), turned ? QStringLiteral("表向き") : QStringLiteral("裏向き"));
    }
}

void WindowTest::padConfirmsProgramsOwnMessage()
{
    Window w;
    QVERIFY(showActive(w));
    QMessageBox box(QMessageBox::Information, QStringLiteral("Pelnori"),
                    QStringLiteral("ゲームを開始するにはZolva開始ボタンを押してください"), QMessageBox::Ok, &w.window);
    bool stillOpen = false;
    QTimer::singleShot(0, &box, [&] {
        QVERIFY(QTest::qWaitForWindowActive(&box));
        w.window.padAction(PadAction::Right); // a step on a message does nothing
        stillOpen = box.isVisible();
        w.window.padAction(PadAction::Turn);
    });
    QTimer::singleShot(3000, &box, [&] { box.done(-1); });
    QCOMPARE(box.exec(), int(QMessageBox::Ok));
    QVERIFY(stillOpen);
    QVERIFY(w.haptic->started.isEmpty());
    QCOMPARE(w.window.focusWidget(), w.window.pic(1));
}

void WindowTest::padWorksTheOpenDialog_data()
{
    QTest::addColumn<QString>("inputs"); // in the dialog, once its list is filled
    QTest::addColumn<QString>("path");   // in the path box afterwards
    QTest::newRow("choose the second file") << "padPrevious padDown padDown padTurn" << "b.ifr";
    QTest::newRow("the file under the cursor") << "padPrevious padTurn" << "a.ifr";
    QTest::newRow("down, up, Start") << "padPrevious padDown padDown padUp padStart" << "a.ifr";
    QTest::newRow("cancel") << "padPrevious padDown padCancel" << "c.ifr";
    QTest::newRow("to the buttons and cancel") << "padNext padNext padTurn" << "c.ifr";
}

// Regression: a player with only a controller was stuck in the Open dialog.
void WindowTest::padWorksTheOpenDialog()
{
    QFETCH(QString, inputs);
    QTemporaryDir folder;
    for (const char *name : {"a.ifr", "b.ifr"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Window w;
    w.haptic->addFile(folder.filePath(QStringLiteral("a.ifr")), 8);
    w.haptic->addFile(folder.filePath(QStringLiteral("b.ifr")), 8);
    w.window.setCMDialog(std::make_unique<CommonDialog>(&w.window, CommonDialog::Style::QtWidgets));
    w.window.board().setEffectPath(folder.filePath(QStringLiteral("c.ifr")));
    QVERIFY(showActive(w));

    QPointer<QFileDialog> dialog;
    bool closedByPad = false;
    QTimer::singleShot(0, &w.window, [&] {
        dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        // It opens in the folder of the file in the path box; the list is
        // filled, and then sorted, a little later.
        auto *list = dialog->findChild<QListView *>(QStringLiteral("listView"));
        QTRY_COMPARE(list->model()->index(1, 0, list->rootIndex()).data().toString(), QStringLiteral("b.ifr"));
        play(w, inputs);
        closedByPad = !dialog->isVisible();
    });
    QTimer::singleShot(10000, &w.window, [&] {
        if (dialog)
            dialog->reject();
    });
    play(w, QStringLiteral("padFile"));
    QVERIFY(closedByPad);
    QFETCH(QString, path);
    QCOMPARE(w.window.txtLoadIFR()->text(), folder.filePath(path));
}

void WindowTest::focusMarkShowsForKeysAndPadOnly_data()
{
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("ring"); // its thickness on the top, right, bottom and left
    QTest::newRow("at start-up") << "" << 1 << "";
    QTest::newRow("mouse") << "click" << 1 << "";
    QTest::newRow("arrow keys") << "Right Left" << 1 << "3 3 3 3";
    QTest::newRow("Space") << "Space" << 1 << "3 3 3 3";
    QTest::newRow("pad") << "padRight padLeft" << 1 << "3 3 3 3";
    QTest::newRow("keys, then the mouse") << "Right Left click" << 1 << "";
    QTest::newRow("the mouse, then the pad") << "click padDown padUp" << 1 << "3 3 3 3";
    // Regression: at the window's edge the ring lost its outer side.
    QTest::newRow("top-left corner") << "Left" << 0 << "3 3 3 3";
    QTest::newRow("bottom-right corner") << "padDown padDown padDown padRight padRight" << 15 << "3 3 3 3";
    QTest::newRow("left edge, then the mouse") << "Left Down click" << 4 << "";
}

void WindowTest::focusMarkShowsForKeysAndPadOnly()
{
    QFETCH(QString, inputs);
    QFETCH(int, selected);
    QFETCH(QString, ring);
    Window w;
    QVERIFY(showActive(w));
    const QImage before = w.window.grab().toImage();
    play(w, inputs);
    QCOMPARE(w.window.focusWidget(), w.window.pic(selected));
    const QImage after = w.window.grab().toImage();
    if (ring.isEmpty()) {
        QCOMPARE(after, before); // hidden, the mark changes no pixel
        return;
    }
    // No card changes a pixel for the mark, but for the selected card's
    // outermost pixels where it touches the window's edge.
    const QRect inside = w.window.rect().marginsRemoved(QMargins(3, 3, 3, 3));
    for (int i = 0; i < kCardCount; ++i) {
        const QRect card = w.window.pic(i)->geometry();
        const QRect kept = i == selected ? card.intersected(inside) : card;
        QCOMPARE(after.copy(kept), before.copy(kept));
    }
    // On the line through the card's centre, near each side: the pixels that
    // turned black.
    const QRect card = w.window.pic(selected)->geometry();
    const QPoint centre = card.center();
    const auto turned = [&](QPoint from, QPoint step) {
        int count = 0;
        for (int i = 0; i < 12; ++i, from += step) {
            if (after.rect().contains(from) && after.pixelColor(from) == QColor(Qt::black)
                && before.pixelColor(from) != QColor(Qt::black))
                ++count;
        }
        return QString::number(count);
    };
    const QStringList sides{turned({centre.x(), card.top() - 6}, {0, 1}), turned({card.right() - 5, centre.y()}, {1, 0}),
                            turned({centre.x(), card.bottom() - 5}, {0, 1}), turned({card.left() - 6, centre.y()}, {1, 0})};
    QCOMPARE(sides.join(u' '), ring);
}

void WindowTest::screenReaderHearsEachPress_data()
{
    // A is a card, a its partner, B another card; S asks for the game's state.
    // Presses that begin with "two" or "computer" play with two at the
    // table; C is the computer's move after its pause.
    QTest::addColumn<bool>("dealt");
    QTest::addColumn<QString>("presses");
    QTest::addColumn<QString>("said");
    QTest::newRow("first card") << true << "A" << "表向き";
    QTest::newRow("the deal over") << true << "" << "配りました";
    QTest::newRow("a missed pair") << true << "A B" << "表向き。残念、違います。";
    QTest::newRow("a found pair") << true << "A a" << "揃った。正解！ 残り14枚";
    QTest::newRow("the open card again") << true << "A A" << "表向き";
    QTest::newRow("a matched card again: no count") << true << "A a A" << "揃った";
    QTest::newRow("the state during a game") << true << "A a S" << "残り14枚、83秒";
    QTest::newRow("a card before a game: its prompt only") << false << "A" << "";
    QTest::newRow("the state on the pad's Y") << true << "A a Y" << "残り14枚、83秒";
    QTest::newRow("the state before a game") << false << "S"
                                             << "ゲームを開始するにはZolva開始ボタンを押してください";
    QTest::newRow("two: a miss, and whose turn") << true << "two A B" << "表向き。残念、違います。 2Pの番";
    QTest::newRow("two: a pair, and whose turn") << true << "two A a" << "揃った。正解！ 1Pの番";
    QTest::newRow("two: the state") << true << "two A B S" << "1P 0組、2P 0組、2Pの番、83秒";
    QTest::newRow("computer: its card and its place") << true << "computer A B C" << "1行目 2列目のカード 表向き";
    QTest::newRow("computer: the state in its turn") << true << "computer A B C Y"
                                                     << "あなた 0組、コンピューター 0組、コンピューターの番、83秒";
    QTest::newRow("English: the deal over") << true << "" << "Cards dealt";
    // Regression: "face up Not a pair." ran the state into the verdict.
    QTest::newRow("English: a missed pair") << true << "A B" << "face up. Not a pair.";
    QTest::newRow("English: a found pair") << true << "A a" << "matched. A pair! 14 cards left";
}

// A screen reader kept quiet about everything but the focused card: the
// turned card's state, the verdict and the cards left were never heard.
void WindowTest::screenReaderHearsEachPress()
{
    QFETCH(bool, dealt);
    QFETCH(QString, presses);
    QFETCH(QString, said);
    FakePacer pacer; // outlives the window's game
    const Translations texts(rowLanguage());
    Window w;
    w.window.game().seats().setPacer(&pacer);
    QStringList inputs = presses.split(u' ', Qt::SkipEmptyParts);
    if (!inputs.isEmpty() && (inputs.first() == u"two" || inputs.first() == u"computer"))
        w.window.game().seats().choose(inputs.takeFirst() == u"two" ? Players::Two : Players::Computer,
                                       ComputerLevel::Normal);
    if (dealt)
        QTest::mouseClick(w.window.btnStart(), Qt::LeftButton);
    w.window.board().setElapsed(QStringLiteral("83"));
    int partner = -1, other = -1;
    for (int i = 1; i < kCardCount && dealt; ++i)
        (w.globals.Cards->at(std::size_t(i)).EffectName == w.globals.Cards->at(0).EffectName ? partner : other) = i;
    // The computer turns the first card it does not know.
    w.platform.draws.assign(64, 0.0f);
    for (const QString &press : inputs) {
        if (press == u"C")
            QVERIFY(pacer.fire() && pacer.fire());
        else if (press == u"S")
            QTest::keyClick(&w.window, Qt::Key_S);
        else if (press == u"Y" && showActive(w))
            w.window.padAction(PadAction::SayState);
        else
            QTest::mouseClick(w.window.pic(press == u"A" ? 0 : press == u"a" ? partner : other), Qt::LeftButton);
    }
    QCOMPARE(w.window.findChild<Announcer *>()->text(), said);
}

void WindowTest::zoomScalesTheWholeWindow_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("card5");
    QTest::addColumn<int>("verdictPixels"); // the verdict line's 12 points
    QTest::addColumn<int>("step");          // the shake's 20 twips, in pixels
    QTest::newRow("100 %") << 100 << QSize(254, 359) << QRect(64, 140, 61, 57) << 16 << 1;
    QTest::newRow("150 %") << 150 << QSize(381, 539) << QRect(96, 210, 92, 86) << 24 << 2;
    QTest::newRow("200 %") << 200 << QSize(508, 718) << QRect(128, 280, 122, 114) << 32 << 3;
    QTest::newRow("300 %") << 300 << QSize(762, 1077) << QRect(192, 420, 183, 171) << 48 << 4;
}

void WindowTest::zoomScalesTheWholeWindow()
{
    QFETCH(int, zoom);
    Window w;
    w.window.setZoom(zoom);
    QTEST(w.window.size(), "client");
    QTEST(w.window.pic(5)->geometry(), "card5");
    QTEST(QFontInfo(w.window.lblinfo()->font()).pixelSize(), "verdictPixels");
    w.window.setWindowLeft(1500.0f);
    const int before = w.window.pos().x();
    w.window.setWindowLeft(1520.0f);
    QTEST(w.window.pos().x() - before, "step");
    // Shown, the window is centred again at once by its new size.
    QVERIFY(showActive(w));
    w.window.setZoom(zoom == 100 ? 200 : 100);
    w.window.setZoom(zoom);
    const QRect frame = w.window.frameGeometry();
    QCOMPARE(w.window.windowLeft(), (w.platform.screenWidth - frame.width() * 1500.0f / zoom) / 2);
    QCOMPARE(w.window.windowTop(), (w.platform.screenHeight - frame.height() * 1500.0f / zoom) / 2);
    // At 200 and 300 % each pixel of a card's picture is a square of whole pixels.
    if (zoom % 100 == 0) {
        CardBox *card = w.window.pic(0);
        const QImage drawn = card->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage picture = imageOf(card);
        const QRect inner = card->contentsRect();
        const int k = zoom / 100;
        for (int y = 0; y < inner.height(); ++y) {
            for (int x = 0; x < inner.width(); ++x) {
                if (drawn.pixel(inner.left() + x, inner.top() + y) != picture.pixel(x / k, y / k))
                    QFAIL(qPrintable(QStringLiteral("picture pixel at (%1, %2)").arg(x).arg(y)));
            }
        }
    }
}

void WindowTest::highContrastFacesDifferByShapeAndBrightness()
{
    const QSize size(57, 53);
    const auto brightness = [](const QImage &image) {
        qint64 sum = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                sum += qGray(image.pixel(x, y));
        return sum / (image.width() * image.height());
    };
    std::map<CardFace, QImage> faces;
    for (CardFace face : {CardFace::Down, CardFace::Open, CardFace::Matched}) {
        faces[face] = contrastFace(face, size).toImage().convertToFormat(QImage::Format_RGB32);
        // A white band along the edges: the black focus mark, where it lies
        // over a card at the window's edge, stays visible on each face.
        for (int x = 0; x < size.width(); ++x)
            for (int y : {0, 1, size.height() - 2, size.height() - 1})
                QCOMPARE(QColor(faces[face].pixel(x, y)), QColor(Qt::white));
    }
    // Bright, middling and dark.
    QVERIFY(brightness(faces[CardFace::Open]) > 170);
    QVERIFY(brightness(faces[CardFace::Down]) > 110 && brightness(faces[CardFace::Down]) < 160);
    QVERIFY(brightness(faces[CardFace::Matched]) < 95);

    // On the cards at once, and each follows its card's face.
    Window w;
    w.window.setHighContrast(true);
    const auto shown = [&w](int card) {
        const QRect inner = w.window.pic(card)->contentsRect();
        return w.window.pic(card)->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(inner);
    };
    QCOMPARE(shown(3), faces[CardFace::Down]);
    w.window.board().loadCardPicture(3, fileImagePath(QStringLiteral("Cardsumi.bmp")));
    QCOMPARE(shown(3), faces[CardFace::Matched]);
    w.window.setHighContrast(false);
    QCOMPARE(shown(3), fileImage(QStringLiteral("Cardsumi.bmp")).copy(QRect(QPoint(0, 0), size)));
}

void WindowTest::menuAndSettingsWorkByKeysAndPad_data()
{
    QTest::addColumn<QString>("open");   // on the window
    QTest::addColumn<QString>("menu");   // once the menu is open
    QTest::addColumn<QString>("dialog"); // once the dialog is open
    QTest::addColumn<bool>("midGame");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("outcome"); // what changed; what the player was told; whether kept
    QTest::newRow("Shift+F10, Enter, OK") << "ShiftF10" << "Return" << "Return" << false << true
                                          << "as designed; 設定を変更しました。; kept";
    QTest::newRow("Menu key, fewer pairs") << "Menu" << "Return" << "Up Up Return" << false << true
                                           << "pairs 4; 設定を変更しました。; kept";
    QTest::newRow("right click, Escape") << "rightClick" << "Down Return" << "Up Escape" << false << true
                                         << "as designed; ; not kept";
    QTest::newRow("pad: size and high contrast")
        << "padMenu" << "padTurn"
        << "padNext padNext padNext padNext padNext padNext padDown padDown padNext padTurn padStart" << false << true
        << "zoom 200, high contrast; 設定を変更しました。; kept";
    QTest::newRow("pad: softer, sound") << "padMenu" << "padDown padUp padTurn"
                                        << "padNext padNext padUp padNext padNext padTurn padStart" << false << true
                                        << "strength 90, sound; 設定を変更しました。; kept";
    QTest::newRow("pad: B closes the menu") << "padMenu" << "padCancel" << "" << false << true << "no dialog";
    QTest::newRow("pad: B closes the dialog") << "padMenu" << "padTurn" << "padUp padCancel" << false << true
                                              << "as designed; ; not kept";
    QTest::newRow("mid-game: pairs from the next game") << "ShiftF10" << "Return" << "Up Return" << true << true
                                                        << "pairs 6; ペアの数は次のゲームから変わります。; kept";
    QTest::newRow("language: at the next start")
        << "ShiftF10" << "Return" << "Tab Tab Tab Tab Tab Tab Tab Tab Down Return" << false << true
        << "language ja; 言語は次回の起動から変わります。; kept";
    QTest::newRow("mid-game: two players from the next game")
        << "ShiftF10" << "Return" << "Tab Down Return" << true << true
        << "players two; 遊び方は次のゲームから変わります。; kept";
    // The level is offered once the computer is chosen.
    QTest::newRow("English: pad, the computer, strong")
        << "padMenu" << "padTurn" << "padNext padDown padDown padNext padDown padStart" << false << true
        << "players computer, level strong; Settings changed.; kept";
    QTest::newRow("mid-game: journal from the next game")
        << "ShiftF10" << "Return" << "Tab Tab Tab Tab Tab Space Return" << true << true
        << "journal, 1 line; プレイ記録は次のゲームから残ります。; kept";
    QTest::newRow("a store that cannot write") << "ShiftF10" << "Return" << "Up Up Return" << false << false
                                               << "pairs 4; 設定を保存できませんでした。今回の実行中だけ有効です。; not kept";
    QTest::newRow("English: a store that cannot write")
        << "ShiftF10" << "Return" << "Up Up Return" << false << false
        << "pairs 4; The settings could not be kept. They apply until the program ends.; not kept";
}

void WindowTest::menuAndSettingsWorkByKeysAndPad()
{
    QFETCH(QString, open);
    QFETCH(QString, menu);
    QFETCH(QString, dialog);
    QFETCH(bool, midGame);
    QFETCH(bool, writable);
    const Translations texts(rowLanguage());
    // The play journal's default file goes under a home of the test's own.
    QTemporaryDir home;
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    const auto homeBack = qScopeGuard([&realHome] { qputenv("HOME", realHome); });
    QTemporaryDir folder;
    // A file where the store's folder should be.
    QFile(folder.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
    const SettingsStore store(folder.filePath(writable ? QStringLiteral("pelnori.conf") : QStringLiteral("file/pelnori.conf")));
    Window w;
    w.window.settingsFlow().setStore(&store);
    QVERIFY(showActive(w));
    if (midGame)
        QTest::mouseClick(w.window.btnStart(), Qt::LeftButton);

    // Each script is played once its window is up; the menu and the dialog
    // wait in their own loops meanwhile.
    QTimer driver;
    connect(&driver, &QTimer::timeout, &w.window, [&] {
        if (QApplication::activePopupWidget() && !menu.isNull()) {
            play(w, std::exchange(menu, QString()));
        } else if (qobject_cast<SettingsDialog *>(QApplication::activeModalWidget()) && !dialog.isNull()
                   && QApplication::activeModalWidget()->isActiveWindow()) {
            play(w, std::exchange(dialog, QString()));
        }
    });
    driver.start(0);
    QTimer::singleShot(10000, &w.window, [] {
        if (QApplication::activePopupWidget())
            QApplication::activePopupWidget()->close();
        if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            modal->reject();
    });
    play(w, open);
    driver.stop();
    QVERIFY2(menu.isNull(), "the menu did not open");
    if (!dialog.isNull()) {
        QTEST(QStringLiteral("no dialog"), "outcome");
        return;
    }

    const Settings now = w.window.settings();
    const Settings designed;
    QStringList changed;
    if (now.pairs != designed.pairs)
        changed << QStringLiteral("pairs %1").arg(now.pairs);
    if (now.strength != designed.strength)
        changed << QStringLiteral("strength %1").arg(now.strength);
    if (now.zoom != designed.zoom)
        changed << QStringLiteral("zoom %1").arg(now.zoom);
    if (now.highContrast)
        changed << QStringLiteral("high contrast");
    if (now.sound)
        changed << QStringLiteral("sound");
    if (now.language != designed.language)
        changed << QStringLiteral("language ") + now.language;
    static const QStringList players{"one", "two", "computer"}, levels{"easy", "normal", "strong"};
    if (now.players != designed.players)
        changed << QStringLiteral("players ") + players.value(int(now.players));
    if (now.computerLevel != designed.computerLevel)
        changed << QStringLiteral("level ") + levels.value(int(now.computerLevel));
    const QString told = w.platform.messages.empty() ? w.window.findChild<Announcer *>()->text()
                                                     : w.platform.messages.back().text;
    const QString kept = QFile::exists(store.path()) ? QStringLiteral("kept") : QStringLiteral("not kept");
    // The next game is played as chosen, and it alone goes to the journal.
    QTest::mouseClick(w.window.btnStart(), Qt::LeftButton);
    QCOMPARE(w.window.game().seats().turns().players(), now.players);
    QTest::mouseClick(w.window.btnStart(), Qt::LeftButton);
    QFile journal(defaultJournalFile());
    const auto lines = journal.open(QIODevice::ReadOnly) ? journal.readAll().count('\n') : 0;
    if (now.journal || lines > 0)
        changed << QStringLiteral("journal, %1 line").arg(lines);
    const QStringList outcome{changed.isEmpty() ? QStringLiteral("as designed") : changed.join(u", "), told, kept};
    QTEST(outcome.join(u"; "), "outcome");
    // Applied at once: the strength felt, the window's size.
    QCOMPARE(w.haptic->strength, now.strength);
    QCOMPARE(zoomPercent(), now.zoom);
}

void WindowTest::settingsDialogNamesEachControl_data()
{
    QTest::addColumn<PadAction>("step"); // how the player moves on: Tab, or the right shoulder
    QTest::addColumn<Players>("players");
    QTest::addColumn<QStringList>("heard");
    QTest::newRow("Japanese, Tab") << PadAction::Start << Players::One
                                   << QStringList{"ペアの数: 8", "遊び方: 一人", "効果の強さ: 100 %", "効果の強さを試す",
                                                  "音でも遊ぶ", "プレイ記録を残す", "表示の大きさ: 100 %", "見やすいカード",
                                                  "言語: 自動 (言語は次回の起動から変わります。)", "使うコントローラー: 自動",
                                                  "カードをめくる: A", "ゲーム開始: Start", "効果ファイル: X", "状態を聞く: Y",
                                                  "ボタンを元に戻す", "スティックの遊び: 25 %", "OK", "キャンセル"};
    QTest::newRow("English: the shoulder")
        << PadAction::NextField << Players::One
        << QStringList{"Pairs: 8", "Players: One player", "Effect strength: 100 %", "Try the effect strength",
                       "Play by ear too", "Keep a play journal", "Size: 100 %", "High-contrast cards",
                       "Language: Automatic (The language changes at the next start.)", "Controller to use: Automatic",
                       "Turn a card: A", "New game: Start", "Effect file: X", "Hear the state: Y", "Reset the buttons",
                       "Stick dead zone: 25 %", "OK", "Cancel"};
    // The computer's level and the controllers only when they are used.
    QTest::newRow("English: against the computer")
        << PadAction::NextField << Players::Computer
        << QStringList{"Pairs: 8", "Players: Against the computer", "Computer's level: Normal", "Swap the controllers",
                       "Effect strength: 100 %"};
}

// What a screen reader says of each control as the focus comes to it.
void WindowTest::settingsDialogNamesEachControl()
{
    QFETCH(PadAction, step);
    QFETCH(Players, players);
    QFETCH(QStringList, heard);
    const Translations texts(rowLanguage());
    Settings settings;
    settings.players = players;
    SettingsDialog dialog(settings, [](int) {});
    dialog.setModal(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QStringList said;
    while (said.size() < heard.size()) {
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        QString name = control->text(QAccessible::Name);
        // A list box is named by its label, and says its value through its
        // text, where a screen reader reads it.
        if (control->role() == QAccessible::ComboBox) {
            const auto labels = control->relations(QAccessible::Label);
            QAccessibleTextInterface *value = control->textInterface();
            QVERIFY2(value, "a choice without text: a screen reader hears no value");
            name = (labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name)) + QStringLiteral(": ")
                   + value->text(0, value->characterCount());
        }
        if (!control->text(QAccessible::Description).isEmpty())
            name += QStringLiteral(" (%1)").arg(control->text(QAccessible::Description));
        said << name;
        if (step == PadAction::NextField)
            QVERIFY(padToModalWindow(step));
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(said, heard);
}

void WindowTest::controllerButtonCapturedByPress_data()
{
    QTest::addColumn<QStringList>("pressed"); // the controller's buttons, by SDL's names
    QTest::addColumn<QString>("turn");        // the turn button afterwards
    QTest::addColumn<QString>("shown");       // what its control says
    QTest::addColumn<QString>("status");
    QTest::newRow("B is given") << QStringList{"b"} << "b" << "B" << "";
    QTest::newRow("a button of another action is refused")
        << QStringList{"start"} << "a" << "A" << "Startは「ゲーム開始」に使っています。";
    QTest::newRow("Back cancels") << QStringList{"back", "b"} << "a" << "A" << "";
    QTest::newRow("Guide is passed over") << QStringList{"guide", "rightshoulder"} << "rightshoulder" << "RB" << "";
}

// The turn button is pressed in the dialog, then a button on the controller.
void WindowTest::controllerButtonCapturedByPress()
{
    QFETCH(QStringList, pressed);
    std::function<void(const QString &)> sink;
    SettingsDialog dialog(Settings{}, {}, nullptr, ControllerHooks{{}, [&sink](auto to) { sink = std::move(to); }, {}});
    auto *turn = dialog.findChild<QPushButton *>(QStringLiteral("turnButton"));
    QVERIFY(turn);
    turn->click();
    QVERIFY(sink);
    QCOMPARE(turn->text(), QStringLiteral("ボタンを押す…"));
    for (const QString &button : pressed) {
        if (const auto call = sink) // the call may end the capture
            call(button);
    }
    QVERIFY(!sink); // the capture has ended
    QTEST(dialog.settings().turnButton, "turn");
    QTEST(turn->text(), "shown");
    QTEST(dialog.findChild<QLabel *>(QStringLiteral("captureStatus"))->text(), "status");
}

void WindowTest::strengthTrialPlaysOneEffectAndRestores_data()
{
    QTest::addColumn<bool>("gameFile"); // a game has opened a file of 8 effects
    QTest::addColumn<int>("effects");   // in the path box's file; -1: none there
    QTest::addColumn<bool>("refuses");  // the control refuses to start effects
    QTest::addColumn<QString>("felt");
    QTest::newRow("the path box's file") << false << 8 << false << "fx0 at 50";
    QTest::newRow("the game's file") << true << -1 << false << "game0 at 50";
    QTest::newRow("no file") << false << -1 << false << "";
    QTest::newRow("a file without effects") << false << 0 << false << "";
    QTest::newRow("refused") << false << 8 << true << "";
}

void WindowTest::strengthTrialPlaysOneEffectAndRestores()
{
    QFETCH(bool, gameFile);
    QFETCH(int, effects);
    QFETCH(bool, refuses);
    struct Felt : FakeHaptic
    {
        QStringList felt;
        void StartEffect(const QString &name, std::int32_t handle) override
        {
            FakeHaptic::StartEffect(name, handle);
            felt << QStringLiteral("%1 at %2").arg(name).arg(strength);
        }
    } control;
    control.strength = 80;
    control.startThrows = refuses;
    control.files.insert(QStringLiteral("/game.ifr"), FakeFile{{"game0", "game1"}});
    if (effects >= 0)
        control.addFile(QStringLiteral("/box.ifr"), effects);
    const std::int32_t handle = gameFile ? control.OpenForceResource(QStringLiteral("/game.ifr")) : kFileChosenNoGame;
    QFETCH(QString, felt);
    QCOMPARE(playStrengthTrial(control, handle, QStringLiteral("/box.ifr"), 50, 80), !felt.isEmpty());
    QCOMPARE(control.felt.join(u", "), felt);
    QCOMPARE(control.strength, 80);
}

void WindowTest::cardsOutOfPlayAreOutOfReach_data()
{
    QTest::addColumn<int>("pairs");
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<int>("selected");
    QTest::newRow("4 pairs: arrows stop at row 2") << 4 << 5 << "Down Down" << 5;
    QTest::newRow("4 pairs: pad stops at row 2") << 4 << 6 << "padDown padRight" << 7;
    QTest::newRow("6 pairs: arrows stop at row 3") << 6 << 1 << "Down Down Down Down" << 9;
    QTest::newRow("8 pairs: every row") << 8 << 1 << "Down Down Down" << 13;
}

void WindowTest::cardsOutOfPlayAreOutOfReach()
{
    QFETCH(int, pairs);
    QFETCH(int, from);
    QFETCH(QString, inputs);
    Window w;
    Settings settings;
    settings.pairs = pairs;
    QVERIFY(w.window.applySettings(settings));
    QVERIFY(showActive(w));
    QCOMPARE(w.window.txtNokori()->text(), QString::number(2 * pairs));
    w.window.pic(from)->setFocus();
    play(w, inputs);
    QFETCH(int, selected);
    QCOMPARE(w.window.focusWidget(), static_cast<QWidget *>(w.window.pic(selected)));
    for (int card = 0; card < kCardCount; ++card) {
        const bool inPlay = card < 2 * pairs;
        QCOMPARE(w.window.pic(card)->isVisible(), inPlay);
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(w.window.pic(card));
        QCOMPARE(reader->state().invisible, !inPlay);
        QCOMPARE(reader->actionInterface()->actionNames().isEmpty(), !inPlay);
    }
    // Tab goes from the last card in play to the start button.
    w.window.pic(2 * pairs - 1)->setFocus();
    QTest::keyClick(w.window.focusWidget(), Qt::Key_Tab);
    QCOMPARE(w.window.focusWidget(), w.window.btnStart());
}

void WindowTest::bestTimesListEachFileAndClearAfterAsking_data()
{
    QTest::addColumn<QStringList>("cells"); // the first row, after a header
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("none"); // what the dialog says of itself once cleared
    QTest::newRow("Japanese") << QStringList{"エフェクトファイル", "4ペア", "6ペア", "8ペア", "a.ifr", "20秒", "なし", "41秒"}
                              << "すべての記録を消しますか？" << "まだ記録がありません。";
    QTest::newRow("English") << QStringList{"Effect file", "4 pairs", "6 pairs", "8 pairs", "a.ifr", "20 s", "none",
                                            "41 s"}
                             << "Clear all best times?" << "No best times yet.";
}

void WindowTest::bestTimesListEachFileAndClearAfterAsking()
{
    QFETCH(QStringList, cells);
    const Translations texts(QLatin1String(QTest::currentDataTag()) == u"English" ? "en" : "ja");
    QTemporaryDir folder;
    const auto effectFile = [&folder](const char *name, const QByteArray &contents) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        file.open(QIODevice::WriteOnly);
        file.write(contents);
        return file.fileName();
    };
    BestTimeStore store(folder.filePath(QStringLiteral("besttimes.txt")));
    store.addGame(effectFile("b.ifr", "two"), 6, 33);
    store.addGame(effectFile("a.ifr", "one"), 8, 41);
    store.addGame(effectFile("a.ifr", "one"), 4, 20);

    BestTimesDialog dialog(store);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(clippedCaptions(dialog).join(u"; "), QString());
    QTableWidget *table = dialog.table();
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(table);
    QVERIFY(!reader->text(QAccessible::Name).isEmpty());
    QCOMPARE(QAccessible::queryAccessibleInterface(&dialog)->text(QAccessible::Description), QString());
    QAccessibleTableInterface *cellsRead = reader->tableInterface();
    QCOMPARE(cellsRead->rowCount(), 2);
    QStringList seen;
    for (int column = 0; column < 4; ++column) {
        QAccessibleInterface *header = cellsRead->cellAt(0, column)->tableCellInterface()->columnHeaderCells().value(0);
        seen << header->text(QAccessible::Name);
        // Qt hands a header cell over unregistered, and nothing frees it.
        QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(header));
    }
    for (int column = 0; column < 4; ++column)
        seen << cellsRead->cellAt(0, column)->text(QAccessible::Name);
    QCOMPARE(seen, cells);
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("b.ifr"));

    // Asked first: No keeps them, Yes clears them.
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        QString asked;
        QTimer::singleShot(0, &dialog, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            asked = box->text();
            box->button(answer)->click();
        });
        dialog.clearButton()->click();
        QTEST(asked, "question");
        QCOMPARE(store.load().isEmpty(), answer == QMessageBox::Yes);
    }
    QCOMPARE(dialog.clearButton()->isEnabled(), false);
    QTEST(QAccessible::queryAccessibleInterface(&dialog)->text(QAccessible::Description), "none");
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
