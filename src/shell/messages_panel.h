// The Messages list: one row per compiler or runtime message, with the message text, its source
// row and column (kept in two hidden columns, "-1" for none) and one of three icons (1 success or
// hint, 2 warning, 3 error). Its menu offers View Source (also a double click), Save messages and
// Clear messages.
#pragma once

#include "shell/prompter.h"

#include <QWidget>

class QAction;
class QMenu;
class QTreeWidget;

namespace shell {

class DialogTitle;

struct MessageRow {
    QString text;
    int row = -1;
    int column = -1;
    int icon = 1;
};

class MessagesPanel : public QWidget {
    Q_OBJECT
public:
    MessagesPanel(Prompter& prompter, QWidget* parent = nullptr);

    void addRow(const MessageRow& row);
    void clear();
    int count() const;
    MessageRow rowAt(int index) const;
    int currentRow() const;
    void setCurrentRow(int index);

    QTreeWidget* list() const { return m_list; }
    QMenu* popupMenu() const { return m_menu; }
    QAction* viewSourceAction() const { return m_viewSource; }

    // Before the menu opens: View Source only for a selected row that has a position.
    void updateMenu();
    void viewSource();
    // Asks for a file and writes the row texts, one per line. False when cancelled or failed.
    bool saveMessages();

    // Lets the main window mark the dialog-open flag around the save dialog.
    std::function<void(bool)> dialogActiveHook;

signals:
    void sourceRequested(int row, int column);

private:
    Prompter& m_prompter;
    QTreeWidget* m_list;
    QMenu* m_menu;
    QAction* m_viewSource;
    QAction* m_save;
    QAction* m_clear;
    DialogTitle* m_saveTitle;
};

} // namespace shell
