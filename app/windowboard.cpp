// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windowboard.h"

#include "app/accessibility.h"
#include "app/cardbox.h"
#include "app/frmmain.h"
#include "app/turnnarration.h"
#include "common/errors.h"
#include "game/paths.h"

#include <QAccessible>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace pelnori {

namespace {

CardFace faceShownBy(const QString &picturePath)
{
    const QString file = QFileInfo(picturePath).fileName();
    if (file == kCardOpenFile)
        return CardFace::Open;
    if (file == kCardMatchedFile)
        return CardFace::Matched;
    return CardFace::Down;
}

} // namespace

WindowBoard::WindowBoard(frmMain &window, TurnNarration &narration)
    : m_window(window)
    , m_narration(narration)
{
}

float WindowBoard::cardLeft(int card) const
{
    return m_window.pic(card)->leftTwips();
}

float WindowBoard::cardTop(int card) const
{
    return m_window.pic(card)->topTwips();
}

void WindowBoard::setCardLeft(int card, float twips)
{
    m_window.pic(card)->setLeftTwips(twips);
}

void WindowBoard::setCardTop(int card, float twips)
{
    m_window.pic(card)->setTopTwips(twips);
}

void WindowBoard::clearCardPicture(int card)
{
    m_window.pic(card)->clearPicture();
}

void WindowBoard::loadCardPicture(int card, const QString &path)
{
    // The face follows the picture the game asks for, so a screen reader
    // tells the card's state even when its file cannot be read.
    CardBox *box = m_window.pic(card);
    box->setFace(faceShownBy(path));
    m_narration.faceShown(card, cardFaceText(box->face()));
    if (!box->loadPicture(path))
        throw ImageLoadError(path);
}

QString WindowBoard::effectPath() const
{
    return m_window.txtLoadIFR()->text();
}

void WindowBoard::setEffectPath(const QString &text)
{
    m_window.txtLoadIFR()->setText(text);
}

void WindowBoard::setInfo(const QString &text)
{
    QLabel *info = m_window.lblinfo();
    const QString before = info->text();
    info->setText(text);
    m_narration.verdict(text);
    if (text != before) {
        QAccessibleTextUpdateEvent event(info, 0, before, text);
        QAccessible::updateAccessibility(&event);
    }
}

void WindowBoard::setRemaining(const QString &text)
{
    m_window.txtNokori()->setText(text);
    // The end of a turn: said before the last pair's message box comes.
    m_narration.remaining(text);
    m_window.announce(m_narration.take());
}

QString WindowBoard::elapsed() const
{
    return m_window.txtTime()->text();
}

void WindowBoard::setElapsed(const QString &text)
{
    m_window.txtTime()->setText(text);
}

void WindowBoard::setTimerInterval(int milliseconds)
{
    if (milliseconds <= 0)
        m_window.Timer1()->stop();
    else
        m_window.Timer1()->start(milliseconds);
}

void WindowBoard::setCardsInPlay(int count)
{
    // A hidden card takes no focus, is skipped by Tab and the selection's
    // steps, and a screen reader finds it invisible with nothing to press.
    for (int i = 0; i < kCardCount; ++i)
        m_window.pic(i)->setHidden(i >= count);
}

void WindowBoard::repaintNow()
{
    if (m_window.isVisible())
        m_window.repaint();
}

float WindowBoard::windowLeft() const
{
    return m_window.windowLeft();
}

float WindowBoard::windowTop() const
{
    return m_window.windowTop();
}

float WindowBoard::windowWidth() const
{
    return m_window.windowWidth();
}

float WindowBoard::windowHeight() const
{
    return m_window.windowHeight();
}

void WindowBoard::setWindowLeft(float twips)
{
    m_window.setWindowLeft(twips);
}

void WindowBoard::setWindowTop(float twips)
{
    m_window.setWindowTop(twips);
}

} // namespace pelnori
