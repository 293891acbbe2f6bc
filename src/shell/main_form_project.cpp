// The project commands of the main window: New, Open, Re-Open, Save, Save As, Project Settings,
// the password, dropped files and paths handed over by a second start, with their guards
// CheckNotRunning and AskSaveChanges and the caption rule.
//
// Loading builds the new project completely before the current one is replaced, so a file that
// cannot be read leaves the editor, the form and the modified flag as they were.
#include "editor/code_editor.h"
#include "platform/path_macros.h"
#include "platform/settings.h"
#include "platform/temp_files.h"
#include "platform/text_encoding.h"
#include "platform/version.h"
#include "project/project_file.h"
#include "shell/design_form_window.h"
#include "shell/main_form.h"
#include "shell/messages_panel.h"
#include "shell/panels.h"
#include "shell/password_forms.h"
#include "shell/project_settings_form.h"
#include "shell/small_forms.h"
#include "shell/status_bar.h"
#include "shell/translate.h"

#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTimer>
#include <filesystem>

namespace shell {
namespace {

namespace fs = std::filesystem;

const char* const kProjectFilter = "Lumeni Zarerud (*.lmb);;*.* (*)";

// Forwards the project layer's progress to the progress window and the status bar's bar.
class SaveLoadProgress : public project::Progress {
public:
    SaveLoadProgress(TMess& mess, StudioStatusBar& status) : m_mess(mess), m_status(status) {}
    void setText(const std::string& text) override { m_mess.setText(text); }
    void setPercent(int percent) override
    {
        m_mess.setPercent(percent);
        m_status.showProgress(QString(), percent);
    }

private:
    TMess& m_mess;
    StudioStatusBar& m_status;
};

fs::path tmpAppDir()
{
    fs::path dir = platform::TemporaryFiles::instance().appDir();
    std::error_code ec;
    if (dir.empty() || !fs::is_directory(dir, ec))
        dir = platform::TemporaryFiles::instance().createAppDir();
    return dir;
}

} // namespace

TMainForm::WorkScope::~WorkScope()
{
    if (--m_form.m_working == 0 && !m_form.m_handovers.isEmpty())
        QTimer::singleShot(0, &m_form, &TMainForm::takeHandovers);
}

// --- Guards ----------------------------------------------------------------------------------

bool TMainForm::CheckNotRunning()
{
    if (!m_testRunActive)
        return true;
    m_prompter.message(lang("SPLEASECLOSERUN"), lang("Swarning"), MessageIcon::Warning);
    return false;
}

bool TMainForm::AskSaveChanges()
{
    if (!m_modified)
        return true;
    switch (
        m_prompter.ask(lang("SNOTSAVED2"), lang("Snost"), MessageIcon::Warning, BoxButtons::YesNoCancel)) {
    case BoxAnswer::Yes:
        SaveProject(m_projectFileName);
        return !m_modified;
    case BoxAnswer::No:
        return true;
    default:
        return false;
    }
}

void TMainForm::UpdateCaption()
{
    const QString name =
        m_projectFileName.isEmpty() ? lang("SUNTI") : QFileInfo(m_projectFileName).fileName();
    setWindowTitle(m_titleBase + "  [" + name + "]");
}

// --- Re-open list ----------------------------------------------------------------------------

void TMainForm::AddRecentFile(const QString& path)
{
    const QString expanded = expandMacros(path);
    for (const QString& entry : m_recent) {
        if (platform::equalsNoCase(entry.toStdString(), expanded.toStdString()))
            return;
    }
    m_recent.prepend(expanded);
    while (m_recent.size() > static_cast<int>(platform::settings::RecentFiles::maxEntries))
        m_recent.removeLast();
    updateReopenMenu();
}

void TMainForm::updateReopenMenu()
{
    QMenu* menu = m_menus.value("ReOpen1");
    for (QAction* a : menu->actions()) {
        if (a->property("lmbRecent").isValid()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    }
    QAction* separator = nullptr;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            separator = a;
    }
    for (int i = 0; i < m_recent.size(); ++i) {
        const QChar key = i < 9 ? QChar('1' + i) : QChar('A' + (i - 9));
        QString caption = QString("&") + key + " " + m_recent[i];
        auto* a = new QAction(this);
        // The path itself may hold "&": shown as it is.
        a->setText(QString("&") + key + " " + QString(m_recent[i]).replace("&", "&&"));
        a->setProperty("lmbRecent", i);
        a->setProperty("lmbCaption", caption);
        connect(a, &QAction::triggered, this, [this, i] { OpenRecent(i); });
        menu->insertAction(separator, a);
    }
    const bool any = !m_recent.isEmpty();
    menu->menuAction()->setEnabled(any);
    if (separator)
        separator->setVisible(any);
    action("ClearReopen1")->setVisible(any);
}

void TMainForm::OpenRecent(int index)
{
    if (index < 0 || index >= m_recent.size())
        return;
    const QString path = m_recent[index];
    if (CheckNotRunning() && AskSaveChanges())
        LoadProject(path, true);
}

void TMainForm::ClearReopenList()
{
    const bool was = m_dialogActive;
    m_dialogActive = true;
    const BoxAnswer answer =
        m_prompter.ask(lang("SRESETREOPEN"), lang("SWARNING"), MessageIcon::Warning, BoxButtons::YesNo);
    m_dialogActive = was;
    if (answer == BoxAnswer::Yes) {
        m_recent.clear();
        updateReopenMenu();
    }
}

// --- New, Open, Save -------------------------------------------------------------------------

void TMainForm::renewEmbeddedDir()
{
    project::Project holder;
    holder.embeddedDir = m_embeddedDir.toStdString();
    project::renewEmbeddedDir(holder, tmpAppDir());
    m_embeddedDir = QString::fromStdString(holder.embeddedDir.string());
    platform::setEmbeddedDir(holder.embeddedDir);
}

void TMainForm::replaceDesignForm(std::unique_ptr<DesignFormModel> model)
{
    if (m_designForm) {
        m_designForm->allowClose();
        delete m_designForm.data();
    }
    m_designForm = new DesignFormWindow(std::move(model), m_prompter, this);
    m_inspector->showForm(&m_designForm->model());
}

void TMainForm::NewProject()
{
    m_status->setPanelText(1, QString());
    if (!CheckNotRunning() || !AskSaveChanges())
        return;
    m_messages->clear();
    m_projectFileName.clear();
    UpdateCaption();
    m_editor->setLines({" "});
    m_bookmarks = {};
    m_modified = true;
    auto form = DesignFormModel::newForm();
    // A new form opens over the code editor, a little in from its corner, rather than at the top left
    // of the screen where it would cover the menus and toolbars.
    const QPoint at = m_editor->mapToGlobal(QPoint(24, 24));
    form->root().setInteger("Left", std::max(0, at.x()));
    form->root().setInteger("Top", std::max(0, at.y()));
    replaceDesignForm(std::move(form));
    m_designForm->show();
    m_palette->list()->setCurrentRow(0);
    renewEmbeddedDir();
    m_projectPassword.clear();
}

void TMainForm::Open()
{
    if (!CheckNotRunning() || !AskSaveChanges())
        return;
    FileDialogRequest request;
    request.title = m_openTitle->title();
    request.filter = kProjectFilter;
    request.defaultSuffix = "lmb";
    const bool was = m_dialogActive;
    m_dialogActive = true;
    const QString path = m_prompter.openFileName(request);
    m_dialogActive = was;
    if (!path.isEmpty())
        LoadProject(path, true);
}

void TMainForm::Save()
{
    if (CheckNotRunning())
        SaveProject(m_projectFileName);
}

void TMainForm::SaveAs()
{
    if (!CheckNotRunning())
        return;
    FileDialogRequest request;
    request.title = m_saveTitle->title();
    request.filter = "Lumeni Zarerud (*.lmb)";
    request.defaultSuffix = "lmb";
    request.overwritePrompt = true;
    const bool was = m_dialogActive;
    m_dialogActive = true;
    const QString path = m_prompter.saveFileName(request);
    m_dialogActive = was;
    if (!path.isEmpty())
        SaveProject(path);
}

bool TMainForm::SaveProject(const QString& path)
{
    m_status->setPanelText(1, QString());
    if (!CheckNotRunning())
        return false;
    if (path.isEmpty()) {
        SaveAs();
        return !m_modified && !m_projectFileName.isEmpty();
    }
    const WorkScope working(*this);

    project::Project current;
    current.fileName = path.toStdString();
    current.modified = m_modified;
    current.password = m_projectPassword.toStdString();
    current.formStream = m_designForm ? m_designForm->model().formStream() : std::string();
    for (const QString& line : m_editor->lines())
        current.lines.push_back(line.toStdString());
    for (int i = 0; i < project::kBookmarkCount; ++i)
        current.bookmarks[i] = {m_bookmarks[i].x, m_bookmarks[i].y};
    current.embeddedDir = m_embeddedDir.toStdString();

    project::SaveOptions options;
    options.compressionIndex = m_compressionIndex;
    options.programVersion = platform::programVersion();
    options.compose = [this](const project::Project&) -> std::optional<std::string> {
        if (!Compile())
            return std::nullopt;
        return m_composedScript.toStdString();
    };

    TMess* mess = progressWindow();
    const bool disable = !m_dialogActive;
    bool started = false;
    // The progress window appears once the compile has passed.
    SaveLoadProgress progress(*mess, *m_status);
    struct StartOnFirstText : project::Progress {
        std::function<void()> start;
        project::Progress* next = nullptr;
        void setText(const std::string& t) override
        {
            if (start) {
                start();
                start = nullptr;
            }
            next->setText(t);
        }
        void setPercent(int p) override { next->setPercent(p); }
    } gate;
    gate.next = &progress;
    gate.start = [&] {
        started = true;
        mess->start(path, lang("SCOMPILING"));
        if (disable)
            disableWhileWorking();
        m_editor->setReadOnly(true);
        if (m_designForm)
            m_designForm->hide();
    };

    const bool ok = project::SaveProject(current, current.fileName, options, m_prompter, gate);

    if (started) {
        mess->finish();
        m_status->hideProgress();
        setEnabled(true);
        m_editor->setReadOnly(m_compiling || m_testRunActive);
        if (m_designForm)
            m_designForm->show();
    }
    if (!ok) {
        m_modified = true;
        return false;
    }
    m_modified = false;
    m_projectFileName = path;
    AddRecentFile(path);
    UpdateCaption();
    updateCommandStates();
    raise();
    return true;
}

bool TMainForm::LoadProject(const QString& path, bool addToRecent)
{
    m_status->setPanelText(1, QString());
    if (!QFileInfo::exists(path)) {
        m_prompter.message(lang("SCantOpenInexistentFile", {path}), lang("SERROR"), MessageIcon::Error);
        return false;
    }
    if (!CheckNotRunning())
        return false;
    const WorkScope working(*this);

    TMess* mess = progressWindow();
    mess->start(path, "Please Wait...");
    disableWhileWorking();
    m_messages->clear();
    SaveLoadProgress progress(*mess, *m_status);
    project::LoadOptions options;
    options.tmpAppDir = tmpAppDir();
    std::optional<project::Project> loaded;
    std::unique_ptr<DesignFormModel> form;
    try {
        loaded = project::LoadProject(path.toStdString(), options, m_prompter, progress);
        if (loaded)
            form = DesignFormModel::fromFormStream(loaded->formStream);
    } catch (const std::exception&) {
        if (loaded)
            fs::remove_all(loaded->embeddedDir);
        loaded.reset();
        m_prompter.message(lang("SERORLOADINGPROJ", {path}), lang("SERROR"), MessageIcon::Error);
    }
    mess->finish();
    m_status->hideProgress();
    setEnabled(true);

    if (!loaded) {
        raise();
        return false;
    }
    // The new project replaces the current one only now that it was read completely.
    const QString oldEmbedded = m_embeddedDir;
    QStringList lines;
    for (const std::string& line : loaded->lines)
        lines << QString::fromStdString(line);
    m_editor->setLines(lines);
    for (int i = 0; i < project::kBookmarkCount; ++i)
        m_bookmarks[i] = {loaded->bookmarks[i].x, loaded->bookmarks[i].y};
    m_projectPassword = QString::fromStdString(loaded->password);
    m_embeddedDir = QString::fromStdString(loaded->embeddedDir.string());
    platform::setEmbeddedDir(loaded->embeddedDir);
    if (!oldEmbedded.isEmpty() && oldEmbedded != m_embeddedDir) {
        std::error_code ec;
        fs::remove_all(oldEmbedded.toStdString(), ec);
    }
    replaceDesignForm(std::move(form));
    m_designForm->show();
    m_modified = false;
    if (addToRecent) {
        m_projectFileName = path;
        AddRecentFile(path);
    } else {
        m_projectFileName.clear();
    }
    UpdateCaption();
    updateCommandStates();
    raise();
    activateWindow();
    m_designForm->raise();
    return true;
}

void TMainForm::disableWhileWorking()
{
    setEnabled(false);
    // Disabling a window disables the windows it owns as well; the dialogs a load or save shows
    // meanwhile (the progress window, the password prompt) must stay usable.
    for (QDialog* dialog : findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly))
        dialog->setEnabled(true);
}

// --- Dialogs ---------------------------------------------------------------------------------

TMess* TMainForm::progressWindow()
{
    if (!m_mess)
        m_mess = new TMess(this);
    return m_mess;
}

TProjectSettings* TMainForm::projectSettingsForm()
{
    if (!m_projectSettings)
        m_projectSettings = new TProjectSettings(this);
    return m_projectSettings;
}

TFormPassword* TMainForm::passwordForm()
{
    if (!m_formPassword)
        m_formPassword = new TFormPassword(this);
    return m_formPassword;
}

TFormSetProjectPassword* TMainForm::setPasswordForm()
{
    if (!m_formSetPassword)
        m_formSetPassword = new TFormSetProjectPassword(m_prompter, this);
    return m_formSetPassword;
}

TSelectForm* TMainForm::selectForm()
{
    if (!m_selectForm)
        m_selectForm = new TSelectForm(this);
    return m_selectForm;
}

void TMainForm::ProjectSettings()
{
    if (!m_designForm)
        return;
    TProjectSettings* dialog = projectSettingsForm();
    DesignFormModel& form = m_designForm->model();
    dialog->prepare(form.clientWidth(), form.clientHeight(), form.caption());
    if (runDialog(*dialog) != QDialog::Accepted)
        return;
    bool ok = false;
    const int width = dialog->widthField()->text().toInt(&ok);
    if (ok) {
        form.setClientWidth(width);
        const int height = dialog->heightField()->text().toInt(&ok);
        if (ok) {
            form.setClientHeight(height);
            form.setCaption(dialog->titleField()->text());
        }
    }
    m_designForm->refresh();
    m_inspector->showForm(&form);
    m_modified = true;
}

void TMainForm::PasswordProtect()
{
    TFormSetProjectPassword* dialog = setPasswordForm();
    dialog->prepare(m_projectPassword);
    if (runDialog(*dialog) != QDialog::Accepted)
        return;
    m_projectPassword = dialog->password();
    m_modified = true;
}

void TMainForm::ShowEditedForm()
{
    if (!m_designForm)
        return;
    m_designForm->show();
    m_designForm->raise();
    m_designForm->activateWindow();
}

// --- Files from outside ----------------------------------------------------------------------

void TMainForm::filesDropped(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    QString path = paths.first();
    if (paths.size() > 1) {
        TSelectForm* select = selectForm();
        select->prepare(paths);
        if (runDialog(*select) != QDialog::Accepted)
            return;
        path = select->selectedPath();
        if (path.isEmpty())
            return;
    }
    // Dropping replaces the project like Open does, so unsaved work is asked for first.
    if (CheckNotRunning() && AskSaveChanges())
        LoadProject(path, true);
}

void TMainForm::instanceData(const QString& path)
{
    if (m_working > 0) {
        m_handovers.append(path);
        return;
    }
    // Taken before the window comes to the front, which clears the flag. A message box waiting
    // for an answer (the save question of a closing studio) counts as a dialog too: replacing the
    // project under it would answer it for the wrong project.
    const bool dialogOpen = m_dialogActive || QApplication::activeModalWidget() != nullptr;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    // A start without a file only brings the studio to the front.
    if (path.isEmpty())
        return;
    if (dialogOpen) {
        AddRecentFile(path);
        m_prompter.message(lang("SNOTOPENWHENDIALOGACTIVE", {path}), lang("SWARNING"), MessageIcon::Warning);
        return;
    }
    if (!QFileInfo(path).isFile())
        return;
    if (CheckNotRunning() && AskSaveChanges() && QFileInfo(path).isFile())
        LoadProject(path, true);
}

void TMainForm::takeHandovers()
{
    while (m_working == 0 && !m_handovers.isEmpty())
        instanceData(m_handovers.takeFirst());
}

void TMainForm::afterShow(const QString& firstArgument)
{
    NewProject();
    if (!firstArgument.isEmpty() && QFileInfo(firstArgument).isFile()) {
        LoadProject(firstArgument, true);
        m_openedFromCommandLine = true;
    }
    raise();
    activateWindow();
    if (m_designForm)
        m_designForm->raise();
}

} // namespace shell
