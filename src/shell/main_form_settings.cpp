// The main window's stored settings: what it reads while it is created, the toolbar and panel
// layouts under Toolbars\<name>, the window position, and what it writes back when it closes.
//
// A layout keeps the values of the stored table; Qt's own arrangement is rebuilt from them: the
// dock area from CurrentDock, the order of toolbars in an area from DockRow and DockPos, a panel's
// docked width or height, floating panels with their position and size.
#include "editor/code_editor.h"
#include "platform/path_macros.h"
#include "platform/registry.h"
#include "platform/settings.h"
#include "platform/system_folders.h"
#include "shell/early_startup.h"
#include "shell/main_form.h"
#include "shell/panels.h"
#include "shell/status_bar.h"
#include "shell/translate.h"

#include <QAction>
#include <QDockWidget>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>
#include <map>

namespace shell {
namespace {

namespace st = platform::settings;

struct DockName {
    Qt::DockWidgetArea area;
    const char* name;
};
constexpr DockName kDocks[] = {{Qt::TopDockWidgetArea, "TBXDockTop"},
                               {Qt::BottomDockWidgetArea, "TBXDockBottom"},
                               {Qt::LeftDockWidgetArea, "TBXDockLeft"},
                               {Qt::RightDockWidgetArea, "TBXDockRight"}};

std::string dockName(Qt::DockWidgetArea area)
{
    for (const DockName& d : kDocks) {
        if (d.area == area)
            return d.name;
    }
    return {};
}

std::string dockName(Qt::ToolBarArea area)
{
    switch (area) {
    case Qt::TopToolBarArea:
        return "TBXDockTop";
    case Qt::BottomToolBarArea:
        return "TBXDockBottom";
    case Qt::LeftToolBarArea:
        return "TBXDockLeft";
    case Qt::RightToolBarArea:
        return "TBXDockRight";
    default:
        return {};
    }
}

// The area a dock name stands for, compared without regard to case; NoDockWidgetArea when none.
Qt::DockWidgetArea dockArea(const std::string& name)
{
    for (const DockName& d : kDocks) {
        if (QString::fromStdString(name).compare(d.name, Qt::CaseInsensitive) == 0)
            return d.area;
    }
    return Qt::NoDockWidgetArea;
}

Qt::ToolBarArea toolBarAreaFor(Qt::DockWidgetArea a)
{
    switch (a) {
    case Qt::TopDockWidgetArea:
        return Qt::TopToolBarArea;
    case Qt::BottomDockWidgetArea:
        return Qt::BottomToolBarArea;
    case Qt::LeftDockWidgetArea:
        return Qt::LeftToolBarArea;
    case Qt::RightDockWidgetArea:
        return Qt::RightToolBarArea;
    default:
        return Qt::NoToolBarArea;
    }
}

bool horizontal(Qt::ToolBarArea a)
{
    return a == Qt::TopToolBarArea || a == Qt::BottomToolBarArea;
}

std::string qstd(const QString& s)
{
    return s.toStdString();
}

} // namespace

void TMainForm::readCreationSettings()
{
    platform::Registry::Batch batch(platform::Registry::currentUser());

    m_titleBase = QString::fromStdString(titleBase());
    setWindowTitle(m_titleBase);
    st::general::InstallDir.write(platform::withoutTrailingSeparator(platform::sourceDir().string()));

    QTreeWidget* props = m_inspector->properties();
    props->header()->resizeSection(0, st::general::Inspector1Splitter.read(props->header()->sectionSize(0)));
    QTreeWidget* events = m_inspector->events();
    events->header()->resizeSection(0, st::general::Inspector2Splitter.read(events->header()->sectionSize(0)));

    try {
        restoreLayouts();
    } catch (...) {
        // A layout that cannot be restored keeps the built-in arrangement.
    }

    m_helpHint = lang("SFORHELPPRESSF1");
    m_status->setPanelText(0, m_helpHint);

    m_editorOptions = editor::EditorOptions::load(editor::editorOptionsReadPath(platform::sourceDir()));
    m_editorOptions.applyTo(*m_editor);

    applySkin(QString::fromStdString(st::general::Skin.read()));

    // Tools: counting down and inserting at the top shows tools 1 to NR in ascending order.
    QMenu* tools = m_menus.value("Tools1");
    const std::vector<st::ToolEntry> entries = st::readTools();
    QList<QAction*> items;
    for (int i = static_cast<int>(entries.size()); i >= 1; --i) {
        const st::ToolEntry& e = entries[i - 1];
        if (e.isSeparator()) {
            auto* sep = new QAction(this);
            sep->setSeparator(true);
            items.prepend(sep);
        }
        if (e.name.empty() || e.command.empty())
            continue;
        const QString command = QString::fromStdString(platform::ExpandPathMacros(e.command));
        m_toolCommands.append(command);
        const int tag = static_cast<int>(m_toolCommands.size()) - 1;
        auto* a = new QAction(QString::fromStdString(e.name), this);
        a->setProperty("lmbToolTag", tag);
        if (QFileInfo(command).isFile())
            a->setIcon(QFileIconProvider().icon(QFileInfo(command)));
        a->setShortcut(QKeySequence(QString::fromStdString(e.shortcut)));
        setHint(a, lang("SOPENS", {a->text()}));
        connect(a, &QAction::triggered, this, [this, tag] { runTool(tag); });
        items.prepend(a);
    }
    QAction* first = tools->actions().value(0);
    for (QAction* a : items)
        tools->insertAction(first, a);

    buildLanguageMenu();

    // The re-open list: remembered files that still exist.
    st::RecentFiles recent;
    recent.load();
    m_recent.clear();
    for (const std::string& item : recent.items())
        m_recent.append(QString::fromStdString(item));
    updateReopenMenu();
}

void TMainForm::runTool(int tag)
{
    if (tag < 0 || tag >= m_toolCommands.size())
        return;
    QStringList parts = QProcess::splitCommand(m_toolCommands[tag]);
    // A command line naming an existing program file with blanks in its path is that file alone.
    if (QFileInfo(m_toolCommands[tag]).isFile())
        parts = {m_toolCommands[tag]};
    if (parts.isEmpty())
        return;
    const QString program = parts.takeFirst();
    m_prompter.startDetached(program, parts);
}

void TMainForm::restoreLayouts()
{
    // Toolbars: read every layout with the current one as default, then rebuild the areas.
    struct Placed {
        QToolBar* bar;
        st::DockLayout layout;
        Qt::ToolBarArea area;
    };
    std::vector<Placed> placed;
    for (int i = 0; i < 6; ++i) {
        QToolBar* bar = m_toolbars[i];
        st::DockLayout current;
        current.visible = !bar->isHidden();
        current.left = bar->x();
        current.top = bar->y();
        current.width = bar->width();
        current.height = bar->height();
        current.currentDock = dockName(toolBarArea(bar));
        current.lastDock = current.currentDock;
        // Built in: the main menu alone on the first row, the other toolbars side by side below it.
        current.dockRow = i == 0 ? 0 : 1;
        current.dockPos = i;
        st::DockLayout l = st::readDockLayout(qstd(bar->objectName()), false, current);
        Qt::DockWidgetArea area = dockArea(l.currentDock);
        if (area == Qt::NoDockWidgetArea)
            area = dockArea(l.lastDock);
        if (area == Qt::NoDockWidgetArea)
            area = dockArea(current.lastDock);
        placed.push_back({bar, l, toolBarAreaFor(area)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        if (a.area != b.area)
            return a.area < b.area;
        if (a.layout.dockRow != b.layout.dockRow)
            return a.layout.dockRow < b.layout.dockRow;
        return a.layout.dockPos < b.layout.dockPos;
    });
    for (const Placed& p : placed)
        removeToolBar(p.bar);
    std::map<Qt::ToolBarArea, int> lastRow;
    for (const Placed& p : placed) {
        auto it = lastRow.find(p.area);
        if (it != lastRow.end() && it->second != p.layout.dockRow)
            addToolBarBreak(p.area);
        lastRow[p.area] = p.layout.dockRow;
        addToolBar(p.area, p.bar);
        // The main menu cannot be hidden.
        p.bar->setVisible(p.bar == m_toolbars[0] || p.layout.visible);
    }

    // Panels.
    const std::array<QDockWidget*, 3> docks{m_pnlControls, m_pnlInspector, m_pnlMessages};
    for (QDockWidget* dock : docks) {
        st::DockLayout current;
        current.visible = !dock->isHidden();
        current.floating = dock->isFloating();
        current.left = dock->x();
        current.top = dock->y();
        current.width = dock->width();
        current.height = dock->height();
        // Before the first display a panel has no size of its own yet: its built-in size stands in.
        const QSize builtIn = dock == m_pnlControls    ? QSize(170, 400)
                              : dock == m_pnlInspector ? QSize(290, 400)
                                                       : QSize(600, 140);
        current.dockedWidth = dock->isVisible() ? dock->width() : builtIn.width();
        current.dockedHeight = dock->isVisible() ? dock->height() : builtIn.height();
        current.floatingWidth = dock->width();
        current.floatingX = dock->x();
        current.floatingY = dock->y();
        current.currentDock = dockName(dockWidgetArea(dock));
        current.lastDock = current.currentDock;
        const st::DockLayout l = st::readDockLayout(qstd(dock->objectName()), true, current);
        Qt::DockWidgetArea area = dockArea(l.currentDock);
        if (area == Qt::NoDockWidgetArea)
            area = dockArea(l.lastDock);
        if (area == Qt::NoDockWidgetArea)
            area = dockWidgetArea(dock);
        if (area != dockWidgetArea(dock) && !l.floating)
            addDockWidget(area, dock);
        if (l.floating) {
            dock->setFloating(true);
            QRect wanted(l.floatingX, l.floatingY, std::max(80, l.floatingWidth), std::max(60, l.height));
            // A panel keeps to the desktop, and one stored on a screen that is gone comes back
            // where it can be seen.
            if (const QScreen* primary = QGuiApplication::primaryScreen()) {
                wanted.setSize(wanted.size().boundedTo(primary->availableVirtualGeometry().size()));
                if (!QGuiApplication::screenAt(wanted.topLeft() + QPoint(20, 10)))
                    wanted.moveTopLeft(primary->availableGeometry().topLeft() + QPoint(40, 40));
            }
            dock->setGeometry(wanted);
        } else {
            dock->setFloating(false);
            // Sizes take effect once the window has its layout, at the first display.
            const bool across = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
            m_pendingDockSizes.append({dock,
                                       across ? std::max(60, l.dockedWidth) : std::max(40, l.dockedHeight),
                                       across ? Qt::Horizontal : Qt::Vertical});
            if (isVisible())
                applyDockSizes();
        }
        dock->setVisible(l.visible);
    }
}

void TMainForm::applyDockSizes()
{
    for (const PendingDockSize& p : m_pendingDockSizes)
        resizeDocks({p.dock}, {p.size}, p.orientation);
    m_pendingDockSizes.clear();
}

void TMainForm::saveLayouts()
{
    for (int i = 0; i < 6; ++i) {
        QToolBar* bar = m_toolbars[i];
        const Qt::ToolBarArea area = toolBarArea(bar);
        st::DockLayout l;
        l.visible = !bar->isHidden();
        l.left = bar->x();
        l.top = bar->y();
        l.width = bar->width();
        l.height = bar->height();
        // Rows are the distinct positions across the area; the place in a row is the position along it.
        std::vector<int> rows;
        for (QToolBar* other : m_toolbars) {
            if (toolBarArea(other) == area)
                rows.push_back(horizontal(area) ? other->y() : other->x());
        }
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        const int across = horizontal(area) ? bar->y() : bar->x();
        l.dockRow = static_cast<int>(std::lower_bound(rows.begin(), rows.end(), across) - rows.begin());
        l.dockPos = horizontal(area) ? bar->x() : bar->y();
        l.floating = bar->isFloating();
        l.floatingWidth = bar->width();
        l.floatingX = bar->x();
        l.floatingY = bar->y();
        l.currentDock = bar->isFloating() ? std::string() : dockName(area);
        l.lastDock = dockName(area);
        st::writeDockLayout(qstd(bar->objectName()), false, l);
    }
    for (QDockWidget* dock : {m_pnlControls, m_pnlInspector, m_pnlMessages}) {
        const Qt::DockWidgetArea area = dockWidgetArea(dock);
        st::DockLayout l;
        l.visible = !dock->isHidden();
        l.left = dock->x();
        l.top = dock->y();
        l.width = dock->width();
        l.height = dock->height();
        l.dockRow = 0;
        l.dockPos =
            (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea) ? dock->y() : dock->x();
        l.floating = dock->isFloating();
        l.floatingWidth = dock->width();
        l.dockedWidth = dock->width();
        l.dockedHeight = dock->height();
        l.floatingX = dock->x();
        l.floatingY = dock->y();
        l.currentDock = dock->isFloating() ? std::string() : dockName(area);
        l.lastDock = dockName(area);
        st::writeDockLayout(qstd(dock->objectName()), true, l);
    }
}

void TMainForm::restorePosition()
{
    platform::Registry::Batch batch(platform::Registry::currentUser());
    const QRect g = geometry();
    const int left = st::position::Left.read(g.x());
    const int top = st::position::Top.read(g.y());
    const int width = st::position::Width.read(g.width());
    const int height = st::position::Height.read(g.height());
    const int state = st::position::State.read(0);
    QRect wanted(left, top, std::max(width, 320), std::max(height, 240));
    // The stored size never exceeds the desktop (a damaged value must not ask for a window of a
    // hundred thousand pixels), and the title bar stays reachable when the screens changed.
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect desktop = primary->availableVirtualGeometry();
        wanted.setSize(wanted.size().boundedTo(desktop.size().expandedTo(QSize(320, 240))));
        if (!QGuiApplication::screenAt(wanted.topLeft() + QPoint(40, 10)))
            wanted.moveTopLeft(primary->availableGeometry().topLeft());
    }
    setGeometry(wanted);
    if (state == 2)
        setWindowState(Qt::WindowMaximized);
    else if (state == 1)
        setWindowState(Qt::WindowMinimized);
}

void TMainForm::writeClosingSettings()
{
    // In the order of the closing steps; an error ends the sequence, except for the files whose
    // failures are ignored (Editor.opt), after which the remaining values are still written.
    platform::Registry::Batch batch(platform::Registry::currentUser());
    try {
        st::general::Skin.write(qstd(m_skin));
        st::general::Inspector1Splitter.write(m_inspector->properties()->header()->sectionSize(0));
        st::general::Inspector2Splitter.write(m_inspector->events()->header()->sectionSize(0));
        saveLayouts();
        // The entries are stored as the list holds them, already expanded.
        std::vector<std::string> items;
        for (const QString& path : m_recent)
            items.push_back(qstd(path));
        st::RecentFiles recent;
        recent.setItems(std::move(items));
        recent.save();
        try {
            m_editorOptions.save(editor::editorOptionsWritePath(platform::sourceDir()));
        } catch (...) {
        }

        const Qt::WindowStates s = windowState();
        st::position::State.write(s & Qt::WindowMaximized ? 2 : (s & Qt::WindowMinimized ? 1 : 0));
        const QRect normal =
            (s & (Qt::WindowMaximized | Qt::WindowMinimized)) ? normalGeometry() : geometry();
        st::position::Left.write(normal.x());
        st::position::Top.write(normal.y());
        st::position::Width.write(normal.width());
        st::position::Height.write(normal.height());
    } catch (...) {
        // Settings that cannot be written are skipped; closing goes on.
    }
}

void TMainForm::updateStartupDialogsMenu()
{
    QAction* tip = action("StartupTip1");
    QAction* welcome = action("StartupWelcome1");
    tip->setChecked(st::general::ShowTips.read());
    welcome->setChecked(st::general::ShowWelcome.read());
}

} // namespace shell
