// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/besttimesdialog.h"

#include "game/besttimestore.h"
#include "game/settingslimits.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <vector>

namespace pelnori {

namespace {

// Column 0 names the file; then one column for each choice of pairs.
constexpr int kFirstPairsColumn = 1;

} // namespace

BestTimesDialog::BestTimesDialog(BestTimeStore &store, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
{
    setWindowTitle(QCoreApplication::translate("BestTimesDialog", "記録"));
    auto *layout = new QVBoxLayout(this);

    m_table = new QTableWidget(0, kFirstPairsColumn + int(kPairChoices.size()), this);
    QStringList headers{QCoreApplication::translate("BestTimesDialog", "エフェクトファイル")};
    for (const int pairs : kPairChoices)
        headers << QCoreApplication::translate("BestTimesDialog", "%1ペア").arg(pairs);
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    m_table->setAccessibleName(QCoreApplication::translate("BestTimesDialog", "記録"));
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_table);

    m_empty = new QLabel(this);
    layout->addWidget(m_empty);

    auto *buttons = new QDialogButtonBox(this);
    m_clear = buttons->addButton(QCoreApplication::translate("BestTimesDialog", "記録を消す..."),
                                 QDialogButtonBox::ActionRole);
    m_close =
        buttons->addButton(QCoreApplication::translate("BestTimesDialog", "閉じる"), QDialogButtonBox::RejectRole);
    m_close->setDefault(true);
    layout->addWidget(buttons);
    connect(m_clear, &QPushButton::clicked, this, &BestTimesDialog::clearAfterAsking);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    fill();
}

void BestTimesDialog::fill()
{
    QString problem;
    const BestTimes times = m_store.load(&problem);
    if (!problem.isEmpty())
        QMessageBox::warning(this, windowTitle(), problem);

    // One row per file, by its digest, in the order of the names.
    std::map<QString, std::pair<QString, std::map<int, int>>> files;
    for (const BestTime &time : times.all()) {
        auto &[name, seconds] = files[time.fileId];
        name = time.fileName;
        seconds[time.pairs] = time.seconds;
    }
    std::vector<std::pair<QString, std::map<int, int>>> rows;
    for (auto &[id, row] : files)
        rows.push_back(row);
    std::sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) { return a.first < b.first; });

    m_table->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(rows[row].first));
        for (std::size_t c = 0; c < kPairChoices.size(); ++c) {
            const auto found = rows[row].second.find(kPairChoices[c]);
            const QString text = found == rows[row].second.end()
                                     ? QCoreApplication::translate("BestTimesDialog", "なし")
                                     : QCoreApplication::translate("BestTimesDialog", "%1秒").arg(found->second);
            m_table->setItem(row, kFirstPairsColumn + int(c), new QTableWidgetItem(text));
        }
    }
    m_table->setVisible(!rows.empty());
    // Its text only while shown, so a hidden label holds nothing to read.
    m_empty->setText(rows.empty() ? QCoreApplication::translate("BestTimesDialog", "まだ記録がありません。")
                                  : QString());
    // Said with the dialog's name: a screen reader reads a dialog's loose
    // labels only when they have a few words, which a Japanese sentence,
    // written without spaces, never has.
    setAccessibleDescription(m_empty->text());
    m_empty->setVisible(rows.empty());
    m_clear->setEnabled(!rows.empty());
    if (rows.empty()) {
        m_close->setFocus();
    } else {
        m_table->setCurrentCell(0, 0);
        m_table->setFocus();
    }
}

void BestTimesDialog::clearAfterAsking()
{
    const auto answer =
        QMessageBox::question(this, windowTitle(), QCoreApplication::translate("BestTimesDialog", "すべての記録を消しますか？"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    QString problem;
    if (!m_store.clear(&problem) && !problem.isEmpty())
        QMessageBox::warning(this, windowTitle(), problem);
    fill();
}

void showBestTimes(QWidget *parent, BestTimeStore &store)
{
    BestTimesDialog dialog(store, parent);
    dialog.exec();
}

} // namespace pelnori
