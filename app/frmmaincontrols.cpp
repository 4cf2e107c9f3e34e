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

// A horizontal rule in the window-text colour, as thick as the widget is
// high: one pixel at the designed size.
class LineShape : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::WindowText));
    }
};

// A design font at the window's size.
QFont zoomedFont(const QString &family, qreal pointSize, bool bold)
{
    return designFont(family, pointSize * zoomScale(), bold);
}

QLineEdit *makeTextBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
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
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(false);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

FrmMainControls FrmMainControls::build(QWidget &window)
{
    QWidget *parent = &window;
    FrmMainControls c;
    c.txtLoadIFR = makeTextBox(parent, "txtLoadIFR");
    c.lblinfo = makeLabel(parent, "lblinfo", QString());
    c.cmbRead_IFR = makeButton(parent, "cmbRead_IFR", caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "IFRﾌｧｲﾙ読込...")));
    c.Label1 = makeLabel(parent, "Label1", caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "残り枚数")));
    c.txtNokori = makeTextBox(parent, "txtNokori");
    c.txtNokori->setText(QStringLiteral("16"));
    makeCounter(c.txtNokori);
    c.Label2 = makeLabel(parent, "Label2", caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "経過時間")));
    c.txtTime = makeTextBox(parent, "txtTime");
    makeCounter(c.txtTime);
    // A screen reader names each counter by its label, and the verdict line
    // and the path box by what they hold.
    c.Label1->setBuddy(c.txtNokori);
    c.Label2->setBuddy(c.txtTime);
    c.lblinfo->setAccessibleName(caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "判定")));
    c.txtLoadIFR->setAccessibleName(caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "IFRファイル")));

    c.Line1 = new LineShape(parent);
    c.Line1->setObjectName(QStringLiteral("Line1"));
    c.Line1->setAttribute(Qt::WA_TransparentForMouseEvents);

    const QPixmap back(QStringLiteral(":/Card.bmp"));
    for (int i = 0; i < kCardCount; ++i) {
        auto *card = new CardBox(i, parent);
        card->setLeftTwips(gridLeft(i));
        card->setTopTwips(gridTop(i));
        card->setPicture(back);
        c.pic[static_cast<std::size_t>(i)] = card;
    }

    c.btnStart = makeButton(parent, "btnStart", caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "Zolva開始")));
    c.Command1 = makeButton(parent, "Command1", caption(QT_TRANSLATE_NOOP("pelnori::frmMain", "終了")));
    c.layOut();

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

void FrmMainControls::layOut() const
{
    txtLoadIFR->setGeometry(twipsRect(60, 60, 3735, 315));
    txtLoadIFR->setFont(zoomedDefaultFont());
    lblinfo->setGeometry(twipsRect(120, 480, 2415, 315));
    lblinfo->setFont(zoomedFont(fixedGothicFamily(), 12, true));
    cmbRead_IFR->setGeometry(twipsRect(2460, 480, 1335, 315));
    cmbRead_IFR->setFont(zoomedDefaultFont());
    Label1->setGeometry(twipsRect(60, 900, 795, 255));
    Label1->setFont(zoomedFont(proportionalGothicFamily(), 9.75, false));
    txtNokori->setGeometry(twipsRect(840, 840, 375, 270));
    txtNokori->setFont(zoomedFont(fixedGothicFamily(), 9.75, true));
    Label2->setGeometry(twipsRect(1500, 900, 855, 195));
    Label2->setFont(zoomedFont(proportionalGothicFamily(), 9.75, false));
    txtTime->setGeometry(twipsRect(2400, 840, 555, 270));
    txtTime->setFont(zoomedFont(fixedGothicFamily(), 9.75, true));
    Line1->setGeometry(0, twipsToPixels(1140), twipsToPixels(3840), scaledPixels(1));
    for (CardBox *card : pic)
        card->layOut();
    btnStart->setGeometry(twipsRect(480, 4920, 1575, 375));
    btnStart->setFont(zoomedDefaultFont());
    Command1->setGeometry(twipsRect(2220, 4920, 1575, 375));
    Command1->setFont(zoomedDefaultFont());
}

} // namespace pelnori
