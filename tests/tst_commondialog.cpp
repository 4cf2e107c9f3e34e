// SPDX-License-Identifier: GPL-3.0-or-later

// The Open dialog, driven through Qt's own file dialog on real files.

#include "app/commondialog.h"

#include <QApplication>
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

#include <functional>
#include <vector>

namespace pelnori {
namespace {

const QString kFilter = QStringLiteral("iFeel(*.ifr)|*.ifr|すべてのファイル|*.*");
const QString kTitle = QStringLiteral("iFeelファイルを開く");
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

QFileDialog *asDialog(QWidget *window)
{
    return qobject_cast<QFileDialog *>(window);
}

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

Step cancel()
{
    return {false, [](QWidget *window) { asDialog(window)->reject(); }};
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

void makeFile(const QString &path, QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("ifr");
    file.close();
    QVERIFY(file.setPermissions(permissions));
}

// The dialog as the game sets it up.
void setUpAsTheGame(CommonDialog &dialog, int flags = kGameFlags, bool cancelError = false)
{
    dialog.setDefaultExt(QStringLiteral("ifr"));
    dialog.setFileName(QString());
    dialog.setDialogTitle(kTitle);
    dialog.setFilter(kFilter);
    dialog.setFilterIndex(1);
    dialog.setFlags(flags);
    dialog.setCancelError(cancelError);
}

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
    void typedNameGetsTheDefaultExtension();
    void pathsThatMustExistAreChecked_data();
    void pathsThatMustExistAreChecked();
    void writeProtectionIsReadFromPermissionBits_data();
    void writeProtectionIsReadFromPermissionBits();
    void readOnlyFileIsRefusedThenAnotherPickedInItsFolder();
    void cancelling_data();
    void cancelling();
    void extensionDifferentFollowsThePick_data();
    void extensionDifferentFollowsThePick();

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
    QTest::newRow("the game's") << kFilter << QStringList{"iFeel (*.ifr)", "すべてのファイル (*)"};
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
    QTest::newRow("the game's") << kGameFlags << 1 << "iFeel (*.ifr)" << int(QFileDialog::ExistingFile);
    QTest::newRow("second filter") << kGameFlags << 2 << "すべてのファイル (*)" << int(QFileDialog::ExistingFile);
    QTest::newRow("index 0") << kGameFlags << 0 << "iFeel (*.ifr)" << int(QFileDialog::ExistingFile);
    QTest::newRow("index past the end") << kGameFlags << 3 << "iFeel (*.ifr)" << int(QFileDialog::ExistingFile);
    QTest::newRow("file need not exist") << OpenFlags::PathMustExist << 1 << "iFeel (*.ifr)"
                                         << int(QFileDialog::AnyFile);
}

void TestCommonDialog::dialogShowsItsSettings()
{
    QFETCH(int, flags);
    QFETCH(int, filterIndex);
    QFETCH(QString, selectedFilter);
    QFETCH(int, fileMode);
    CommonDialog dialog(nullptr, CommonDialog::Style::QtWidgets);
    setUpAsTheGame(dialog, flags);
    dialog.setFilterIndex(filterIndex);
    dialog.setFileName(m_dir.filePath(QStringLiteral("shake.ifr")));
    struct
    {
        QString title;
        QStringList filters;
        QString selectedFilter;
        int fileMode = -1;
        QString suffix;
        QString folder;
    } seen;
    Player player({{false, [&seen](QWidget *window) {
                        const QFileDialog *shown = asDialog(window);
                        seen = {shown->windowTitle(),    shown->nameFilters(),
                                shown->selectedNameFilter(), int(shown->fileMode()),
                                shown->defaultSuffix(),  shown->directory().absolutePath()};
                        static_cast<QDialog *>(window)->accept();
                    }}});
    dialog.showOpen();
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QCOMPARE(seen.title, kTitle);
    QCOMPARE(seen.filters, (QStringList{"iFeel (*.ifr)", "すべてのファイル (*)"}));
    QCOMPARE(seen.selectedFilter, selectedFilter);
    QCOMPARE(seen.fileMode, fileMode);
    QCOMPARE(seen.suffix, QStringLiteral("ifr"));
    // The file name given beforehand is where the dialog starts.
    QCOMPARE(seen.folder, m_dir.path());
    QCOMPARE(dialog.fileName(), m_dir.filePath(QStringLiteral("shake.ifr")));
}

void TestCommonDialog::typedNameGetsTheDefaultExtension()
{
    CommonDialog dialog(nullptr, CommonDialog::Style::QtWidgets);
    setUpAsTheGame(dialog);
    Player player({pick(m_dir.filePath(QStringLiteral("shake")))});
    dialog.showOpen();
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QCOMPARE(dialog.fileName(), m_dir.filePath(QStringLiteral("shake.ifr")));
}

void TestCommonDialog::pathsThatMustExistAreChecked_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("returned");
    QTest::newRow("missing file") << kGameFlags << "missing.ifr" << false;
    QTest::newRow("missing folder") << kGameFlags << "nowhere/shake.ifr" << false;
    QTest::newRow("missing folder, path must exist") << OpenFlags::PathMustExist << "nowhere/new.ifr" << false;
    QTest::newRow("new file, path must exist") << OpenFlags::PathMustExist << "new.ifr" << true;
}

void TestCommonDialog::pathsThatMustExistAreChecked()
{
    QFETCH(int, flags);
    QFETCH(QString, typed);
    QFETCH(bool, returned);
    CommonDialog dialog(nullptr, CommonDialog::Style::QtWidgets);
    setUpAsTheGame(dialog, flags);
    const QString path = m_dir.filePath(typed);
    std::vector<Step> steps{pick(path)};
    if (!returned)
        steps.insert(steps.end(), {closeWarning(), cancel()});
    Player player(std::move(steps));
    dialog.showOpen();
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QCOMPARE(dialog.fileName(), returned ? path : QString());
}

void TestCommonDialog::writeProtectionIsReadFromPermissionBits_data()
{
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("writable") << 0644 << 0755 << kGameFlags << QString();
    QTest::newRow("read-only file") << 0444 << 0755 << kGameFlags << "読み取り専用";
    // Owner bits are the ones that apply to the file's owner, whatever the group may do.
    QTest::newRow("only the group may write") << 0464 << 0755 << kGameFlags << "読み取り専用";
    QTest::newRow("write-protected folder") << 0644 << 0555 << kGameFlags << "書き込み禁止";
    QTest::newRow("read-only allowed") << 0444 << 0555 << (kGameFlags & ~OpenFlags::NoReadOnlyReturn)
                                       << QString();
}

void TestCommonDialog::writeProtectionIsReadFromPermissionBits()
{
    QFETCH(int, fileMode);
    QFETCH(int, folderMode);
    QFETCH(int, flags);
    QFETCH(QString, refusal);
    // Octal modes as Qt permissions, for the owner, group and others.
    const auto permissions = [](int mode) {
        return QFile::Permissions(((mode & 0700) << 6) | ((mode & 0070) << 1) | (mode & 0007)
                                  | ((mode & 0700) << 2));
    };
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("effects"));
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/tremor.ifr");
    makeFile(path, permissions(fileMode));
    QVERIFY(QFile::setPermissions(folder, permissions(folderMode)));

    CommonDialog dialog(nullptr, CommonDialog::Style::QtWidgets);
    setUpAsTheGame(dialog, flags);
    QString warning;
    std::vector<Step> steps{pick(path)};
    if (!refusal.isEmpty())
        steps.insert(steps.end(), {closeWarning(&warning), cancel()});
    Player player(std::move(steps));
    dialog.showOpen();
    QFile::setPermissions(folder, permissions(0755)); // so the folder can be removed
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QCOMPARE(dialog.fileName(), refusal.isEmpty() ? path : QString());
    QVERIFY2(warning.contains(refusal), qPrintable(warning));
}

void TestCommonDialog::readOnlyFileIsRefusedThenAnotherPickedInItsFolder()
{
    QTemporaryDir root;
    makeFile(root.filePath(QStringLiteral("locked.ifr")), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    makeFile(root.filePath(QStringLiteral("free.ifr")));
    CommonDialog dialog(nullptr, CommonDialog::Style::QtWidgets);
    setUpAsTheGame(dialog);
    QString warning;
    QString folderOnReturn;
    // The player looks elsewhere first and types the full path of the locked file.
    Player player({{false, [&](QWidget *window) {
                        asDialog(window)->setDirectory(m_dir.path());
                        pick(root.filePath(QStringLiteral("locked.ifr"))).act(window);
                    }},
                   closeWarning(&warning),
                   {false, [&](QWidget *window) {
                        folderOnReturn = asDialog(window)->directory().absolutePath();
                        pick(QStringLiteral("free")).act(window);
                    }}});
    dialog.showOpen();
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QVERIFY2(warning.startsWith(kTitle + u'|'), qPrintable(warning));
    QVERIFY2(warning.contains(QStringLiteral("locked.ifr")), qPrintable(warning));
    QCOMPARE(folderOnReturn, root.path());
    QCOMPARE(dialog.fileName(), root.filePath(QStringLiteral("free.ifr")));
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
    CommonDialog dialog(nullptr, CommonDialog::Style::QtWidgets);
    setUpAsTheGame(dialog, kGameFlags, cancelError);
    dialog.setFileName(m_dir.filePath(QStringLiteral("shake.ifr")));
    Player player({cancel()});
    bool thrown = false;
    try {
        dialog.showOpen();
    } catch (const DialogCancelled &) {
        thrown = true;
    }
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QCOMPARE(thrown, cancelError);
    QVERIFY(dialog.fileName().isEmpty());
}

void TestCommonDialog::extensionDifferentFollowsThePick_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("different");
    // The game's flags carry ExtensionDifferent going in; the pick decides it.
    QTest::newRow("effect file") << "shake.ifr" << false;
    QTest::newRow("text file") << "notes.txt" << true;
}

void TestCommonDialog::extensionDifferentFollowsThePick()
{
    QFETCH(QString, name);
    QFETCH(bool, different);
    CommonDialog dialog(nullptr, CommonDialog::Style::QtWidgets);
    setUpAsTheGame(dialog);
    Player player({pick(m_dir.filePath(name))});
    dialog.showOpen();
    QVERIFY2(player.playedAll(), qPrintable(player.problem()));
    QCOMPARE(dialog.fileName(), m_dir.filePath(name));
    QCOMPARE(bool(dialog.flags() & OpenFlags::ExtensionDifferent), different);
    QCOMPARE(dialog.flags() & ~OpenFlags::ExtensionDifferent, kGameFlags & ~OpenFlags::ExtensionDifferent);
}

} // namespace pelnori

QTEST_MAIN(pelnori::TestCommonDialog)
#include "tst_commondialog.moc"
