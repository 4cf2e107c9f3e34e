// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace pelnori {

class BestTimeStore;

// Best times (記録): a table of each effect file by name with its best time
// for 4, 6 and 8 pairs, which a screen reader reads cell by cell with its
// headers, and a button that clears them all after asking.
class BestTimesDialog : public QDialog
{
    Q_OBJECT

public:
    BestTimesDialog(BestTimeStore &store, QWidget *parent = nullptr);

    QTableWidget *table() const { return m_table; }
    QPushButton *clearButton() const { return m_clear; }

private:
    void fill();
    void clearAfterAsking();

    BestTimeStore &m_store;
    QTableWidget *m_table = nullptr;
    QLabel *m_empty = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_close = nullptr;
};

// Shows the best times modally over parent; a records file that cannot be
// read is set aside and told first.
void showBestTimes(QWidget *parent, BestTimeStore &store);

} // namespace pelnori
