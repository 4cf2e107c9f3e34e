// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/accessibility.h"

#include "app/announcer.h"
#include "app/cardbox.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>

namespace pelnori {

namespace {

class CardAccessible : public QAccessibleWidget
{
public:
    explicit CardAccessible(CardBox *card)
        : QAccessibleWidget(card, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const CardBox &card = *static_cast<CardBox *>(widget());
        switch (kind) {
        case QAccessible::Name:
            return cardName(card.index());
        case QAccessible::Description:
            return cardFaceText(card.face());
        default:
            return QAccessibleWidget::text(kind);
        }
    }

    // A card out of play offers nothing to press.
    QStringList actionNames() const override
    {
        if (widget()->isHidden())
            return {};
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        // Queued, so the screen reader's call returns at once and the turn runs
        // from the event queue, as a mouse click would: its pauses and message
        // boxes must not hold the call.
        if (widget()->isHidden())
            return;
        if (action == pressAction())
            QMetaObject::invokeMethod(widget(), [card = static_cast<CardBox *>(widget())] { card->click(); },
                                      Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }
};

// A label whose text is the content and whose name says what it is, such as
// the verdict line: its text is read through the text interface.
class NamedLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit NamedLabelAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return content().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(content().size()); }

    // Read only: no caret, no selection, no geometry of single characters.
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        return {};
    }

private:
    QString content() const { return static_cast<QLabel *>(widget())->text(); }
};

// The notification through which the window speaks: its text is its name.
class AnnouncerAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncerAccessible(Announcer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<Announcer *>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

// A top-level window of the program is a frame named by its title, as
// screen readers expect of an application's window.
class FrameAccessible : public QAccessibleWidget
{
public:
    explicit FrameAccessible(QWidget *window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
    }
};

QAccessibleInterface *createInterface(const QString &className, QObject *object)
{
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new AnnouncerAccessible(announcer);
    if (className == QLatin1String("pelnori::frmMain"))
        return new FrameAccessible(static_cast<QWidget *>(object));
    if (auto *card = qobject_cast<CardBox *>(object))
        return new CardAccessible(card);
    if (auto *label = qobject_cast<QLabel *>(object); label && !label->accessibleName().isEmpty())
        return new NamedLabelAccessible(label);
    return nullptr;
}

} // namespace

QString cardName(int index)
{
    return QCoreApplication::translate("CardBox", "%1行目 %2列目のカード").arg(index / 4 + 1).arg(index % 4 + 1);
}

QString cardFaceText(CardFace face)
{
    switch (face) {
    case CardFace::Down:
        return QCoreApplication::translate("CardFace", "裏向き");
    case CardFace::Open:
        return QCoreApplication::translate("CardFace", "表向き");
    case CardFace::Matched:
        return QCoreApplication::translate("CardFace", "揃った");
    }
    return {};
}

void installAccessibility()
{
    // Qt keeps each factory once.
    QAccessible::installFactory(&createInterface);
}

} // namespace pelnori
