// SPDX-License-Identifier: GPL-3.0-or-later

// The Open dialog, driven through Qt's own file dialog on real files.

#include "app/commondialog.h"
#include "fakes/rowlanguage.h"
#include "translations/translations.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <vector>

namespace pelnori {
namespace {

const QString kFilter = QStringLiteral("IFR(*.ifr)|*.ifr|すべてのファイル|*.*");
const QString kTitle = QStringLiteral("IFRファイルを開く");
constexpr int kGameFlags = 39940;

// One thing the player does in the modal window on top: the file dialog or a
// warning box, as `warning` says.
struct Step
{
    bool warning;
    std::function<void(QWidget *)> act;
};

// Plays the steps, one per modal window that comes up, while showOpen() runs.
// A window of the wrong kind, or no window for 10 s, stops the play: from then
// on every modal window is rejected so the test cannot hang.
class Player : public QObject
{
public:
    explicit Player(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, &Player::poll);
        m_timer.start(10);
        m_clock.start();
    }

    bool playedAll() const { return m_next == m_steps.size() && m_problem.isEmpty(); }
    QString problem() const { return m_problem.isEmpty() ? QStringLiteral("steps left over") : m_problem; }

private:
    void poll()
    {
        QWidget *top = QApplication::activeModalWidget();
        if (!m_problem.isEmpty()) {
            if (auto *dialog = qobject_cast<QDialog *>(top))
                dialog->reject();
            return;
        }
        if (m_clock.elapsed() > 10000) {
            m_problem = QStringLiteral("timed out at step %1").arg(m_next + 1);
            return;
        }
        if (!top || top == m_acted || !top->isVisible() || m_next == m_steps.size())
            return;
        const Step &step = m_steps[m_next++];
        const bool isWarning = qobject_cast<QMessageBox *>(top) != nullptr;
        if (isWarning != step.warning || (!isWarning && !qobject_cast<QFileDialog *>(top))) {
            m_problem = QStringLiteral("step %1 found a %2").arg(m_next).arg(top->metaObject()->className());
            return;
        }
        m_acted = top;
        // Later, from a timer of its own: what it does may open a nested
        // modal loop, and this timer must keep polling inside it.
        QTimer::singleShot(0, top, [act = step.act, top] { act(top); });
    }

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QPointer<QWidget> m_acted;
    QString m_problem;
    QTimer m_timer;
    QElapsedTimer m_clock;
};

// Types `name` into the file name box and presses Open.
Step pick(const QString &name)
{
    return {false, [name](QWidget *window) {
                auto *edit = window->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                if (!edit)
                    edit = window->findChild<QLineEdit *>();
                edit->setText(name);
                // QFileDialog's own accept() is protected; it is the one that runs.
                static_cast<QDialog *>(window)->accept();
            }};
}

// Cancels, first looking into `folder` when one is given.
Step cancel(const QString &folder = {})
{
    return {false, [folder](QWidget *window) {
                if (!folder.isEmpty())
                    static_cast<QFileDialog *>(window)->setDirectory(folder);
                static_cast<QDialog *>(window)->reject();
            }};
}

// Closes a warning, first keeping its text for the test to check.
Step closeWarning(QString *text = nullptr)
{
    return {true, [text](QWidget *window) {
                if (text)
                    *text = window->windowTitle() + u'|' + static_cast<QMessageBox *>(window)->text();
                static_cast<QMessageBox *>(window)->accept();
            }};
}

// An octal mode such as 0644 as Qt permissions.
QFile::Permissions permissions(int mode)
{
    return QFile::Permissions(((mode & 0700) << 6) | ((mode & 0700) << 2) | ((mode & 0070) << 1) | (mode & 0007));
}

void makeFile(const QString &path, int mode = 0644)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("ifr");
    file.close();
    QVERIFY(file.setPermissions(permissions(mode)));
}

// The dialog as the game sets it up, drawn by Qt so the test can drive it.
struct GameDialog : CommonDialog
{
    explicit GameDialog(int flags = kGameFlags, bool cancelError = false)
        : CommonDialog(nullptr, Style::QtWidgets)
    {
        setDefaultExt(QStringLiteral("ifr"));
        setFileName(QString());
        setDialogTitle(kTitle);
        setFilter(kFilter);
        setFilterIndex(1);
        setFlags(flags);
        setCancelError(cancelError);
    }
};

} // namespace

class TestCommonDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nameFiltersFromFilterText_data();
    void nameFiltersFromFilterText();
    void dialogShowsItsSettings_data();
    void dialogShowsItsSettings();
    void pickReturnsTheFullPathAndItsType_data();
    void pickReturnsTheFullPathAndItsType();
    void picksTheFlagsForbidAreRefused_data();
    void picksTheFlagsForbidAreRefused();
    void readOnlyFileInWriteProtectedFolderIsReturned();
    void cancelling_data();
    void cancelling();
    void filesQtCannotListAreNamed_data();
    void filesQtCannotListAreNamed();

private:
    QTemporaryDir m_dir;
};

void TestCommonDialog::initTestCase()
{
    // Qt's dialog remembers its last folder in the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    makeFile(m_dir.filePath(QStringLiteral("shake.ifr")));
    makeFile(m_dir.filePath(QStringLiteral("notes.txt")));
}

void TestCommonDialog::nameFiltersFromFilterText_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("the game's") << kFilter << QStringList{"IFR (*.ifr)", "すべてのファイル (*)"};
    QTest::newRow("several patterns") << "Text|*.txt;*.log" << QStringList{"Text (*.txt *.log)"};
    QTest::newRow("words in parentheses stay") << "Effect (new)|*.ifr" << QStringList{"Effect (new) (*.ifr)"};
    QTest::newRow("no description") << "|*.ifr" << QStringList{"*.ifr"};
    QTest::newRow("description without pattern") << "Text" << QStringList{};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestCommonDialog::nameFiltersFromFilterText()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(CommonDialog::nameFilters(filter), expected);
}

void TestCommonDialog::dialogShowsItsSettings_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("selectedFilter");
    QTest::addColumn<int>("fileMode");
    const int existing = QFileDialog::ExistingFile;
    QTest::newRow("the game's") << kGameFlags << 1 << "IFR (*.ifr)" << existing;
    QTest::newRow("second filter") << kGameFlags << 2 << "すべてのファイル (*)" << existing;
    QTest::newRow("index 0") << kGameFlags << 0 << "IFR (*.ifr)" << existing;
    QTest::newRow("index past the end") << kGameFlags << 3 << "IFR (*.ifr)" << existing;
    QTest::newRow("file need not exist") << OpenFlags::PathMustExist << 1 << "IFR (*.ifr)"
                                         << int(QFileDialog::AnyFile);
}

void TestCommonDialog::dialogShowsItsSettings()
{
    QFETCH(int, flags);
    QFETCH(int, filterIndex);
    QFETCH(QString, selectedFilter);
    QFETCH(int, fileMode);
    GameDialog dialog(flags);
    dialog.setFilterIndex(filterIndex);
    dialog.setFileName(m_dir.filePath(QStringLiteral("shake.ifr")));
    QStringList seen;
    Player player({{false, [&seen](QWidget *window) {
                        const auto *shown = static_cast<QFileDialog *>(window);
                        seen = QStringList{shown->windowTitle(), shown->nameFilters().join(u'|'),
                                           shown->selectedNameFilter(), QString::number(shown->fileMode()),
                                           shown->defaultSuffix(), shown->directory().absolutePath()};
                        static_cast<QDialog *>(window)->accept();
                    }}});
    dialog.showOpen();
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    // The file name given beforehand is where the dialog starts.
    QCOMPARE(seen, (QStringList{kTitle, "IFR (*.ifr)|すべてのファイル (*)", selectedFilter,
                                QString::number(fileMode), "ifr", m_dir.path()}));
    QCOMPARE(dialog.fileName(), m_dir.filePath(QStringLiteral("shake.ifr")));
}

void TestCommonDialog::pickReturnsTheFullPathAndItsType_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("returned");
    QTest::addColumn<bool>("extensionDifferent");
    QTest::newRow("default extension added") << "shake" << "shake.ifr" << false;
    QTest::newRow("effect file") << "shake.ifr" << "shake.ifr" << false;
    QTest::newRow("text file") << "notes.txt" << "notes.txt" << true;
}

void TestCommonDialog::pickReturnsTheFullPathAndItsType()
{
    QFETCH(QString, typed);
    QFETCH(QString, returned);
    QFETCH(bool, extensionDifferent);
    GameDialog dialog;
    Player player({pick(m_dir.filePath(typed))});
    dialog.showOpen();
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QCOMPARE(dialog.fileName(), m_dir.filePath(returned));
    QCOMPARE(dialog.folder(), m_dir.path());
    // The game's flags carry ExtensionDifferent going in; the pick decides it.
    QCOMPARE(dialog.flags(), extensionDifferent ? kGameFlags : kGameFlags & ~OpenFlags::ExtensionDifferent);
}

void TestCommonDialog::picksTheFlagsForbidAreRefused_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("fileMode"); // of effects/tremor.ifr
    QTest::addColumn<int>("folderMode"); // of effects/
    QTest::addColumn<QString>("refusal"); // part of the warning; "" when the pick is returned
    const int game = kGameFlags;
    const int pathOnly = OpenFlags::PathMustExist;
    QTest::newRow("writable") << game << "tremor.ifr" << 0644 << 0755 << "";
    QTest::newRow("missing file") << game << "missing.ifr" << 0644 << 0755 << "missing.ifr";
    QTest::newRow("missing folder") << pathOnly << "nowhere/new.ifr" << 0644 << 0755 << "パスが存在しません";
    QTest::newRow("English: missing folder") << pathOnly << "nowhere/new.ifr" << 0644 << 0755
                                             << "The path does not exist.";
    QTest::newRow("new file in a folder") << pathOnly << "new.ifr" << 0644 << 0755 << "";
    // Regression: the game's flags refused read-only files and write-protected
    // folders by their permission bits, the installed tremka.ifr among them.
    // That check read the bits rather than asking access(), so these rows
    // caught it even when the tests run as root.
    QTest::newRow("read-only file") << game << "tremor.ifr" << 0444 << 0755 << "";
    QTest::newRow("only the group may write") << game << "tremor.ifr" << 0464 << 0755 << "";
    QTest::newRow("write-protected folder") << game << "tremor.ifr" << 0644 << 0555 << "";
    QTest::newRow("read-only allowed") << (game & ~OpenFlags::NoReadOnlyReturn) << "tremor.ifr" << 0444 << 0555
                                       << "";
}

void TestCommonDialog::picksTheFlagsForbidAreRefused()
{
    QFETCH(int, flags);
    QFETCH(QString, typed);
    QFETCH(int, fileMode);
    QFETCH(int, folderMode);
    QFETCH(QString, refusal);
    const Translations texts(test::rowLanguage());
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("effects"));
    QVERIFY(QDir().mkdir(folder));
    makeFile(folder + QStringLiteral("/tremor.ifr"), fileMode);
    QVERIFY(QFile::setPermissions(folder, permissions(folderMode)));

    GameDialog dialog(flags);
    QString warning;
    std::vector<Step> steps{pick(folder + u'/' + typed)};
    if (!refusal.isEmpty())
        steps.insert(steps.end(), {closeWarning(&warning), cancel()});
    Player player(std::move(steps));
    dialog.showOpen();
    QFile::setPermissions(folder, permissions(0755)); // so that it can be removed
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QCOMPARE(dialog.fileName(), refusal.isEmpty() ? folder + u'/' + typed : QString());
    if (!refusal.isEmpty())
        QVERIFY2(warning.startsWith(kTitle + u'|') && warning.contains(refusal), qPrintable(warning));
}

void TestCommonDialog::readOnlyFileInWriteProtectedFolderIsReturned()
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("shared"));
    QVERIFY(QDir().mkdir(folder));
    makeFile(folder + QStringLiteral("/locked.ifr"), 0444);
    QVERIFY(QFile::setPermissions(folder, permissions(0555)));
    GameDialog dialog;
    // The player looks elsewhere first and types the full path of the locked file.
    Player player({{false, [&](QWidget *window) {
                        static_cast<QFileDialog *>(window)->setDirectory(m_dir.path());
                        pick(folder + QStringLiteral("/locked.ifr")).act(window);
                    }}});
    dialog.showOpen();
    QFile::setPermissions(folder, permissions(0755)); // so that it can be removed
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QCOMPARE(dialog.fileName(), folder + QStringLiteral("/locked.ifr"));
}

void TestCommonDialog::cancelling_data()
{
    QTest::addColumn<bool>("cancelError");
    QTest::newRow("reported as an error") << true;
    QTest::newRow("quietly") << false;
}

void TestCommonDialog::cancelling()
{
    QFETCH(bool, cancelError);
    GameDialog dialog(kGameFlags, cancelError);
    dialog.setFileName(m_dir.filePath(QStringLiteral("shake.ifr")));
    const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(elsewhere));
    Player player({cancel(elsewhere)});
    bool thrown = false;
    try {
        dialog.showOpen();
    } catch (const DialogCancelled &) {
        thrown = true;
    }
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QCOMPARE(thrown, cancelError);
    QVERIFY(dialog.fileName().isEmpty());
    // Where the player looked last is where the next look may start.
    QCOMPARE(dialog.folder(), elsewhere);
}

void TestCommonDialog::filesQtCannotListAreNamed_data()
{
    QTest::addColumn<QString>("note");
    QTest::newRow("a file named in bytes") << "このフォルダーの次のファイルは、名前がUTF-8ではないため一覧に表示できません。"
                                             "名前を変えると選べます。\r\ntr\\xFFemka.ifr";
    QTest::newRow("English: a file named in bytes")
        << "These files in this folder cannot be listed, as their names are not UTF-8; "
           "rename them to choose them.\r\ntr\\xFFemka.ifr";
}

// Regression: a file whose name is not UTF-8 was missing from the list
// without a word.
void TestCommonDialog::filesQtCannotListAreNamed()
{
    const Translations texts(test::rowLanguage());
    QTemporaryDir root;
    makeFile(root.filePath(QStringLiteral("listed.ifr")));
    const QByteArray unlisted = QFile::encodeName(root.path()) + "/tr\xff" "emka.ifr";
    QFile file;
    QVERIFY(file.open(std::fopen(unlisted.constData(), "w"), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    file.close();

    GameDialog dialog;
    dialog.setInitDir(root.path());
    QString shown;
    Player player({closeWarning(&shown), cancel()});
    dialog.showOpen();
    std::remove(unlisted.constData());
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QFETCH(QString, note);
    QCOMPARE(shown, kTitle + u'|' + note);
}

} // namespace pelnori

QTEST_MAIN(pelnori::TestCommonDialog)
#include "tst_commondialog.moc"
