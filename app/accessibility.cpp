// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/accessibility.h"

#include "app/announcer.h"
#include "app/cardbox.h"

#include <QAccessibleWidget>
#include <QComboBox>
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
            QMetaObject::invokeMethod(
                widget(), [card = static_cast<CardBox *>(widget())] { card->click(TurnInput::ScreenReader); },
                Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }
};

// A control whose content is read through a read-only text interface.
class ReadOnlyTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    ReadOnlyTextAccessible(QWidget *widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override { return QAccessibleWidget::text(kind); }
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

protected:
    virtual QString content() const = 0;
};

// A label whose text is the content and whose name says what it is, such as
// the verdict line: its text is read through the text interface.
class NamedLabelAccessible : public ReadOnlyTextAccessible
{
public:
    explicit NamedLabelAccessible(QLabel *label)
        : ReadOnlyTextAccessible(label, QAccessible::StaticText)
    {
    }

private:
    QString content() const override { return static_cast<QLabel *>(widget())->text(); }
};

// A choice of the dialogs (a closed combo box): its label names it, and its
// chosen entry is its text, which is where a screen reader looks for a combo
// box's value when the list offers no selection to read it from.
class ChoiceAccessible : public ReadOnlyTextAccessible
{
public:
    explicit ChoiceAccessible(QComboBox *box)
        : ReadOnlyTextAccessible(box, QAccessible::ComboBox)
    {
    }

    // The name is the chosen entry, as for Qt's own combo boxes on Linux:
    // a change of the choice is sent as a change of the name.
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name || kind == QAccessible::Value)
            return content();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        st.expandable = true;
        return st;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            static_cast<QComboBox *>(widget())->showPopup();
    }

private:
    QString content() const override { return static_cast<QComboBox *>(widget())->currentText(); }
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
    if (auto *box = qobject_cast<QComboBox *>(object); box && !box->isEditable())
        return new ChoiceAccessible(box);
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
