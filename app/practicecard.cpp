// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/practicecard.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>

namespace pelnori {

namespace {

// The card as the board draws it: 61 x 57 with a 2-pixel sunken border.
constexpr int kCardWidthPx = 61;
constexpr int kCardHeightPx = 57;
constexpr int kBorderPx = 2;
// The focus ring, as wide as the main board's, and the gap to the name.
constexpr int kRingPx = 3;
constexpr int kNameGapPx = 4;

class PracticeCardAccessible : public QAccessibleWidget
{
public:
    explicit PracticeCardAccessible(PracticeCard *card)
        : QAccessibleWidget(card, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<PracticeCard *>(widget())->name();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        // Queued, so the screen reader's call returns at once, and at once
        // rather than after a button's animated press.
        if (action == pressAction())
            QMetaObject::invokeMethod(widget(), [card = static_cast<PracticeCard *>(widget())] { card->click(); },
                                      Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *createInterface(const QString &, QObject *object)
{
    if (auto *card = qobject_cast<PracticeCard *>(object))
        return new PracticeCardAccessible(card);
    return nullptr;
}

} // namespace

PracticeCard::PracticeCard(const QString &name, const QPixmap &face, int nameWidth, QWidget *parent)
    : QAbstractButton(parent)
    , m_name(name)
    , m_face(face)
    , m_nameWidth(nameWidth)
{
    // An ampersand in a name is shown, not taken as a shortcut.
    setText(QString(name).replace(u'&', QStringLiteral("&&")));
    setFocusPolicy(Qt::StrongFocus);
}

QSize PracticeCard::sizeHint() const
{
    const int width = std::max(kCardWidthPx + 2 * kRingPx, m_nameWidth);
    return {width, kRingPx + kCardHeightPx + kRingPx + kNameGapPx + fontMetrics().height()};
}

QRect PracticeCard::cardRect() const
{
    return {(width() - kCardWidthPx) / 2, kRingPx, kCardWidthPx, kCardHeightPx};
}

void PracticeCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect card = cardRect();
    qDrawShadePanel(&painter, card, palette(), true, kBorderPx);
    const QRect inner = card.marginsRemoved(QMargins(kBorderPx, kBorderPx, kBorderPx, kBorderPx));
    if (!m_face.isNull()) {
        painter.save();
        painter.setClipRect(inner);
        painter.drawPixmap(inner.topLeft(), m_face);
        painter.restore();
    }
    if (hasFocus()) {
        const QRect outer = card.marginsAdded(QMargins(kRingPx, kRingPx, kRingPx, kRingPx));
        painter.save();
        painter.setClipRegion(QRegion(outer).subtracted(QRegion(card)));
        painter.fillRect(outer, palette().color(QPalette::WindowText));
        painter.restore();
    }
    const QRect nameRect(0, card.bottom() + 1 + kRingPx + kNameGapPx, width(), fontMetrics().height());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(nameRect, Qt::AlignHCenter | Qt::AlignTop,
                     fontMetrics().elidedText(m_name, Qt::ElideRight, width()));
}

void PracticeCard::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A key held down plays the effect once.
        if (!event->isAutoRepeat())
            click();
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        event->ignore(); // the board moves the focus over its grid
        break;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void installPracticeCardAccessibility()
{
    // Qt keeps each factory once.
    QAccessible::installFactory(&createInterface);
}

} // namespace pelnori
