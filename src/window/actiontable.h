#pragma once

#include "window/commandtable.h"

#include <QHash>
#include <QObject>

class QAction;
class QWidget;

namespace veltaro {

// One QAction for each row of the command table, made on the window with its keys (the
// table's and the platform's own), so that a key works wherever the focus is in the window.
// Whoever carries a command out connects to its action's triggered().
class ActionTable : public QObject
{
    Q_OBJECT

public:
    explicit ActionTable(QWidget *window);

    QAction *action(Command command) const { return m_actions.value(command); }
    QList<QAction *> actions() const;

private:
    QHash<Command, QAction *> m_actions;
};

} // namespace veltaro
