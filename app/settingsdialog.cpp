// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settingsdialog.h"

#include "app/accessibility.h"
#include "app/announcer.h"
#include "app/controllersection.h"
#include "app/fonts.h"
#include "game/settingslimits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QAbstractItemView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelnori {

namespace {

QString text(const char *source)
{
    return QCoreApplication::translate("SettingsDialog", source);
}

QString percent(int value)
{
    return text(QT_TRANSLATE_NOOP("SettingsDialog", "%1 %")).arg(value);
}

QGroupBox *addSection(QVBoxLayout *sections, const char *name, const QString &title, QFormLayout *&form)
{
    auto *box = new QGroupBox(title);
    box->setObjectName(QString::fromLatin1(name));
    form = new QFormLayout(box);
    sections->addWidget(box);
    return box;
}

QCheckBox *addCheck(QFormLayout *form, const char *name, const QString &label, bool checked,
                    std::function<void(bool)> changed)
{
    auto *box = new QCheckBox(label);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(label);
    box->setChecked(checked);
    QObject::connect(box, &QCheckBox::toggled, box, std::move(changed));
    form->addRow(box);
    return box;
}

} // namespace

QString SettingsDialog::title()
{
    return text(QT_TRANSLATE_NOOP("SettingsDialog", "設定"));
}

QString SettingsDialog::languageNote()
{
    return text(QT_TRANSLATE_NOOP("SettingsDialog", "言語は次回の起動から変わります。"));
}

SettingsDialog::SettingsDialog(const Settings &settings, std::function<void(int percent)> tryStrength, QWidget *parent,
                               ControllerHooks controllers)
    : QDialog(parent)
    , m_settings(settings)
    , m_tryStrength(std::move(tryStrength))
{
    setObjectName(QStringLiteral("settingsDialog"));
    // A screen reader reads each choice's value, not only its label.
    installAccessibility();
    m_announcer = new Announcer(this);
    setWindowTitle(title());
    // A fixed frame with the close box only, as the main window's.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // Read at the window's size, as the window is.
    setFont(zoomedDefaultFont());

    auto *sections = new QVBoxLayout(this);
    addGameSection(sections);
    addViewSection(sections);
    // The controller's section (the device, the button for each action, the
    // stick's dead zone), as a group of its own, between the view and the
    // buttons.
    sections->addWidget(new ControllerSection(m_settings, std::move(controllers)));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(text(QT_TRANSLATE_NOOP("SettingsDialog", "OK")));
    buttons->button(QDialogButtonBox::Cancel)->setText(text(QT_TRANSLATE_NOOP("SettingsDialog", "キャンセル")));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    sections->addWidget(buttons);
    sections->setSizeConstraint(QLayout::SetFixedSize);
}

QComboBox *SettingsDialog::addChoice(QFormLayout *form, const char *name, const QString &label,
                                     const QList<std::pair<QString, QVariant>> &choices, const QVariant &current,
                                     std::function<void(const QVariant &)> chosen, QWidget *beside)
{
    auto *box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(label);
    for (const auto &[caption, value] : choices)
        box->addItem(caption, value);
    const int index = box->findData(current);
    box->setCurrentIndex(index >= 0 ? index : 0);
    connect(box, &QComboBox::currentIndexChanged, box, [this, box, chosen = std::move(chosen)](int index) {
        chosen(box->itemData(index));
        // A screen reader hears a new choice from the open list by itself,
        // but not one made by the arrow keys on the closed box.
        if (box->hasFocus() && !box->view()->isVisible())
            m_announcer->say(box->currentText());
    });
    auto *caption = new QLabel(label);
    caption->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    caption->setBuddy(box);
    if (!beside) {
        form->addRow(caption, box);
        return box;
    }
    auto *line = new QHBoxLayout;
    line->addWidget(box, 1);
    line->addWidget(beside);
    form->addRow(caption, line);
    return box;
}

void SettingsDialog::addGameSection(QVBoxLayout *sections)
{
    QFormLayout *form = nullptr;
    addSection(sections, "gameSection", text(QT_TRANSLATE_NOOP("SettingsDialog", "ゲーム")), form);

    QList<std::pair<QString, QVariant>> pairs;
    for (int count : kPairChoices)
        pairs.append({QString::number(count), count});
    addChoice(form, "pairs", text(QT_TRANSLATE_NOOP("SettingsDialog", "ペアの数")), pairs, m_settings.pairs,
              [this](const QVariant &value) { m_settings.pairs = value.toInt(); });
    addPlayersRows(form);

    // The Try button stands beside the strength it tries, and follows it in
    // Tab order.
    QPushButton *tryButton = nullptr;
    if (m_tryStrength) {
        tryButton = new QPushButton(text(QT_TRANSLATE_NOOP("SettingsDialog", "試す")));
        tryButton->setObjectName(QStringLiteral("tryStrength"));
        tryButton->setAccessibleName(text(QT_TRANSLATE_NOOP("SettingsDialog", "効果の強さを試す")));
        tryButton->setAutoDefault(false);
        connect(tryButton, &QPushButton::clicked, this, [this] { m_tryStrength(m_settings.strength); });
    }
    QList<std::pair<QString, QVariant>> strengths;
    for (int value = kStrengthMin; value <= kStrengthMax; value += kStrengthStep)
        strengths.append({percent(value), value});
    addChoice(form, "strength", text(QT_TRANSLATE_NOOP("SettingsDialog", "効果の強さ")), strengths,
              m_settings.strength, [this](const QVariant &value) { m_settings.strength = value.toInt(); }, tryButton);

    addCheck(form, "sound", text(QT_TRANSLATE_NOOP("SettingsDialog", "音でも遊ぶ")), m_settings.sound,
             [this](bool on) { m_settings.sound = on; });
    addCheck(form, "journal", text(QT_TRANSLATE_NOOP("SettingsDialog", "プレイ記録を残す")), m_settings.journal,
             [this](bool on) { m_settings.journal = on; });
}

// Who plays, and what only some ways to play use: the computer's level, and
// the controllers of a second seat.
void SettingsDialog::addPlayersRows(QFormLayout *form)
{
    QComboBox *players = addChoice(
        form, "players", text(QT_TRANSLATE_NOOP("SettingsDialog", "遊び方")),
        {{text(QT_TRANSLATE_NOOP("SettingsDialog", "一人")), int(Players::One)},
         {text(QT_TRANSLATE_NOOP("SettingsDialog", "二人")), int(Players::Two)},
         {text(QT_TRANSLATE_NOOP("SettingsDialog", "コンピューターと")), int(Players::Computer)}},
        int(m_settings.players), [this](const QVariant &value) { m_settings.players = Players(value.toInt()); });
    QComboBox *level = addChoice(
        form, "computerLevel", text(QT_TRANSLATE_NOOP("SettingsDialog", "コンピューターの強さ")),
        {{text(QT_TRANSLATE_NOOP("SettingsDialog", "やさしい")), int(ComputerLevel::Easy)},
         {text(QT_TRANSLATE_NOOP("SettingsDialog", "ふつう")), int(ComputerLevel::Normal)},
         {text(QT_TRANSLATE_NOOP("SettingsDialog", "つよい")), int(ComputerLevel::Strong)}},
        int(m_settings.computerLevel),
        [this](const QVariant &value) { m_settings.computerLevel = ComputerLevel(value.toInt()); });
    QCheckBox *swap = addCheck(form, "swapControllers",
                               text(QT_TRANSLATE_NOOP("SettingsDialog", "コントローラーを入れ替える")),
                               m_settings.swapControllers, [this](bool on) { m_settings.swapControllers = on; });
    // Kept, but out of the way, while the way to play chosen does not use them.
    const auto seat = [this, form, level, swap] {
        level->setEnabled(m_settings.players == Players::Computer);
        form->labelForField(level)->setEnabled(level->isEnabled());
        swap->setEnabled(m_settings.players != Players::One);
    };
    seat();
    connect(players, &QComboBox::currentIndexChanged, this, seat);
}

void SettingsDialog::addViewSection(QVBoxLayout *sections)
{
    QFormLayout *form = nullptr;
    addSection(sections, "viewSection", text(QT_TRANSLATE_NOOP("SettingsDialog", "表示")), form);

    QList<std::pair<QString, QVariant>> zooms;
    for (int value : kZoomChoices)
        zooms.append({percent(value), value});
    addChoice(form, "zoom", text(QT_TRANSLATE_NOOP("SettingsDialog", "表示の大きさ")), zooms, m_settings.zoom,
              [this](const QVariant &value) { m_settings.zoom = value.toInt(); });
    addCheck(form, "highContrast", text(QT_TRANSLATE_NOOP("SettingsDialog", "見やすいカード")),
             m_settings.highContrast, [this](bool on) { m_settings.highContrast = on; });

    // Each language by its own name, so a player finds theirs whatever the
    // interface speaks now.
    QComboBox *language = addChoice(
        form, "language", text(QT_TRANSLATE_NOOP("SettingsDialog", "言語")),
        {{text(QT_TRANSLATE_NOOP("SettingsDialog", "自動")), QString()},
         {QStringLiteral("日本語"), QStringLiteral("ja")},
         {QStringLiteral("English"), QStringLiteral("en")}},
        m_settings.language, [this](const QVariant &value) { m_settings.language = value.toString(); });
    language->setAccessibleDescription(languageNote());
    auto *note = new QLabel(languageNote());
    note->setObjectName(QStringLiteral("languageNote"));
    form->addRow(note);
}

} // namespace pelnori
