#include "window/actiontable.h"

#include <QAction>
#include <QWidget>

namespace veltaro {

ActionTable::ActionTable(QWidget *window) : QObject(window)
{
    for (const CommandDesign &design : commandTable()) {
        auto *action = new QAction(nameOf(design), window);
        QList<QKeySequence> keys =
            QKeySequence::listFromString(QString::fromLatin1(design.keys), QKeySequence::PortableText);
        if (design.standardKey != QKeySequence::UnknownKey)
            for (const QKeySequence &own : QKeySequence::keyBindings(design.standardKey))
                if (!keys.contains(own))
                    keys << own;
        action->setShortcuts(keys);
        // An open list is a window of its own and keeps its keys; quitting works from every
        // window of the program (an export's progress, a dialog left open).
        action->setShortcutContext(design.command == Command::Exit ? Qt::ApplicationShortcut
                                                                   : Qt::WindowShortcut);
        action->setToolTip(helpOf(design));
        window->addAction(action);
        m_actions.insert(design.command, action);
    }
}

QList<QAction *> ActionTable::actions() const
{
    QList<QAction *> all;
    for (const CommandDesign &design : commandTable())
        all << m_actions.value(design.command);
    return all;
}

} // namespace veltaro
