// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/playerscounters.h"

#include "app/frmmaincontrols.h"
#include "app/turnnarration.h"
#include "app/twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

namespace pelnori {

PlayersCounters::PlayersCounters(QWidget &window, const FrmMainControls &controls, TurnNarration &narration)
    : m_controls(controls)
    , m_narration(narration)
{
    // Player 2 to the right of the clock, as player 1 stands to its left;
    // a label, a counter, both like the first ones.
    m_label = new QLabel(&window);
    m_label->setObjectName(QStringLiteral("lblPlayer2"));
    m_label->setAlignment(controls.Label1->alignment());
    m_counter = new QLineEdit(&window);
    m_counter->setObjectName(QStringLiteral("txtPlayer2"));
    m_counter->setPalette(controls.txtNokori->palette());
    m_counter->setReadOnly(true);
    m_counter->setAlignment(Qt::AlignCenter);
    m_label->setBuddy(m_counter);
    QWidget::setTabOrder(controls.txtTime, m_counter);
    m_label->hide();
    m_counter->hide();
    layOut();
}

void PlayersCounters::layOut()
{
    m_label->setGeometry(twipsRect(3000, 900, 420, 255));
    m_label->setFont(m_controls.Label1->font());
    m_counter->setGeometry(twipsRect(3420, 840, 375, 270));
    m_counter->setFont(m_controls.txtNokori->font());
}

void PlayersCounters::showPlayers(const QString &first, const QString &second)
{
    const bool alone = first.isEmpty();
    m_controls.Label1->setText(alone ? QCoreApplication::translate("pelnori::frmMain", "残り枚数") : first);
    m_label->setText(second);
    m_label->setVisible(!alone);
    m_counter->setVisible(!alone);
    m_counter->clear();
    m_narration.countPairs(!alone);
}

void PlayersCounters::setSecondCount(const QString &text)
{
    m_counter->setText(text);
}

void PlayersCounters::turnAfterVerdict(const QString &text)
{
    m_narration.turn(text);
}

} // namespace pelnori
