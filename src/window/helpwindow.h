#pragma once

#include <QDialog>

class QAction;
class QTableWidget;

namespace veltaro {

// What F1 opens: every command of the window with its keys and what it does, read from the
// window's actions, so that it lists exactly what the keys, the menu and the panel do.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    HelpWindow(const QList<QAction *> &actions, QWidget *parent);

    QTableWidget *table() const { return m_table; }

private:
    QTableWidget *m_table;
};

} // namespace veltaro
