// The studio's main window TMainForm: the menus and toolbars, the dockable panels Controls,
// Inspector and Messages, the code editor, the status bar, the themes, the language menu, help,
// and the one open project with its commands (New, Open, Re-Open, Save, Save As, Project Settings,
// password, Compile).
//
// The window reaches the user only through its Prompter, so tests answer every box and dialog.
// Commands of later parts of the studio are present in the menus and stay disabled.
#pragma once

#include "editor/editor_options.h"
#include "script/compiler_host.h"
#include "script/event_handlers.h"
#include "shell/design_form_window.h"
#include "shell/help.h"
#include "shell/prompter.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <memory>

class QAction;
class QActionGroup;
class QDockWidget;
class QLineEdit;
class QMenu;
class QToolBar;

namespace editor {
class CodeEditor;
}

namespace shell {

class DialogTitle;
class InspectorPanel;
class MessagesPanel;
class PalettePanel;
class StudioStatusBar;
class TFormPassword;
class TFormSetProjectPassword;
class TLangWarn;
class TMess;
class TProjectSettings;
class TSelectForm;

struct Bookmark {
    int x = -1; // column
    int y = -1; // line
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Creates the window (FormCreate): menus, toolbars, panels, settings read at creation.
    explicit TMainForm(Prompter& prompter, QWidget* parent = nullptr);
    ~TMainForm() override;

    static TMainForm* instance();

    Prompter& prompter() const { return m_prompter; }

    // --- Process flags -------------------------------------------------------------------------
    bool dialogActive() const { return m_dialogActive; }
    void setDialogActive(bool on) { m_dialogActive = on; }
    bool testRunActive() const { return m_testRunActive; }
    void setTestRunActive(bool on);
    bool compiling() const { return m_compiling; }

    // --- The current project --------------------------------------------------------------------
    QString projectFileName() const { return m_projectFileName; }
    bool modified() const { return m_modified; }
    void setModified(bool on);
    QString projectPassword() const { return m_projectPassword; }
    QString embeddedDir() const { return m_embeddedDir; }
    const std::array<Bookmark, 10>& bookmarks() const { return m_bookmarks; }
    DesignFormWindow* designForm() const { return m_designForm; }
    QString composedScript() const { return m_composedScript; }
    // The compression level index of the Embedded Files dialog ("None" until it was shown).
    int compressionIndex() const { return m_compressionIndex; }
    script::DesignFormInfo designFormInfo() const;

    // --- Guards and commands ---------------------------------------------------------------------
    bool CheckNotRunning();
    bool AskSaveChanges();
    void UpdateCaption();
    void NewProject();
    void Open();
    void OpenRecent(int index);
    void ClearReopenList();
    void Save();
    void SaveAs();
    // Writes the project; an empty path asks for one. True when the file was written.
    bool SaveProject(const QString& path);
    // Replaces the project with the file's; true on success.
    bool LoadProject(const QString& path, bool addToRecent);
    void ProjectSettings();
    void PasswordProtect();
    void ShowEditedForm();
    bool Compile();
    // The Compile command of the Run menu.
    void CompileCommand();
    void filesDropped(const QStringList& paths);

    // --- Re-open list ----------------------------------------------------------------------------
    void AddRecentFile(const QString& path);
    QStringList recentFiles() const { return m_recent; }

    // --- Start-up and closing --------------------------------------------------------------------
    // After the first display: a new project, the project of the command line, the start-up dialogs.
    void afterShow(const QString& firstArgument);
    bool openedFromCommandLine() const { return m_openedFromCommandLine; }
    // A path handed over by a second start of the studio.
    void instanceData(const QString& path);
    // Restores the Position section (before the first display).
    void restorePosition();
    // Closes through the normal closing steps, without the save question (the session ends).
    void closeWithoutQuestions();
    // The information box of "/?".
    void showUsage();

    // --- Language --------------------------------------------------------------------------------
    void LoadLanguage(const QString& path);
    QString languageName() const { return m_languageName; }
    QStringList languageFiles() const { return m_languageFiles; }
    void setLanguageFiles(const QStringList& files) { m_languageFiles = files; }
    void buildLanguageMenu();
    TLangWarn* langWarn() const { return m_langWarn; }

    // --- Themes ----------------------------------------------------------------------------------
    void applySkin(const QString& name);
    QString skinName() const { return m_skin; }
    QColor themeColor() const { return m_themeColor; }
    QColor toolWindowColor() const { return m_toolWindowColor; }

    // --- Help ------------------------------------------------------------------------------------
    HelpSystem& help() { return m_help; }
    void showHelpOf();
    void helpContents();
    void helpTopic(int topic);
    void helpKeyword(const QString& word);

    // --- Parts, for the tests and the other windows ----------------------------------------------
    editor::CodeEditor* codeEditor() const { return m_editor; }
    editor::EditorOptions& editorOptions() { return m_editorOptions; }
    StudioStatusBar* studioStatusBar() const { return m_status; }
    MessagesPanel* messages() const { return m_messages; }
    QAction* action(const QString& name) const { return m_actions.value(name); }
    QMenu* menu(const QString& name) const { return m_menus.value(name); }
    QToolBar* toolbar(int number) const; // 1 … 6
    QDockWidget* panel(const QString& name) const;
    // The secondary windows, created on first use unless start-up made them already.
    TMess* progressWindow();
    TProjectSettings* projectSettingsForm();
    TFormPassword* passwordForm();
    TFormSetProjectPassword* setPasswordForm();
    TSelectForm* selectForm();
    QString helpHint() const { return m_helpHint; }
    QStringList toolCommands() const { return m_toolCommands; }

    // Runs a modal dialog with DialogActive set meanwhile.
    int runDialog(QDialog& dialog);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Building the window.
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption, const QString& shortcut,
                     const QString& hint, const QString& icon = {});
    QMenu* addSubmenu(QMenu* parent, const QString& name, const QString& caption, const QString& hint = {});
    void pending(QAction* action);
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildProjectMenu();
    void buildRunMenu();
    void buildToolsMenu();
    void buildHelpMenu();
    void buildToolbars();
    void buildPanels();
    void buildSkinsMenu();
    void connectEditor();

    // Settings.
    void readCreationSettings();
    void restoreLayouts();
    void saveLayouts();
    void applyDockSizes();
    void writeClosingSettings();

    // State refreshes.
    void updateEditorStatus();
    void updateEditMenu();
    void updateCommandStates();
    void updateReopenMenu();
    void updateToolbarsMenu();
    void updateStartupDialogsMenu();
    void refreshHints();
    void setHintText(const QString& text);

    // The project behind the windows.
    void disableWhileWorking();
    void takeHandovers();
    void renewEmbeddedDir();
    void replaceDesignForm(std::unique_ptr<DesignFormModel> model);
    void showSourcePosition(int row, int column);
    void languageVersionCheck(const QString& path);
    void languageClicked(int index);
    void runTool(int tag);

    Prompter& m_prompter;
    HelpSystem m_help;

    // Windows and panels.
    editor::CodeEditor* m_editor = nullptr;
    StudioStatusBar* m_status = nullptr;
    MessagesPanel* m_messages = nullptr;
    PalettePanel* m_palette = nullptr;
    InspectorPanel* m_inspector = nullptr;
    std::array<QToolBar*, 6> m_toolbars{};
    QDockWidget* m_pnlControls = nullptr;
    QDockWidget* m_pnlInspector = nullptr;
    QDockWidget* m_pnlMessages = nullptr;
    QPointer<DesignFormWindow> m_designForm;
    TMess* m_mess = nullptr;
    TProjectSettings* m_projectSettings = nullptr;
    TFormPassword* m_formPassword = nullptr;
    TFormSetProjectPassword* m_formSetPassword = nullptr;
    TSelectForm* m_selectForm = nullptr;
    TLangWarn* m_langWarn = nullptr;

    struct PendingDockSize {
        QDockWidget* dock;
        int size;
        Qt::Orientation orientation;
    };
    QList<PendingDockSize> m_pendingDockSizes;

    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QActionGroup* m_skinGroup = nullptr;
    QLineEdit* m_questionEdit = nullptr;
    DialogTitle* m_openTitle = nullptr;
    DialogTitle* m_saveTitle = nullptr;

    // Process state.
    bool m_dialogActive = false;
    bool m_testRunActive = false;
    bool m_compiling = false;
    bool m_openedFromCommandLine = false;
    bool m_closing = false;
    // Loads, saves and compiles let the window process events meanwhile; a path handed over by a
    // second start then waits until they are done, so no project is replaced halfway.
    int m_working = 0;
    QStringList m_handovers;
    class WorkScope;
    QString m_titleBase;
    QString m_helpHint;
    QString m_skin = "OfficeXP";
    QColor m_themeColor;
    QColor m_toolWindowColor;
    QString m_languageName = "English";
    QStringList m_languageFiles;
    QStringList m_toolCommands;

    // Current project.
    QString m_projectFileName;
    bool m_modified = false;
    QString m_projectPassword;
    QString m_embeddedDir;
    std::array<Bookmark, 10> m_bookmarks{};
    QString m_composedScript;
    int m_compressionIndex = 1;
    QStringList m_recent;

    editor::EditorOptions m_editorOptions;
    script::CompilerHost m_compiler;
    script::EventLists m_eventLists;
};

class TMainForm::WorkScope {
public:
    explicit WorkScope(TMainForm& form) : m_form(form) { ++m_form.m_working; }
    ~WorkScope();
    WorkScope(const WorkScope&) = delete;
    WorkScope& operator=(const WorkScope&) = delete;

private:
    TMainForm& m_form;
};

} // namespace shell
