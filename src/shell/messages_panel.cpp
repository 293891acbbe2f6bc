// The Messages list and its menu.
#include "shell/messages_panel.h"

#include "shell/studio_icons.h"
#include "shell/translate.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QSaveFile>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace shell {

MessagesPanel::MessagesPanel(Prompter& prompter, QWidget* parent) : QWidget(parent), m_prompter(prompter)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = new QTreeWidget(this);
    m_list->setObjectName("ListView1");
    m_list->setColumnCount(3);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setColumnHidden(1, true);
    m_list->setColumnHidden(2, true);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_list);

    m_menu = new QMenu(this);
    m_menu->setObjectName("PopupMenu2");
    m_viewSource = m_menu->addAction(tr("View Source"));
    m_viewSource->setObjectName("ViewSource1");
    m_menu->addSeparator();
    m_save = m_menu->addAction(tr("Save messages"));
    m_save->setObjectName("Savemessages1");
    m_clear = m_menu->addAction(tr("Clear messages"));
    m_clear->setObjectName("Clearmessages1");
    m_saveTitle = new DialogTitle("SaveDialog2", tr("Save Compiler Messages As"), this);

    connect(m_viewSource, &QAction::triggered, this, &MessagesPanel::viewSource);
    connect(m_save, &QAction::triggered, this, &MessagesPanel::saveMessages);
    connect(m_clear, &QAction::triggered, this, &MessagesPanel::clear);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { viewSource(); });
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        updateMenu();
        m_menu->popup(m_list->viewport()->mapToGlobal(pos));
    });
}

void MessagesPanel::addRow(const MessageRow& row)
{
    auto* item = new QTreeWidgetItem(m_list);
    item->setText(0, row.text);
    item->setText(1, QString::number(row.row));
    item->setText(2, QString::number(row.column));
    item->setIcon(0, statusIcon(row.icon));
    item->setData(0, Qt::UserRole, row.icon);
    item->setToolTip(0, row.text);
    m_list->scrollToItem(item);
}

void MessagesPanel::clear()
{
    m_list->clear();
}

int MessagesPanel::count() const
{
    return m_list->topLevelItemCount();
}

MessageRow MessagesPanel::rowAt(int index) const
{
    const QTreeWidgetItem* item = m_list->topLevelItem(index);
    if (!item)
        return {};
    return {item->text(0), item->text(1).toInt(), item->text(2).toInt(), item->data(0, Qt::UserRole).toInt()};
}

int MessagesPanel::currentRow() const
{
    QTreeWidgetItem* item = m_list->currentItem();
    return item && item->isSelected() ? m_list->indexOfTopLevelItem(item) : -1;
}

void MessagesPanel::setCurrentRow(int index)
{
    m_list->clearSelection();
    if (QTreeWidgetItem* item = m_list->topLevelItem(index)) {
        m_list->setCurrentItem(item);
        item->setSelected(true);
    }
}

void MessagesPanel::updateMenu()
{
    const QTreeWidgetItem* item = currentRow() >= 0 ? m_list->currentItem() : nullptr;
    m_viewSource->setEnabled(item && !(item->text(1) == "-1" && item->text(2) == "-1"));
}

void MessagesPanel::viewSource()
{
    const QTreeWidgetItem* item = currentRow() >= 0 ? m_list->currentItem() : nullptr;
    if (!item)
        return;
    bool okRow = false, okColumn = false;
    const int row = item->text(1).toInt(&okRow);
    const int column = item->text(2).toInt(&okColumn);
    if (!okRow || !okColumn || (row == -1 && column == -1))
        return;
    emit sourceRequested(row, column);
}

bool MessagesPanel::saveMessages()
{
    FileDialogRequest request;
    request.title = m_saveTitle->title();
    request.filter = "*.txt (*.txt)";
    request.defaultSuffix = "txt";
    request.overwritePrompt = true;
    if (dialogActiveHook)
        dialogActiveHook(true);
    const QString path = m_prompter.saveFileName(request);
    if (dialogActiveHook)
        dialogActiveHook(false);
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Text);
    for (int i = 0; ok && i < count(); ++i)
        ok = file.write((m_list->topLevelItem(i)->text(0) + "\n").toUtf8()) >= 0;
    if (ok && file.commit())
        return true;
    m_prompter.message(lang("ErrorSaving", {path}), lang("Serror"), MessageIcon::Error);
    return false;
}

} // namespace shell
