// The Edit menu: Undo and Redo of the selected document's edits. Their texts
// name the step they take back or make again ("Undo Quality Filter").
#include "DocumentStates.h"
#include "MainWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoGroup>

void TForm_VeskMain::BuildEditMenu()
{
    TMainWidgets &w = FWidgets;
    QUndoGroup &group = FStates->UndoGroup();
    w.Undo = group.createUndoAction(this, QStringLiteral("Undo"));
    w.Undo->setObjectName(QStringLiteral("Action_Undo"));
    w.Undo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Z"))});
    w.Redo = group.createRedoAction(this, QStringLiteral("Redo"));
    w.Redo->setObjectName(QStringLiteral("Action_Redo"));
    w.Redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    for (QAction *action : {w.Undo, w.Redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    QMenu *editMenu = menuBar()->addMenu(QStringLiteral("Edit"));
    editMenu->setObjectName(QStringLiteral("Menu_Edit"));
    editMenu->addActions({w.Undo, w.Redo});
}
