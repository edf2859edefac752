#include "window/helpwindow.h"

#include "window/commandtable.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace veltaro {

HelpWindow::HelpWindow(const QList<QAction *> &actions, QWidget *parent)
    : QDialog(parent), m_table(new QTableWidget(int(actions.size()), 3, this))
{
    setWindowTitle(tr("Veltaro 帮助"));
    m_table->setHorizontalHeaderLabels(
        {tr("按键"), tr("命令"), tr("作用")});
    m_table->setAccessibleName(tr("命令和按键"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    for (int row = 0; row < actions.size(); ++row) {
        const QAction *action = actions[row];
        // The keys as --help, the manual pages and the README write them: the table's own,
        // not the platform's extra bindings the action also answers to.
        const QString keys = row < qsizetype(commandTable().size()) ? keysText(commandTable()[size_t(row)])
                                                                     : QString();
        const QString name = action->text().remove(QLatin1Char('&'));
        m_table->setItem(row, 0, new QTableWidgetItem(keys.isEmpty() ? tr("（按钮）") : keys));
        m_table->setItem(row, 1, new QTableWidgetItem(name));
        m_table->setItem(row, 2, new QTableWidgetItem(action->toolTip()));
    }
    // The keys and the names whole; what a command does takes the rest, wrapped onto as many
    // lines as it needs.
    m_table->resizeColumnToContents(0);
    m_table->resizeColumnToContents(1);
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_table->setWordWrap(true);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *note = new QLabel(
        mouseHint() + tr("面板上的按钮与这些命令相同。速度、往返、末帧停留、循环时长和“适应窗口”"
                                     "在下次启动时沿用；循环在另选时刻或时长之前保持同一段小时。"),
        this);
    note->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(note);
    layout->addWidget(buttons);
    const int columns = m_table->columnWidth(0) + m_table->columnWidth(1);
    resize(std::max(760, columns + 420), 560);
}

} // namespace veltaro
