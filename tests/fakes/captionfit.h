// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>

namespace pelnori::test {

// The captions of the labels, buttons and check boxes under root that are wider than the
// room their control gives them, measured with the control's own font; one
// line each, "Label1: text (60 px, room for 53)". Empty when all fit.
inline QStringList clippedCaptions(const QWidget &root)
{
    QStringList clipped;
    const auto check = [&clipped](const QWidget *control, const QString &text, int room) {
        const int width = QFontMetrics(control->font()).horizontalAdvance(text);
        if (width > room)
            clipped << QStringLiteral("%1: %2 (%3 px, room for %4)").arg(control->objectName(), text).arg(width).arg(room);
    };
    for (const QLabel *label : root.findChildren<QLabel *>())
        check(label, label->text(), label->contentsRect().width() - 2 * label->margin() - qMax(label->indent(), 0));
    for (const QPushButton *button : root.findChildren<QPushButton *>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        check(button, button->text(),
              button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width());
    }
    for (const QCheckBox *box : root.findChildren<QCheckBox *>()) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        check(box, box->text(), box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width());
    }
    return clipped;
}

} // namespace pelnori::test
