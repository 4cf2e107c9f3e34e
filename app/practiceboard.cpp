// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/practiceboard.h"

#include "app/practicecard.h"
#include "common/errors.h"
#include "game/paths.h"
#include "game/platform.h"
#include "game/practiceset.h"
#include "game/refusalmessage.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace pelnori {

namespace {

constexpr int kColumns = 4;
// The widest a card's name is shown before it is cut short.
constexpr int kMaxNameWidthPx = 200;

// The card one arrow key away on the grid, or `card` itself at an edge or
// where the last row has no card below.
int neighbour(int card, int key, int count)
{
    int next = card;
    switch (key) {
    case Qt::Key_Up:
        next = card - kColumns;
        break;
    case Qt::Key_Down:
        next = card + kColumns;
        break;
    case Qt::Key_Left:
        next = card % kColumns > 0 ? card - 1 : card;
        break;
    case Qt::Key_Right:
        next = card % kColumns < kColumns - 1 ? card + 1 : card;
        break;
    default:
        break;
    }
    return next >= 0 && next < count ? next : card;
}

} // namespace

QString practiceBoardMenuText()
{
    return QCoreApplication::translate("PracticeBoard", "効果を覚える...");
}

PracticeBoard::PracticeBoard(HapticInterface &control, std::int32_t handle, const QStringList &names,
                             const QPixmap &face, QWidget *parent)
    : QDialog(parent)
    , m_control(control)
    , m_handle(handle)
{
    installPracticeCardAccessibility();
    setObjectName(QStringLiteral("practiceBoard"));
    setWindowTitle(QCoreApplication::translate("PracticeBoard", "効果を覚える"));
    // A fixed frame with the close box only, as the main window's.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *hint = new QLabel(QCoreApplication::translate("PracticeBoard", "カードを押すと、その効果を感じられます。"), this);
    hint->setObjectName(QStringLiteral("hint"));
    layout->addWidget(hint);

    int nameWidth = 0;
    for (const QString &name : names)
        nameWidth = std::max(nameWidth, fontMetrics().horizontalAdvance(name));
    auto *grid = new QGridLayout;
    for (int i = 0; i < names.size(); ++i) {
        auto *card = new PracticeCard(names[i], face, std::min(nameWidth, kMaxNameWidthPx), this);
        card->setObjectName(QStringLiteral("card(%1)").arg(i));
        connect(card, &PracticeCard::clicked, this, [this, name = names[i]] { play(name); });
        grid->addWidget(card, i / kColumns, i % kColumns);
        m_cards.push_back(card);
    }
    layout->addLayout(grid);

    auto *close = new QPushButton(QCoreApplication::translate("PracticeBoard", "閉じる"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(close, 0, Qt::AlignRight);

    if (!m_cards.empty())
        m_cards.front()->setFocus(Qt::TabFocusReason);
}

void PracticeBoard::play(const QString &name)
{
    // A device gone or an effect that does not start: the board goes on.
    skipOnError([&] { m_control.StartEffect(name, m_handle); });
}

void PracticeBoard::keyPressEvent(QKeyEvent *event)
{
    const auto focused = std::find(m_cards.begin(), m_cards.end(), focusWidget());
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (focused != m_cards.end()) {
            const int card = int(focused - m_cards.begin());
            m_cards[std::size_t(neighbour(card, event->key(), int(m_cards.size())))]->setFocus(Qt::OtherFocusReason);
        } else if (!m_cards.empty()) {
            m_cards.front()->setFocus(Qt::OtherFocusReason);
        }
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void showPracticeBoard(QWidget *parent, Platform &platform, HapticInterface &control, const QString &effectPath,
                       int pairs)
{
    const PracticeSet set = openPracticeSet(control, effectPath, pairs);
    if (set.check.verdict != EffectFileVerdict::Usable) {
        platform.messageBox(refusalMessage(set.check), MessageIcon::Warning);
        return;
    }
    // Without the picture the cards are empty frames; their names still show.
    const QPixmap face(programFile(platform.programFolder(), kCardOpenFile));
    PracticeBoard board(control, set.handle, set.names, face, parent);
    board.exec();
}

} // namespace pelnori
