// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmaincontrols.h"

#include "app/cardbox.h"
#include "app/fonts.h"
#include "app/twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace pelnori {

namespace {

// The window's own texts, in the interface's language.
QString caption(const char *text)
{
    return QCoreApplication::translate("pelnori::frmMain", text);
}

// The light grey of scroll bars in the classic scheme, behind the text boxes.
const QColor kTextBoxBackground(200, 200, 200);

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

} // namespace

FrmMainControls FrmMainControls::build(QWidget &window)
{
    QWidget *parent = &window;
    FrmMainControls c;
    c.txtLoadIFR = makeTextBox(parent, "txtLoadIFR", twipsRect(60, 60, 3735, 315));
    c.lblinfo = makeLabel(parent, "lblinfo", twipsRect(120, 480, 2415, 315), QString(),
                          designFont(fixedGothicFamily(), 12, true));
    c.cmbRead_IFR = makeButton(parent, "cmbRead_IFR", twipsRect(2460, 480, 1335, 315),
                               caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "IFRﾌｧｲﾙ読込...")));
    c.Label1 = makeLabel(parent, "Label1", twipsRect(60, 900, 795, 255),
                         caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "残り枚数")),
                         designFont(proportionalGothicFamily(), 9.75, false));
    c.txtNokori = makeTextBox(parent, "txtNokori", twipsRect(840, 840, 375, 270));
    c.txtNokori->setText(QStringLiteral("16"));
    makeCounter(c.txtNokori);
    c.Label2 = makeLabel(parent, "Label2", twipsRect(1500, 900, 855, 195),
                         caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "経過時間")),
                         designFont(proportionalGothicFamily(), 9.75, false));
    c.txtTime = makeTextBox(parent, "txtTime", twipsRect(2400, 840, 555, 270));
    makeCounter(c.txtTime);
    // A screen reader names each counter by its label, and the verdict line
    // and the path box by what they hold.
    c.Label1->setBuddy(c.txtNokori);
    c.Label2->setBuddy(c.txtTime);
    c.lblinfo->setAccessibleName(caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "判定")));
    c.txtLoadIFR->setAccessibleName(caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "IFRファイル")));

    c.Line1 = new LineShape(parent);
    c.Line1->setObjectName(QStringLiteral("Line1"));
    c.Line1->setGeometry(0, twipsToPixels(1140), twipsToPixels(3840), 1);
    c.Line1->setAttribute(Qt::WA_TransparentForMouseEvents);

    const QPixmap back(QStringLiteral(":/Card.bmp"));
    for (int i = 0; i < kCardCount; ++i) {
        auto *card = new CardBox(i, parent);
        card->setLeftTwips(gridLeft(i));
        card->setTopTwips(gridTop(i));
        card->setPicture(back);
        c.pic[static_cast<std::size_t>(i)] = card;
    }

    c.btnStart = makeButton(parent, "btnStart", twipsRect(480, 4920, 1575, 375),
                            caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "Zolva開始")));
    c.Command1 = makeButton(parent, "Command1", twipsRect(2220, 4920, 1575, 375),
                            caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "終了")));

    // Tab order: the cards first, card 1 before card 0, then the buttons and boxes.
    QList<QWidget *> order{c.pic[1], c.pic[0]};
    for (int i = 2; i < kCardCount; ++i)
        order.append(c.pic[static_cast<std::size_t>(i)]);
    order << c.btnStart << c.Command1 << c.txtLoadIFR << c.cmbRead_IFR << c.txtNokori << c.txtTime;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    c.Timer1 = new QTimer(parent);
    c.Timer1->setObjectName(QStringLiteral("Timer1"));
    return c;
}

} // namespace pelnori
