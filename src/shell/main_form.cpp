// TMainForm: creation, the panels, hints into status panel 0, themes, help and closing.
#include "shell/main_form.h"

#include "editor/code_editor.h"
#include "platform/lang.h"
#include "platform/languages.h"
#include "platform/path_macros.h"
#include "shell/design_form_window.h"
#include "shell/lang_warn.h"
#include "shell/messages_panel.h"
#include "shell/panels.h"
#include "shell/password_forms.h"
#include "shell/project_settings_form.h"
#include "shell/skins.h"
#include "shell/small_forms.h"
#include "shell/status_bar.h"
#include "shell/studio_icons.h"
#include "shell/translate.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QMenu>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace shell {
namespace {

TMainForm* g_instance = nullptr;

QDockWidget* makeDock(QMainWindow* owner, const QString& name, const QString& title, QWidget* content)
{
    auto* dock = new QDockWidget(title, owner);
    dock->setObjectName(name);
    auto* body = new QWidget(dock);
    body->setObjectName("dockBody");
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    content->setParent(body);
    layout->addWidget(content);
    dock->setWidget(body);
    return dock;
}

} // namespace

TMainForm* TMainForm::instance()
{
    return g_instance;
}

TMainForm::TMainForm(Prompter& prompter, QWidget* parent) : QMainWindow(parent), m_prompter(prompter)
{
    g_instance = this;
    setObjectName("MainForm");
    setAcceptDrops(false);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    // Built-in size and place: most of the screen (the stored Position replaces them).
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize size(std::min(1200, area.width() - 40), std::min(860, area.height() - 40));
        setGeometry(QRect(area.topLeft() +
                              QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
                          size));
    } else {
        resize(1200, 860);
    }

    m_editor = new editor::CodeEditor(this);
    setCentralWidget(m_editor);
    m_status = new StudioStatusBar(this);
    setStatusBar(m_status);

    buildMenus();
    buildToolbars();
    buildPanels();
    buildSkinsMenu();
    connectEditor();

    m_prompter.passwordPrompt = [this] {
        TFormPassword* form = passwordForm();
        form->prepare();
        return runDialog(*form) == QDialog::Accepted ? form->password() : QString();
    };

    m_eventLists = script::EventLists::load(platform::sourceDir() / "data");
    m_languageName =
        QString::fromStdString(platform::readLanguageInfo(platform::currentLanguageFile()).displayName());
    for (const auto& file : platform::languageFiles(platform::sourceDir() / "language"))
        m_languageFiles << QString::fromStdString(file.string());
    m_help.setHelpFile(
        QString::fromStdString(platform::ExpandPathMacros(std::string(platform::kDefaultHelpFile))));

    readCreationSettings();
    updateCommandStates();
    updateEditorStatus();
}

TMainForm::~TMainForm()
{
    if (g_instance == this)
        g_instance = nullptr;
    m_prompter.passwordPrompt = nullptr;
    delete m_designForm.data();
}

void TMainForm::buildPanels()
{
    m_palette = new PalettePanel(this);
    m_pnlControls = makeDock(this, "pnlControls", "Controls", m_palette);
    m_inspector = new InspectorPanel(this);
    m_pnlInspector = makeDock(this, "pnlInspector", "Inspector", m_inspector);
    m_messages = new MessagesPanel(m_prompter, this);
    m_pnlMessages = makeDock(this, "TBXDockablePanel1", "Messages", m_messages);
    addDockWidget(Qt::LeftDockWidgetArea, m_pnlControls);
    addDockWidget(Qt::RightDockWidgetArea, m_pnlInspector);
    addDockWidget(Qt::BottomDockWidgetArea, m_pnlMessages);

    struct Toggle {
        const char* action;
        QDockWidget* dock;
    };
    for (const Toggle& t : {Toggle{"ObjectInspector1", m_pnlInspector}, Toggle{"ToolBox1", m_pnlControls},
                            Toggle{"Messages1", m_pnlMessages}}) {
        QAction* a = action(t.action);
        QDockWidget* dock = t.dock;
        connect(a, &QAction::triggered, dock, [dock](bool on) {
            dock->setVisible(on);
            if (on)
                dock->raise();
        });
        connect(dock, &QDockWidget::visibilityChanged, a, [a, dock] { a->setChecked(!dock->isHidden()); });
    }

    m_messages->dialogActiveHook = [this](bool on) { setDialogActive(on); };
    connect(m_messages, &MessagesPanel::sourceRequested, this, &TMainForm::showSourcePosition);
}

QDockWidget* TMainForm::panel(const QString& name) const
{
    for (QDockWidget* d : {m_pnlControls, m_pnlInspector, m_pnlMessages}) {
        if (d->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return d;
    }
    return nullptr;
}

void TMainForm::connectEditor()
{
    connect(m_editor, &editor::CodeEditor::statusChanged, this, &TMainForm::updateEditorStatus);
    connect(m_editor, &editor::CodeEditor::textEdited, this, [this] { setModified(true); });
    connect(m_editor, &editor::CodeEditor::filesDropped, this, &TMainForm::filesDropped);
    // The Edit menu is also the editor's context menu.
    m_editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_editor, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* edit = m_menus.value("Edit1");
        updateEditMenu();
        edit->popup(m_editor->mapToGlobal(pos));
    });
}

void TMainForm::updateEditorStatus()
{
    m_status->setPanelText(2, lang("SLineNr", {QString::number(m_editor->caretLine())}));
    m_status->setPanelText(3, lang("SColNr", {QString::number(m_editor->caretColumn())}));
    m_status->setPanelText(4, m_editor->isReadOnly() ? lang("SREADONLY") : QString());
    updateEditMenu();
}

void TMainForm::setModified(bool on)
{
    m_modified = on;
}

void TMainForm::setTestRunActive(bool on)
{
    m_testRunActive = on;
    m_editor->setReadOnly(on || m_compiling);
    updateCommandStates();
}

void TMainForm::updateCommandStates()
{
    const bool idle = !m_compiling && !m_testRunActive;
    action("TBXItem39")->setEnabled(idle);
    action("EditedForm1")->setEnabled(!m_testRunActive);
}

int TMainForm::runDialog(QDialog& dialog)
{
    const bool was = m_dialogActive;
    m_dialogActive = true;
    const int result = m_prompter.execDialog(dialog);
    m_dialogActive = was;
    return result;
}

// --- Hints -----------------------------------------------------------------------------------

void TMainForm::setHintText(const QString& text)
{
    m_status->setPanelText(0, text.isEmpty() ? m_helpHint : text);
}

bool TMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        // Panel 0 shows the long hint of what is under the mouse, the help hint when there is none.
        setHintText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !QApplication::activeModalWidget())
        m_dialogActive = false;
    QMainWindow::changeEvent(event);
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_pendingDockSizes.isEmpty())
        QTimer::singleShot(0, this, &TMainForm::applyDockSizes);
}

void TMainForm::refreshHints()
{
    for (QAction* a : m_skinGroup->actions())
        setHint(a, lang("SSETSK", {a->text()}));
    for (QAction* a : m_menus.value("Tools1")->actions()) {
        if (a->property("lmbToolTag").isValid())
            setHint(a, lang("SOPENS", {a->text()}));
    }
    for (QAction* a : m_menus.value("Language1")->actions())
        setHint(a, lang("SETLANGTO", {a->text()}));
}

// --- Themes ----------------------------------------------------------------------------------

void TMainForm::applySkin(const QString& name)
{
    int index = findSkin(name);
    if (index < 0)
        index = findSkin("OfficeXP");
    m_skin = skinNames().at(index);
    const QList<QAction*> items = m_skinGroup->actions();
    for (int i = 0; i < items.size(); ++i)
        items[i]->setChecked(i == index);
    const SkinColors colors = skinColors(m_skin, QApplication::style()->standardPalette());
    m_themeColor = colors.dock;
    m_toolWindowColor = colors.toolWindow;
    setStyleSheet(skinStyleSheet(colors));
    m_palette->setThemeColor(colors.dock);
    m_inspector->setThemeColor(colors.dock);
    update();
}

// --- Help ------------------------------------------------------------------------------------

void TMainForm::helpContents()
{
    m_prompter.openUrl(m_help.contentsUrl());
}

void TMainForm::helpTopic(int topic)
{
    m_prompter.openUrl(m_help.topicUrl(topic));
}

void TMainForm::helpKeyword(const QString& word)
{
    m_prompter.openUrl(m_help.keywordUrl(word));
}

void TMainForm::showHelpOf()
{
    // A keyword opens its page at once; the general topic would only stand in front of it.
    QString word;
    if (m_inspector->hasFocusedRow())
        word = m_inspector->focusedRowName();
    else if (m_editor->hasFocus() || !m_editor->wordAtCaret().isEmpty())
        word = m_editor->wordAtCaret();
    if (!word.isEmpty())
        helpKeyword(word);
    else
        helpContents();
}

// --- Closing ---------------------------------------------------------------------------------

void TMainForm::closeWithoutQuestions()
{
    m_modified = false;
    m_testRunActive = false;
    close();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (m_testRunActive) {
        m_prompter.message(lang("SPLEASECLOSERUN"), lang("Swarning"), MessageIcon::Warning);
        event->ignore();
        return;
    }
    if (!AskSaveChanges()) {
        event->ignore();
        return;
    }
    m_closing = true;
    if (m_designForm)
        m_designForm->allowClose();
    delete m_designForm.data();
    writeClosingSettings();
    event->accept();
}

} // namespace shell
