// The main window's menus and toolbars. Every item carries its component name as object name, so
// the language file's MainForm section translates its caption (name) and hint (name.hint).
#include "editor/code_editor.h"
#include "platform/settings.h"
#include "shell/main_form.h"
#include "shell/messages_panel.h"
#include "shell/skins.h"
#include "shell/studio_icons.h"
#include "shell/translate.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidgetAction>

namespace shell {

QAction* TMainForm::addItem(QMenu* menu, const QString& name, const QString& caption, const QString& shortcut,
                            const QString& hint, const QString& icon)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(QKeySequence(shortcut));
    if (!icon.isEmpty())
        action->setIcon(studioIcon(icon));
    setHint(action, hint);
    if (menu)
        menu->addAction(action);
    m_actions.insert(name, action);
    return action;
}

QMenu* TMainForm::addSubmenu(QMenu* parent, const QString& name, const QString& caption, const QString& hint)
{
    auto* menu = new QMenu(caption, this);
    menu->setObjectName(name);
    if (!hint.isEmpty())
        setHint(menu->menuAction(), hint);
    if (parent)
        parent->addMenu(menu);
    m_menus.insert(name, menu);
    return menu;
}

// An item whose command belongs to a part of the studio that is not built yet: shown, never enabled.
void TMainForm::pending(QAction* action)
{
    action->setEnabled(false);
    action->setProperty("lmbPending", true);
}

void TMainForm::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildViewMenu();
    buildProjectMenu();
    buildRunMenu();
    buildToolsMenu();
    buildHelpMenu();
    // Submenus that hold only commands of later parts are closed as a whole.
    for (const char* name : {"NewUsingWizard1", "ExportScriptTo1", "ToggleBookmarks1", "GotoBookmarks1"})
        pending(m_menus.value(name)->menuAction());

    auto* bar = new QMenuBar(this);
    bar->setObjectName("TBXMainMenu");
    bar->setNativeMenuBar(false);
    for (const char* name : {"File1", "Edit1", "View1", "Project1", "Run1", "Tools1", "Help1"})
        bar->addMenu(m_menus.value(name));
    setMenuBar(bar);

    // F1 is a window-wide command without a menu item.
    QAction* helpOf = addItem(nullptr, "ShowHelpOf", "ShowHelpOf", "F1", QString());
    helpOf->setShortcutContext(Qt::WindowShortcut);
    addAction(helpOf);
    connect(helpOf, &QAction::triggered, this, &TMainForm::showHelpOf);
}

void TMainForm::buildFileMenu()
{
    QMenu* m = addSubmenu(nullptr, "File1", "&File");
    m_openTitle = new DialogTitle("OpenDialog1", "Open Project", this);
    m_saveTitle = new DialogTitle("SaveDialog1", "Save Project As", this);
    connect(addItem(m, "NewProject1", "&New Project", "Ctrl+N", "New Project|Creates a new project", "new"),
            &QAction::triggered, this, &TMainForm::NewProject);
    pending(addItem(m, "NewFromTemplate1", "New from &Template...", "Ctrl+T",
                    "New from Template|Creates a new project from a template", "template"));
    QMenu* wizard = addSubmenu(m, "NewUsingWizard1", "New using &wizard");
    pending(addItem(wizard, "TBXItem113", "Slide show wizard", QString(),
                    "Slide show wizard|Creates a slide show project"));
    m->addSeparator();
    connect(addItem(m, "Open1", "&Open", "Ctrl+O", "Open|Opens an existing project", "open"),
            &QAction::triggered, this, &TMainForm::Open);
    QMenu* reopen = addSubmenu(m, "ReOpen1", "&Re-Open", "Re-Open|Opens a recently used project");
    reopen->addSeparator()->setObjectName("ReOpenSeparator1");
    connect(addItem(reopen, "ClearReopen1", "Clear this list", QString(),
                    "Clear this list|Erases the list of recently opened files"),
            &QAction::triggered, this, &TMainForm::ClearReopenList);
    m->addSeparator();
    connect(addItem(m, "Save1", "&Save", "Ctrl+S", "Save|Saves the project", "save"), &QAction::triggered,
            this, &TMainForm::Save);
    connect(addItem(m, "SaveAs1", "Save &As...", QString(), "Save As|Saves the project under a new name",
                    "saveas"),
            &QAction::triggered, this, &TMainForm::SaveAs);
    pending(addItem(m, "SaveAsTemplate1", "Save As Te&mplate", QString(),
                    "Save As Template|Saves the project as a template"));
    m->addSeparator();
    connect(addItem(m, "PasswordProtect1", "Pass&word Protect...", QString(),
                    "Password Protect|Protects the project with a password", "password"),
            &QAction::triggered, this, &TMainForm::PasswordProtect);
    m->addSeparator();
    pending(addItem(m, "TBXItem8", "&Export", "F7", "Export|Export project", "export"));
    pending(addItem(m, "TBXItem51", "Send as E-&mail", QString(),
                    "Send as E-mail|Sends the project file as an attachment", "mail"));
    m->addSeparator();
    pending(addItem(m, "TBXItem24", "&Print", "Ctrl+P", "Print|Prints the script or the form", "print"));
    pending(
        addItem(m, "TBXItem23", "Print Pre&view", QString(), "Print Preview|Previews the printed script"));
    pending(addItem(m, "TBXItem22", "Page Set&up", QString(), "Page Setup|Edits the page layout"));
    pending(addItem(m, "TBXItem21", "P&rinter Setup", QString(), "Printer Setup|Chooses the printer"));
    QMenu* exportScript = addSubmenu(m, "ExportScriptTo1", "Export Script To...");
    pending(addItem(exportScript, "TBXItem106", "HTML Format", QString(),
                    "HTML Format|Exports the script as an HTML document"));
    pending(addItem(exportScript, "TBXItem107", "Rich Text Format", QString(),
                    "Rich Text Format|Exports the script as an RTF document"));
    m->addSeparator();
    pending(addItem(m, "EditorOptions1", "Editor &Options", QString(), "Editor Options|Code editor options"));
    m->addSeparator();
    connect(addItem(m, "Exit1", "E&xit", QString(), "Exit|Exit application"), &QAction::triggered, this,
            &QWidget::close);
}

void TMainForm::buildEditMenu()
{
    QMenu* m = addSubmenu(nullptr, "Edit1", "&Edit");
    auto editorCommand = [this](QAction* a, void (QsciScintilla::*fn)()) {
        connect(a, &QAction::triggered, this, [this, fn] { (m_editor->*fn)(); });
    };
    editorCommand(addItem(m, "Undo1", "Undo", "Ctrl+Z", "Undo|Undoes the last change", "undo"),
                  &QsciScintilla::undo);
    editorCommand(addItem(m, "Redo1", "Redo", "Ctrl+Shift+Z", "Redo|Redoes the last undone change", "redo"),
                  &QsciScintilla::redo);
    m->addSeparator();
    editorCommand(addItem(m, "Cut1", "Cut", QString(), "Cut|Cuts the selection to the clipboard", "cut"),
                  &QsciScintilla::cut);
    editorCommand(
        addItem(m, "Copy1", "Copy", QString(), "Copy|Copies the selection to the clipboard", "copy"),
        &QsciScintilla::copy);
    editorCommand(addItem(m, "Paste1", "Paste", QString(), "Paste|Inserts the clipboard's text", "paste"),
                  &QsciScintilla::paste);
    m->addSeparator();
    connect(addItem(m, "SelectAll1", "Select All", QString(), "Select All|Selects the whole script"),
            &QAction::triggered, this, [this] { m_editor->selectAll(true); });
    m->addSeparator();
    QMenu* toggle = addSubmenu(m, "ToggleBookmarks1", "Toggle Bookmarks");
    QMenu* go = addSubmenu(m, "GotoBookmarks1", "Goto Bookmarks");
    for (int i = 0; i < 10; ++i) {
        QAction* t = addItem(toggle, QString("ToggleBookmark%1").arg(i), QString("Bookmark %1").arg(i),
                             QString(), QString());
        t->setCheckable(true);
        pending(t);
        pending(addItem(go, QString("GotoBookmark%1").arg(i), QString("Bookmark %1").arg(i), QString(),
                        QString()));
    }
    m->addSeparator();
    pending(addItem(m, "Find1", "Find", "Ctrl+F", "Find|Searches the script", "find"));
    pending(addItem(m, "FindNext1", "Find Next", "F3", "Find Next|Repeats the search forward"));
    pending(addItem(m, "FindPrevious1", "Find previous", "Shift+F3",
                    "Find previous|Repeats the search backward"));
    pending(addItem(m, "Replace1", "Replace", "Ctrl+R", "Replace|Replaces text in the script"));
    pending(addItem(m, "GoTo1", "Go to ...", "Ctrl+G", "Go to|Moves the caret to a line"));
    connect(m, &QMenu::aboutToShow, this, &TMainForm::updateEditMenu);
}

void TMainForm::buildViewMenu()
{
    QMenu* m = addSubmenu(nullptr, "View1", "&View");
    QAction* inspector = addItem(m, "ObjectInspector1", "Object &Inspector", "F11",
                                 "Object Inspector|Shows or hides the Object Inspector", "inspector");
    inspector->setCheckable(true);
    QAction* toolbox =
        addItem(m, "ToolBox1", "&ToolBox", QString(), "ToolBox|Shows or hides the controls", "toolbox");
    toolbox->setCheckable(true);
    QAction* messages =
        addItem(m, "Messages1", "&Messages", QString(), "Messages|Shows or hides the messages", "messages");
    messages->setCheckable(true);
    connect(
        addItem(m, "EditedForm1", "E&dited Form", "F12", "Edited Form|Shows the form being designed", "form"),
        &QAction::triggered, this, &TMainForm::ShowEditedForm);
    m->addSeparator();

    QMenu* bars = addSubmenu(m, "Toolbars1", "Toolbars", "Toolbars|Show/Hide Toolbars");
    QAction* mainMenu = addItem(bars, "MainMenu1", "Main Menu", QString(), QString());
    mainMenu->setCheckable(true);
    mainMenu->setChecked(true);
    mainMenu->setEnabled(false);
    mainMenu->setProperty("lmbPending", true);
    const char* barItems[] = {"FileMenuToolbar1", "ViewToolbar1", "HelpToolbar1", "ToolsToolbar1",
                              "RunToolbar1"};
    const char* barCaptions[] = {"File Menu Toolbar", "View Toolbar", "Help Toolbar", "Tools", "Run"};
    for (int i = 0; i < 5; ++i) {
        QAction* a = addItem(bars, barItems[i], barCaptions[i], QString(), QString());
        a->setCheckable(true);
        const int number = i + 2;
        connect(a, &QAction::triggered, this, [this, number](bool on) { toolbar(number)->setVisible(on); });
    }
    connect(bars, &QMenu::aboutToShow, this, &TMainForm::updateToolbarsMenu);

    addSubmenu(m, "Skins1", "S&kins", "Skins|Changes the look of the studio");
    addSubmenu(m, "Language1", "&Language", "Language|Changes the language of the studio");
    QMenu* startup = addSubmenu(m, "StartupDialogs1", "Startup Dialogs",
                                "Startup Dialogs|Dialogs shown when the studio starts");
    QAction* tip = addItem(startup, "StartupTip1", "Tip of the day", QString(), QString());
    tip->setCheckable(true);
    QAction* welcome = addItem(startup, "StartupWelcome1", "Welcome", QString(), QString());
    welcome->setCheckable(true);
    connect(tip, &QAction::triggered, this, [tip] {
        const bool on = !platform::settings::general::ShowTips.read();
        platform::settings::general::ShowTips.write(on);
        tip->setChecked(on);
    });
    connect(welcome, &QAction::triggered, this, [welcome] {
        const bool on = !platform::settings::general::ShowWelcome.read();
        platform::settings::general::ShowWelcome.write(on);
        welcome->setChecked(on);
    });
    connect(startup, &QMenu::aboutToShow, this, &TMainForm::updateStartupDialogsMenu);
    m->addSeparator();
    pending(addItem(m, "InspectorOptions1", "Object Inspector Options", QString(),
                    "Object Inspector Options|Object Inspector Options"));
}

void TMainForm::buildProjectMenu()
{
    QMenu* m = addSubmenu(nullptr, "Project1", "&Project");
    connect(addItem(m, "ProjectSettings1", "Project &Settings", QString(),
                    "Project Settings|Window size and title of the project", "settings"),
            &QAction::triggered, this, &TMainForm::ProjectSettings);
    pending(addItem(m, "EmbeddedFiles1", "&Embedded Files", QString(),
                    "Embedded Files|Files carried inside the project", "embedded"));
    m->addSeparator();
    pending(addItem(m, "TBXItem9", "&Export", QString(), "Export|Export project", "export"));
}

void TMainForm::buildRunMenu()
{
    QMenu* m = addSubmenu(nullptr, "Run1", "&Run");
    connect(addItem(m, "TBXItem39", "&Compile", "Ctrl+F9", "Compile|Checks the script", "compile"),
            &QAction::triggered, this, &TMainForm::CompileCommand);
    pending(addItem(m, "TBXItem41", "&Run", "F9", "Run|Runs the project", "run"));
    pending(
        addItem(m, "TBXItem42", "&Stop Running", "Ctrl+F2", "Stop Running|Ends the running project", "stop"));
    m->addSeparator();
    pending(addItem(m, "TBXItem43", "&Evaluate Constant", QString(),
                    "Evaluate Constant|Shows the value of a constant in the running project"));
    pending(addItem(m, "TBXItem81", "&Parameters...", QString(), "Parameters|Edits the run parameters"));
    connect(m, &QMenu::aboutToShow, this, &TMainForm::updateCommandStates);
}

void TMainForm::buildToolsMenu()
{
    QMenu* m = addSubmenu(nullptr, "Tools1", "&Tools");
    m->addSeparator()->setObjectName("ToolsSeparator1");
    pending(addItem(m, "TBXItem104", "Stand-alone 2 Data File...", QString(),
                    "Stand-alone 2 Data File|Takes the project out of a single executable", "exe"));
    pending(addItem(m, "TBXItem18", "&Customize", QString(), "Customize|Customize Tools", "tools"));
}

void TMainForm::buildHelpMenu()
{
    QMenu* m = addSubmenu(nullptr, "Help1", "&Help");
    connect(addItem(m, "Contents1", "&Contents", QString(), "Contents|Shows the help contents", "help"),
            &QAction::triggered, this, &TMainForm::helpContents);
    QMenu* extra = addSubmenu(m, "ExtraHelp1", "Extra Help");
    QMenu* pascal = addSubmenu(extra, "PascalScripting1", "Pascal Scripting");
    auto topic = [this](QAction* a, int number) {
        connect(a, &QAction::triggered, this, [this, number] { helpTopic(number); });
    };
    topic(addItem(pascal, "Introduction1", "Introduction", QString(), QString()), 3);
    topic(addItem(pascal, "SupportFunctionsReference1", "Support Functions Reference", QString(), QString()),
          319);
    topic(addItem(pascal, "UsingDLLs1", "Using DLL's", QString(), QString()), 4);
    pascal->addSeparator();
    topic(addItem(pascal, "UsingCOM1", "Using COM Automation objects", QString(), QString()), 5);
    topic(addItem(pascal, "AccessingAutomation1", "Accessing Automation objects", QString(), QString()), 356);
    auto document = [this](QAction* a, const QString& name) {
        connect(a, &QAction::triggered, this, [this, name] { m_prompter.openUrl(m_help.documentUrl(name)); });
    };
    document(addItem(extra, "VCLHelp1", "Lumeni Zarerud VCL Help", QString(), QString()), "VCLHelp");
    document(addItem(extra, "MCIStrings1", "MCI String Commands Contents", QString(), QString()), "MciStr");
    document(addItem(extra, "RegularExpressions1", "Search && Replace using regular expressions.", QString(),
                     QString()),
             "RegularExpressions");
    document(addItem(extra, "TBXItem105", "Tips && Tricks", QString(), QString()), "TipsAndTricks");
    extra->addSeparator();
    m_questionEdit = new QLineEdit(this);
    m_questionEdit->setObjectName("QuestionEdit");
    m_questionEdit->setMinimumWidth(180);
    auto* question = new QWidgetAction(this);
    question->setObjectName("TBXEditItem1");
    question->setDefaultWidget(m_questionEdit);
    extra->addAction(question);
    m_actions.insert("TBXEditItem1", question);
    connect(extra, &QMenu::aboutToShow, this, [this] {
        m_questionEdit->setText(lang("STYPEAQUEST"));
        m_questionEdit->setProperty("lmbUntouched", true);
    });
    connect(m_questionEdit, &QLineEdit::textEdited, this, [this] {
        // The first key replaces the prompt text.
        if (m_questionEdit->property("lmbUntouched").toBool()) {
            m_questionEdit->setProperty("lmbUntouched", false);
            const QString typed = m_questionEdit->text().right(1);
            m_questionEdit->setText(typed);
        }
    });
    connect(m_questionEdit, &QLineEdit::returnPressed, this, [this, extra] {
        const QString text = m_questionEdit->text();
        extra->close();
        m_menus.value("Help1")->close();
        helpKeyword(text);
    });

    pending(addItem(m, "TBXItem3", "Tip of the day", QString(), "Tip of the day|Shows a tip", "tip"));
    m->addSeparator();
    pending(addItem(m, "TBXItem56", "Version History", QString(), "Version History|What is new"));
    pending(addItem(m, "TBXItem4", "Check for update", QString(),
                    "Check For Updates|Checks for available online updates"));
    QMenu* links = addSubmenu(m, "Links1", "Links");
    connect(addItem(links, "Homepage1", "Lumeni Zarerud Homepage", QString(), QString()), &QAction::triggered,
            this, [this] { m_prompter.openUrl(QUrl("https://lumeni-zarerud.example.org/")); });
    connect(addItem(links, "Forum1", "Forum", QString(), QString()), &QAction::triggered, this,
            [this] { m_prompter.openUrl(QUrl("https://lumeni-zarerud.example.org/forum/")); });
    m->addSeparator();
    pending(addItem(m, "About1", "About...", QString(), "About|About Lumeni Zarerud", "about"));
}

void TMainForm::buildToolbars()
{
    const char* captions[] = {"Main Menu", "File Menu Toolbar", "View Toolbar", "Help Toolbar", "Tools",
                              "Run"};
    for (int i = 0; i < 6; ++i) {
        auto* bar = new QToolBar(captions[i], this);
        bar->setObjectName(QString("TBXToolbar%1").arg(i + 1));
        bar->setIconSize(QSize(16, 16));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        m_toolbars[i] = bar;
    }
    // The main menu sits in the first toolbar, so it docks and moves like the others.
    QToolBar* menuBar = m_toolbars[0];
    menuBar->addWidget(QMainWindow::menuBar());
    menuBar->toggleViewAction()->setEnabled(false);
    menuBar->setStyleSheet("QToolBar { padding: 0px; }");
    auto add = [this](int number, std::initializer_list<const char*> names) {
        QToolBar* bar = m_toolbars[number - 1];
        for (const char* n : names) {
            if (!*n)
                bar->addSeparator();
            else
                bar->addAction(m_actions.value(n));
        }
    };
    add(2, {"NewProject1", "Open1", "Save1", "SaveAs1", "", "TBXItem24", "TBXItem8"});
    add(3, {"ObjectInspector1", "ToolBox1", "Messages1", "EditedForm1", "", "ProjectSettings1"});
    add(4, {"Contents1", "TBXItem3", "About1"});
    add(5, {"PasswordProtect1", "EmbeddedFiles1", "TBXItem18", "TBXItem104"});
    add(6, {"TBXItem39", "TBXItem41", "TBXItem42"});

    addToolBar(Qt::TopToolBarArea, m_toolbars[0]);
    addToolBarBreak(Qt::TopToolBarArea);
    for (int i = 1; i < 6; ++i)
        addToolBar(Qt::TopToolBarArea, m_toolbars[i]);
}

void TMainForm::buildSkinsMenu()
{
    QMenu* skins = m_menus.value("Skins1");
    m_skinGroup = new QActionGroup(this);
    m_skinGroup->setExclusive(true);
    for (const QString& name : skinNames()) {
        QAction* a = new QAction(name, this);
        a->setCheckable(true);
        setHint(a, lang("SSETSK", {name}));
        m_skinGroup->addAction(a);
        skins->addAction(a);
        connect(a, &QAction::triggered, this, [this, name] { applySkin(name); });
    }
}

QToolBar* TMainForm::toolbar(int number) const
{
    return number >= 1 && number <= 6 ? m_toolbars[number - 1] : nullptr;
}

void TMainForm::updateToolbarsMenu()
{
    const char* items[] = {"FileMenuToolbar1", "ViewToolbar1", "HelpToolbar1", "ToolsToolbar1",
                           "RunToolbar1"};
    for (int i = 0; i < 5; ++i)
        m_actions.value(items[i])->setChecked(m_toolbars[i + 1]->isVisible());
}

void TMainForm::updateEditMenu()
{
    const bool writable = !m_editor->isReadOnly();
    action("Undo1")->setEnabled(writable && m_editor->isUndoAvailable());
    action("Redo1")->setEnabled(writable && m_editor->isRedoAvailable());
    action("Paste1")->setEnabled(writable && m_editor->canPaste());
    action("Cut1")->setEnabled(writable && m_editor->hasSelectedText());
    action("Copy1")->setEnabled(m_editor->hasSelectedText());
    updateCommandStates();
}

} // namespace shell
