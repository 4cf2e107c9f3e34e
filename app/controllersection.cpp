// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controllersection.h"

#include "game/settingslimits.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace pelnori {

namespace {

QString text(const char *source)
{
    return QCoreApplication::translate("ControllerSection", source);
}

// A button as it is printed on most controllers; SDL's name otherwise.
QString shownName(const QString &button)
{
    static const std::pair<const char *, const char *> kShown[] = {
        {"a", "A"},           {"b", "B"},           {"x", "X"},           {"y", "Y"},
        {"start", "Start"},   {"leftstick", "L3"},  {"rightstick", "R3"}, {"leftshoulder", "LB"},
        {"rightshoulder", "RB"}, {"misc1", "Misc"}, {"paddle1", "P1"},    {"paddle2", "P2"},
        {"paddle3", "P3"},    {"paddle4", "P4"},    {"touchpad", "Touchpad"}};
    for (const auto &[name, shown] : kShown) {
        if (button == QLatin1String(name))
            return QString::fromLatin1(shown);
    }
    return button;
}

QComboBox *addCombo(QFormLayout *form, const char *name, const QString &label)
{
    auto *box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(label);
    auto *caption = new QLabel(label);
    caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    caption->setBuddy(box);
    form->addRow(caption, box);
    return box;
}

} // namespace

QString ControllerSection::hintText()
{
    return text(QT_TRANSLATE_NOOP("ControllerSection", "選んでからボタンを押します。BackかEscでやめます。"));
}

QString ControllerSection::takenText(const QString &button, const QString &action)
{
    return text(QT_TRANSLATE_NOOP("ControllerSection", "%1は「%2」に使っています。")).arg(shownName(button), action);
}

ControllerSection::ControllerSection(Settings &settings, ControllerHooks hooks, QWidget *parent)
    : QGroupBox(text(QT_TRANSLATE_NOOP("ControllerSection", "コントローラー")), parent)
    , m_settings(settings)
    , m_hooks(std::move(hooks))
    , m_actions{{{&Settings::turnButton, "turnButton", QT_TRANSLATE_NOOP("ControllerSection", "カードをめくる")},
                 {&Settings::startButton, "startButton", QT_TRANSLATE_NOOP("ControllerSection", "ゲーム開始")},
                 {&Settings::readFileButton, "readFileButton", QT_TRANSLATE_NOOP("ControllerSection", "効果ファイル")},
                 {&Settings::stateButton, "stateButton", QT_TRANSLATE_NOOP("ControllerSection", "状態を聞く")}}}
{
    setObjectName(QStringLiteral("controllerSection"));
    auto *form = new QFormLayout(this);
    addDevice(form);
    for (Action &action : m_actions) {
        action.control = new QPushButton;
        action.control->setObjectName(QString::fromLatin1(action.name));
        action.control->setAutoDefault(false);
        action.control->installEventFilter(this);
        connect(action.control, &QPushButton::clicked, this, [this, &action] {
            if (m_capturing == &action)
                stopCapture();
            else
                startCapture(action);
        });
        auto *caption = new QLabel(text(action.caption));
        caption->setObjectName(QString::fromLatin1(action.name) + QStringLiteral("Label"));
        caption->setBuddy(action.control);
        form->addRow(caption, action.control);
    }
    auto *reset = new QPushButton(text(QT_TRANSLATE_NOOP("ControllerSection", "ボタンを元に戻す")));
    reset->setObjectName(QStringLiteral("resetButtons"));
    reset->setAccessibleName(reset->text());
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, [this] {
        stopCapture();
        const Settings defaults;
        for (const Action &action : m_actions)
            m_settings.*action.button = defaults.*action.button;
        m_status->clear();
        showButtons();
    });
    form->addRow(reset);
    auto *hint = new QLabel(hintText());
    hint->setObjectName(QStringLiteral("captureHint"));
    form->addRow(hint);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("captureStatus"));
    m_status->setWordWrap(true);
    form->addRow(m_status);
    addDeadZone(form);
    showButtons();
}

ControllerSection::~ControllerSection()
{
    stopCapture();
}

void ControllerSection::addDevice(QFormLayout *form)
{
    QComboBox *box = addCombo(form, "controller", text(QT_TRANSLATE_NOOP("ControllerSection", "使うコントローラー")));
    box->addItem(text(QT_TRANSLATE_NOOP("ControllerSection", "自動")), QString());
    if (m_hooks.list) {
        for (const auto &[id, name] : m_hooks.list())
            box->addItem(name, id);
    }
    // The one chosen before is kept while it is away.
    if (!m_settings.controller.isEmpty() && box->findData(m_settings.controller) < 0) {
        const QString name = m_settings.controller.section(u' ', 1);
        box->addItem(text(QT_TRANSLATE_NOOP("ControllerSection", "%1（未接続）")).arg(name), m_settings.controller);
    }
    box->setCurrentIndex(std::max(0, box->findData(m_settings.controller)));
    connect(box, &QComboBox::currentIndexChanged, this,
            [this, box](int index) { m_settings.controller = box->itemData(index).toString(); });
}

void ControllerSection::addDeadZone(QFormLayout *form)
{
    QComboBox *box = addCombo(form, "deadZone", text(QT_TRANSLATE_NOOP("ControllerSection", "スティックの遊び")));
    for (int value = kDeadZoneMin; value <= kDeadZoneMax; value += 5)
        box->addItem(text(QT_TRANSLATE_NOOP("ControllerSection", "%1 %")).arg(value), value);
    if (box->findData(m_settings.deadZone) < 0)
        box->addItem(text(QT_TRANSLATE_NOOP("ControllerSection", "%1 %")).arg(m_settings.deadZone), m_settings.deadZone);
    box->setCurrentIndex(std::max(0, box->findData(m_settings.deadZone)));
    connect(box, &QComboBox::currentIndexChanged, this,
            [this, box](int index) { m_settings.deadZone = box->itemData(index).toInt(); });
}

void ControllerSection::showButtons()
{
    for (const Action &action : m_actions) {
        const bool waiting = m_capturing == &action;
        const QString shown = waiting ? text(QT_TRANSLATE_NOOP("ControllerSection", "ボタンを押す…"))
                                      : shownName(m_settings.*action.button);
        action.control->setText(shown);
        action.control->setAccessibleName(text(action.caption) + QStringLiteral(": ") + shown);
    }
}

void ControllerSection::startCapture(Action &action)
{
    m_capturing = &action;
    m_status->clear();
    showButtons();
    if (m_hooks.capture)
        m_hooks.capture([this](const QString &button) { captured(button); });
}

void ControllerSection::stopCapture()
{
    if (!m_capturing)
        return;
    m_capturing = nullptr;
    if (m_hooks.capture)
        m_hooks.capture({});
    showButtons();
}

void ControllerSection::captured(const QString &button)
{
    if (!m_capturing)
        return;
    // Back opens the menu and cannot be given: it ends the capture. Others
    // that cannot be given (Guide) are passed over.
    if (button == QLatin1String("back")) {
        stopCapture();
        return;
    }
    if (!controllerButtonNames().contains(button))
        return;
    for (const Action &other : m_actions) {
        if (&other != m_capturing && m_settings.*other.button == button) {
            m_status->setText(takenText(button, text(other.caption)));
            m_capturing->control->setAccessibleDescription(m_status->text());
            stopCapture();
            return;
        }
    }
    m_settings.*m_capturing->button = button;
    m_status->clear();
    m_capturing->control->setAccessibleDescription({});
    stopCapture();
}

bool ControllerSection::eventFilter(QObject *watched, QEvent *event)
{
    // Escape ends a capture rather than the dialog; leaving the button does too.
    if (m_capturing && watched == m_capturing->control) {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            stopCapture();
            return true;
        }
        if (event->type() == QEvent::FocusOut)
            stopCapture();
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace pelnori
