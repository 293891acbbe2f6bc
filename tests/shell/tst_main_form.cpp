// The main window as a user drives it: start-up with a fresh profile, closing, saving and opening
// projects with their messages, the re-open list, the guards of a test run, dropped files, the
// Project Settings and password dialogs, and a path handed over by a second start.
#include "editor/code_editor.h"
#include "platform/settings.h"
#include "platform/single_instance.h"
#include "shell/messages_panel.h"
#include "shell/password_forms.h"
#include "shell/project_settings_form.h"
#include "shell/small_forms.h"
#include "shell/startup.h"
#include "shell/status_bar.h"
#include "studio_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QToolBar>

using namespace lmbtest;
using shell::BoxAnswer;
using shell::MessageIcon;

namespace {

// `lmbtool dump` of a project file, as JSON.
QJsonObject dump(const QString& path)
{
    QProcess p;
    p.start(QString::fromStdString((distDir() / "lmbtool").string()), {"dump", path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

QStringList jsonLines(const QJsonObject& o)
{
    QStringList out;
    for (const QJsonValue& v : o.value("lines").toArray())
        out << v.toString();
    return out;
}

// Saves the current project under `path` through Save As.
bool saveAs(Studio& s, const QString& path)
{
    s.prompter.saveAnswers = {path};
    s.main->SaveAs();
    return s.main->projectFileName() == path && !s.main->modified();
}

// A dialog answer that types a password into the prompt and confirms it.
std::function<int(QDialog&)> typePassword(const QString& text)
{
    return [text](QDialog& d) {
        auto& form = dynamic_cast<shell::TFormPassword&>(d);
        form.field()->setText(text);
        return int(QDialog::Accepted);
    };
}

QStringList reopenCaptions(shell::TMainForm& main)
{
    QStringList out;
    for (QAction* a : main.menu("ReOpen1")->actions()) {
        if (a->property("lmbRecent").isValid())
            out << a->text();
    }
    return out;
}

bool waitFor(const std::function<bool()>& condition, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(20);
    }
    return true;
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void startsWithAFreshProfile();
    void closingRightAfterStartAsksToSave();
    void savedFileReadsBackWithTheEditorLines();
    void damagedFileShowsBadFormatAndKeepsTheProject();
    void missingFileIsReported();
    void protectedFileWithWrongPasswordChangesNothing();
    void reopenListIsUniqueWithoutRegardToCase();
    void testRunBlocksClosingAndProjectCommands();
    void droppedFilesAskBeforeReplacingTheProject();
    void projectSettingsChangeTheForm();
    void passwordDialogRefusesAMismatch();
    void secondStartHandsItsPathOver();
    void layoutsAndPositionSurviveARestart();
    void toolsMenuFromTheSettings();
    void helpOpensPagesOfTheDocumentation();
    void editMenuFollowsTheEditor();
};

void TestMainForm::startsWithAFreshProfile()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    QCOMPARE(m.windowTitle(), m.windowTitle().section("  [", 0, 0) + "  [Untitled]");
    QVERIFY(m.windowTitle().startsWith("Lumeni Zarerud 2.0 - "));
    QVERIFY(m.modified());
    QVERIFY(m.projectFileName().isEmpty());
    QCOMPARE(m.codeEditor()->lines(), QStringList{" "});
    QVERIFY(m.designForm() && m.designForm()->isVisible());
    QCOMPARE(m.designForm()->model().name(), QString("Form1"));
    QCOMPARE(m.designForm()->model().caption(), QString("Form1"));
    QVERIFY(QFileInfo(m.embeddedDir()).isDir());
    QVERIFY(m.embeddedDir().startsWith(QString::fromStdString(platform::tmpAppDir().string())));

    QCOMPARE(m.skinName(), QString("OfficeXP"));
    QCOMPARE(m.studioStatusBar()->panelText(0), QString("For Help, press F1"));
    QCOMPARE(m.studioStatusBar()->panelText(2), QString("Line : 1"));
    QCOMPARE(m.studioStatusBar()->panelText(3), QString("Col : 1"));
    QCOMPARE(m.studioStatusBar()->panelText(4), QString());
    QVERIFY(!m.menu("ReOpen1")->menuAction()->isEnabled());
    for (int i = 1; i <= 6; ++i)
        QVERIFY(m.toolbar(i)->isVisible());
    QVERIFY(m.action("ToolBox1")->isChecked());
    QVERIFY(m.action("ObjectInspector1")->isChecked());
    QCOMPARE(m.messages()->count(), 0);
    // Commands of later parts are shown but never enabled.
    QVERIFY(!m.action("TBXItem41")->isEnabled());
    QVERIFY(m.action("NewProject1")->isEnabled());
    QCOMPARE(m.action("TBXItem39")->shortcut(), QKeySequence("Ctrl+F9"));

    m.menu("StartupDialogs1")->aboutToShow();
    QVERIFY(m.action("StartupTip1")->isChecked());
    QVERIFY(m.action("StartupWelcome1")->isChecked());
    m.action("StartupWelcome1")->trigger();
    QCOMPARE(platform::settings::general::ShowWelcome.read(), false);
    QVERIFY(!m.action("StartupWelcome1")->isChecked());
    QVERIFY(s.prompter.boxes.isEmpty());

    // Hints of what is under the mouse go to panel 0; none brings the help hint back.
    QStatusTipEvent tip("Creates a new project");
    QCoreApplication::sendEvent(&m, &tip);
    QCOMPARE(m.studioStatusBar()->panelText(0), QString("Creates a new project"));
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(&m, &none);
    QCOMPARE(m.studioStatusBar()->panelText(0), QString("For Help, press F1"));
}

void TestMainForm::closingRightAfterStartAsksToSave()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    s.prompter.answers = {BoxAnswer::Cancel};
    QVERIFY(!m.close());
    QCOMPARE(s.prompter.boxes.size(), 1);
    QCOMPARE(s.prompter.boxes[0].text, QString::fromStdString(lang("SNOTSAVED2")));
    QCOMPARE(s.prompter.boxes[0].caption, QString("File not saved"));
    QCOMPARE(s.prompter.boxes[0].icon, MessageIcon::Warning);
    QCOMPARE(s.prompter.boxes[0].buttons, shell::BoxButtons::YesNoCancel);
    QVERIFY(m.isVisible());

    // Yes, then cancelling Save As: nothing is saved and the studio stays.
    s.prompter.answers = {BoxAnswer::Yes};
    QVERIFY(!m.close());
    QCOMPARE(s.prompter.fileRequests.size(), 1);
    QCOMPARE(s.prompter.fileRequests[0].title, QString("Save Project As"));
    QVERIFY(m.isVisible());
    QVERIFY(m.modified());

    s.prompter.answers = {BoxAnswer::No};
    QVERIFY(m.close());
}

void TestMainForm::savedFileReadsBackWithTheEditorLines()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    const QStringList lines{"procedure Hello;", "begin", "end;", "", "// Français"};
    m.codeEditor()->setLines(lines);
    const QString path = s.path("Hello.lmb");
    QVERIFY(saveAs(s, path));
    QVERIFY(m.windowTitle().endsWith("  [Hello.lmb]"));
    QCOMPARE(m.recentFiles(), QStringList{path});
    QCOMPARE(reopenCaptions(m), QStringList{"&1 " + path});
    QVERIFY(m.menu("ReOpen1")->menuAction()->isEnabled());
    QVERIFY(!m.progressWindow()->isVisible());
    QVERIFY(m.isEnabled());
    QVERIFY(!m.codeEditor()->isReadOnly());

    const QJsonObject o = dump(path);
    QCOMPARE(o.value("tag").toString(), QString("LMBScriptExtended"));
    QCOMPARE(jsonLines(o), lines);
    QCOMPARE(o.value("protected").toBool(), false);
    QVERIFY(o.value("form").toString().contains("Form1"));
    QVERIFY(!o.value("script_txt").toString().isEmpty());

    // Edits mark the project modified; Save writes the same file again.
    m.codeEditor()->setCaret(1, 1);
    QTest::keyClicks(m.codeEditor(), "{x}");
    QVERIFY(m.modified());
    m.Save();
    QVERIFY(!m.modified());
    QCOMPARE(jsonLines(dump(path)).first(), QString("{x}procedure Hello;"));

    // Reopening gives the lines back, not modified.
    m.NewProject();
    QVERIFY(m.LoadProject(path, true));
    QCOMPARE(m.codeEditor()->lines().first(), QString("{x}procedure Hello;"));
    QVERIFY(!m.modified());
    QVERIFY(s.prompter.boxes.isEmpty());
}

void TestMainForm::damagedFileShowsBadFormatAndKeepsTheProject()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.codeEditor()->setLines({"keep me"});
    const QString caption = m.windowTitle();
    const QString bad = QString::fromStdString(s.home.writeFile("damaged.lmb", "TPF0\x06garbage").string());
    s.prompter.openAnswers = {bad};
    s.prompter.answers = {BoxAnswer::No}; // do not save the untitled project
    m.Open();
    QCOMPARE(s.prompter.boxes.size(), 2);
    const BoxRecord& box = s.prompter.boxes[1];
    QCOMPARE(box.caption, QString("Error"));
    QCOMPARE(box.icon, MessageIcon::Error);
    QVERIFY(box.text.contains(bad));
    QVERIFY(box.text.contains("is not an Lumeni Zarerud file or the file is corrupted."));
    QCOMPARE(s.prompter.fileRequests[0].title, QString("Open Project"));

    QCOMPARE(m.codeEditor()->lines(), QStringList{"keep me"});
    QCOMPARE(m.windowTitle(), caption);
    QVERIFY(m.recentFiles().isEmpty());
    QVERIFY(m.modified());
    QVERIFY(m.isEnabled());
    QVERIFY(!m.progressWindow()->isVisible());
}

void TestMainForm::missingFileIsReported()
{
    Studio s;
    const QString gone = s.path("gone.lmb");
    QVERIFY(!s.main->LoadProject(gone, true));
    QCOMPARE(s.prompter.boxes.size(), 1);
    QVERIFY(s.prompter.boxes[0].text.contains(gone));
    QVERIFY(s.prompter.boxes[0].text.contains("because it does not exists !"));
    QCOMPARE(s.main->codeEditor()->lines(), QStringList{" "});
}

void TestMainForm::protectedFileWithWrongPasswordChangesNothing()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.codeEditor()->setLines({"// secret lines"});
    QString title;
    s.prompter.dialogs = {[&](QDialog& d) {
        auto& form = dynamic_cast<shell::TFormSetProjectPassword&>(d);
        title = form.windowTitle();
        form.field1()->setText("s3cret");
        form.field2()->setText("s3cret");
        form.accept();
        return form.result();
    }};
    m.PasswordProtect();
    QCOMPARE(title, QString("Project Password"));
    QCOMPARE(m.projectPassword(), QString("s3cret"));
    const QString path = s.path("locked.lmb");
    QVERIFY(saveAs(s, path));
    QCOMPARE(dump(path).value("protected").toBool(), true);

    m.NewProject();
    m.codeEditor()->setLines({"other"});
    const QString caption = m.windowTitle();
    s.prompter.dialogs = {typePassword("wrong")};
    QVERIFY(!m.LoadProject(path, true));
    QCOMPARE(s.prompter.dialogNames.last(), QString("FormPassword"));
    QCOMPARE(s.prompter.boxes.last().text, QString::fromStdString(lang("SBADPASS")));
    QCOMPARE(m.codeEditor()->lines(), QStringList{"other"});
    QCOMPARE(m.windowTitle(), caption);
    QVERIFY(m.projectPassword().isEmpty());

    // Cancelling the prompt is an empty password: refused as well.
    s.prompter.boxes.clear();
    QVERIFY(!m.LoadProject(path, true));
    QCOMPARE(s.prompter.boxes.size(), 1);

    // The main window is disabled while it loads, the prompt (made by the first load) is not.
    bool usable = false;
    s.prompter.dialogs = {[&](QDialog& d) {
        usable = !m.isEnabled() && d.isEnabled() && m.passwordForm()->field()->isEnabled() &&
                 m.progressWindow()->isEnabled();
        return typePassword("s3cret")(d);
    }};
    QVERIFY(m.LoadProject(path, true));
    QVERIFY(usable);
    QCOMPARE(m.codeEditor()->lines(), QStringList{"// secret lines"});
    QCOMPARE(m.projectPassword(), QString("s3cret"));
}

void TestMainForm::reopenListIsUniqueWithoutRegardToCase()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    const QString path = s.path("Same.lmb");
    QVERIFY(saveAs(s, path));
    QVERIFY(m.LoadProject(path, true));
    QVERIFY(m.LoadProject(path, true));
    m.AddRecentFile(path.toUpper());
    QCOMPARE(m.recentFiles(), QStringList{path});

    // At most 15 entries, most recent first, accelerators 1 to 9 then A, B …
    for (int i = 0; i < 20; ++i)
        m.AddRecentFile(s.path(QString("p%1.lmb").arg(i)));
    const QStringList captions = reopenCaptions(m);
    QCOMPARE(captions.size(), 15);
    QCOMPARE(captions[0], "&1 " + s.path("p19.lmb"));
    QCOMPARE(captions[8], "&9 " + s.path("p11.lmb"));
    QCOMPARE(captions[9], "&A " + s.path("p10.lmb"));
    QCOMPARE(captions[14], "&F " + s.path("p5.lmb"));

    // Clear this list asks first.
    s.prompter.answers = {BoxAnswer::No};
    m.ClearReopenList();
    QCOMPARE(m.recentFiles().size(), 15);
    QCOMPARE(s.prompter.boxes.last().buttons, shell::BoxButtons::YesNo);
    s.prompter.answers = {BoxAnswer::Yes};
    m.ClearReopenList();
    QVERIFY(m.recentFiles().isEmpty());
    QVERIFY(!m.menu("ReOpen1")->menuAction()->isEnabled());
    QVERIFY(!m.action("ClearReopen1")->isVisible());
}

void TestMainForm::testRunBlocksClosingAndProjectCommands()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.setModified(false);
    m.setTestRunActive(true);
    QVERIFY(m.codeEditor()->isReadOnly());
    QCOMPARE(m.studioStatusBar()->panelText(4), QString("Read only"));
    QVERIFY(!m.close());
    QCOMPARE(s.prompter.boxes.size(), 1);
    QCOMPARE(s.prompter.boxes[0].text, QString("You must first stop the running project (USE CTRL+F2)"));
    QCOMPARE(s.prompter.boxes[0].caption, QString("Warning"));
    QCOMPARE(s.prompter.boxes[0].icon, MessageIcon::Warning);
    QVERIFY(m.isVisible());

    m.NewProject();
    QCOMPARE(s.prompter.boxes.size(), 2);
    QVERIFY(!m.modified());
    QVERIFY(!m.action("TBXItem39")->isEnabled());

    m.setTestRunActive(false);
    QVERIFY(!m.codeEditor()->isReadOnly());
    QVERIFY(m.action("TBXItem39")->isEnabled());
}

void TestMainForm::droppedFilesAskBeforeReplacingTheProject()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.codeEditor()->setLines({"// a"});
    const QString first = s.path("first.lmb");
    QVERIFY(saveAs(s, first));
    m.NewProject();
    m.codeEditor()->setLines({"unsaved work"});

    // One file: the save question comes first; Cancel keeps the work.
    s.prompter.answers = {BoxAnswer::Cancel};
    m.filesDropped({first});
    QCOMPARE(s.prompter.boxes.size(), 1);
    QCOMPARE(s.prompter.boxes[0].caption, QString("File not saved"));
    QCOMPARE(m.codeEditor()->lines(), QStringList{"unsaved work"});

    // Two files: the selection dialog; cancelling it opens nothing and asks nothing.
    const QString second = QString::fromStdString(s.home.writeFile("second.lmb", "x").string());
    m.filesDropped({first, second});
    QCOMPARE(s.prompter.dialogNames, QStringList{"SelectForm"});
    QCOMPARE(s.prompter.boxes.size(), 1);
    QCOMPARE(m.codeEditor()->lines(), QStringList{"unsaved work"});

    // Choosing one and answering No opens it.
    int listed = 0;
    s.prompter.dialogs = {[&](QDialog& d) {
        auto& select = dynamic_cast<shell::TSelectForm&>(d);
        listed = select.list()->count();
        select.list()->setCurrentRow(0);
        return int(QDialog::Accepted);
    }};
    s.prompter.answers = {BoxAnswer::No};
    m.filesDropped({first, second});
    QCOMPARE(listed, 2);
    QCOMPARE(m.codeEditor()->lines(), QStringList{"// a"});
    QCOMPARE(m.projectFileName(), first);
}

void TestMainForm::projectSettingsChangeTheForm()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.setModified(false);
    QStringList seen;
    s.prompter.dialogs = {[&](QDialog& d) {
        auto& dlg = dynamic_cast<shell::TProjectSettings&>(d);
        seen << dlg.windowTitle() << dlg.widthField()->text() << dlg.heightField()->text()
             << dlg.titleField()->text() << QString::number(dlg.presetBox()->currentIndex());
        // A preset fills both fields; typing a size selects the preset that reads the same.
        dlg.presetBox()->setCurrentIndex(5);
        emit dlg.presetBox()->activated(5);
        seen << dlg.widthField()->text() << dlg.heightField()->text();
        dlg.widthField()->clear();
        QTest::keyClicks(dlg.widthField(), "800");
        dlg.heightField()->clear();
        QTest::keyClicks(dlg.heightField(), "600");
        seen << dlg.presetBox()->currentText();
        dlg.titleField()->setText("My Menu");
        return int(QDialog::Accepted);
    }};
    m.ProjectSettings();
    QCOMPARE(seen, (QStringList{"Project Settings", "482", "353", "Form1", "-1", "640", "480", "800 x 600"}));
    QCOMPARE(m.designForm()->model().clientWidth(), 800);
    QCOMPARE(m.designForm()->model().clientHeight(), 600);
    QCOMPARE(m.designForm()->model().caption(), QString("My Menu"));
    QCOMPARE(m.designForm()->windowTitle(), QString("My Menu"));
    QVERIFY(m.modified());

    // Cancel changes nothing, OK without a change still marks the project modified.
    m.setModified(false);
    m.ProjectSettings();
    QVERIFY(!m.modified());
    s.prompter.dialogs = {[](QDialog&) { return int(QDialog::Accepted); }};
    m.ProjectSettings();
    QVERIFY(m.modified());
    QCOMPARE(m.designForm()->model().clientWidth(), 800);

    const QString path = s.path("sized.lmb");
    QVERIFY(saveAs(s, path));
    const QString form = dump(path).value("form").toString();
    QVERIFY2(form.contains("Width = 808"), qPrintable(form));
    QVERIFY(form.contains("My Menu"));
}

void TestMainForm::passwordDialogRefusesAMismatch()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.setModified(false);
    s.prompter.dialogs = {[&](QDialog& d) {
        auto& form = dynamic_cast<shell::TFormSetProjectPassword&>(d);
        form.field1()->setText("one");
        form.field2()->setText("One");
        form.accept(); // refused: the box, and the dialog stays
        const bool stayed = form.result() != QDialog::Accepted;
        form.field2()->setText("one");
        form.accept();
        return stayed ? form.result() : int(QDialog::Rejected);
    }};
    m.PasswordProtect();
    QCOMPARE(s.prompter.boxes.size(), 1);
    QCOMPARE(s.prompter.boxes[0].text, QString("Password mismatched!"));
    QCOMPARE(s.prompter.boxes[0].caption, QString("Error"));
    QCOMPARE(m.projectPassword(), QString("one"));
    QVERIFY(m.modified());

    // Two empty fields remove the protection.
    QString shown;
    s.prompter.dialogs = {[&](QDialog& d) {
        auto& form = dynamic_cast<shell::TFormSetProjectPassword&>(d);
        shown = form.field1()->text();
        form.field1()->clear();
        form.field2()->clear();
        form.accept();
        return form.result();
    }};
    m.PasswordProtect();
    QCOMPARE(shown, QString("one"));
    QVERIFY(m.projectPassword().isEmpty());
}

void TestMainForm::secondStartHandsItsPathOver()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.codeEditor()->setLines({"// handed"});
    const QString path = s.path("handed.lmb");
    QVERIFY(saveAs(s, path));
    m.NewProject();

    platform::SingleInstance first;
    QVERIFY(first.becomePrimary());
    shell::installInstanceHandler(first, m);
    s.prompter.answers = {BoxAnswer::No};
    platform::SingleInstance second;
    QVERIFY(!second.becomePrimary());
    QVERIFY(second.sendToPrimary(path.toStdString()));
    QVERIFY(waitFor([&] { return m.projectFileName() == path; }));
    QCOMPARE(m.codeEditor()->lines(), QStringList{"// handed"});

    // While a dialog is open the path only goes to the top of the re-open list.
    m.AddRecentFile(s.path("other.lmb"));
    QDialog modal(&m);
    modal.setModal(true);
    modal.show();
    m.setDialogActive(true);
    s.prompter.boxes.clear();
    const QString later = QString::fromStdString(s.home.writeFile("later.lmb", "x").string());
    platform::SingleInstance third;
    QVERIFY(!third.becomePrimary());
    QVERIFY(third.sendToPrimary(later.toStdString()));
    QVERIFY(waitFor([&] { return !s.prompter.boxes.isEmpty(); }));
    QVERIFY(s.prompter.boxes[0].text.contains("You do not open a project while a dialog box is active."));
    QVERIFY(s.prompter.boxes[0].text.contains(later));
    QCOMPARE(m.recentFiles().first(), later);
    QCOMPARE(m.projectFileName(), path);
    // A modal box without the flag (a question waiting for its answer) holds the path back too.
    m.setDialogActive(false);
    m.instanceData(path);
    QCOMPARE(s.prompter.boxes.size(), 2);
    QCOMPARE(m.recentFiles().first(), later);
    modal.close();
    m.setDialogActive(false);

    // A path that arrives while a save lets events through waits until the save is done: the
    // saved project keeps its name, and the handed one opens afterwards.
    m.codeEditor()->setLines({"// saving"});
    const QString saving = s.path("saving.lmb");
    QMetaObject::invokeMethod(&m, [&] { m.instanceData(path); }, Qt::QueuedConnection);
    s.prompter.answers = {BoxAnswer::No};
    QVERIFY(saveAs(s, saving));
    QCOMPARE(m.codeEditor()->lines(), QStringList{"// saving"});
    QVERIFY(waitFor([&] { return m.projectFileName() == path; }));
    QCOMPARE(m.codeEditor()->lines(), QStringList{"// handed"});

    // A start without a file adds nothing and asks nothing.
    s.prompter.boxes.clear();
    const QStringList recent = m.recentFiles();
    m.instanceData(QString());
    QCOMPARE(m.recentFiles(), recent);
    QVERIFY(s.prompter.boxes.isEmpty());
}

void TestMainForm::layoutsAndPositionSurviveARestart()
{
    Studio s;
    s.main->setModified(false);
    s.main->toolbar(3)->hide();
    s.main->addDockWidget(Qt::LeftDockWidgetArea, s.main->panel("TBXDockablePanel1"));
    s.main->panel("pnlInspector")->hide();
    s.main->setGeometry(50, 60, 700, 650);
    s.main->applySkin("athen");
    QVERIFY(s.main->close());
    s.main.reset();

    using namespace platform::settings;
    QCOMPARE(QString::fromStdString(general::Skin.read()), QString("Athen"));
    QCOMPARE(position::Width.read(0), 700);
    QCOMPARE(position::State.read(9), 0);
    const DockLayout bar = readDockLayout("TBXToolbar3", false, {});
    QVERIFY(!bar.visible);
    QCOMPARE(QString::fromStdString(readDockLayout("TBXDockablePanel1", true, {}).currentDock),
             QString("TBXDockLeft"));
    // A floating panel stored on a screen that is no longer there.
    DockLayout far = readDockLayout("pnlControls", true, {});
    far.floating = true;
    far.floatingX = far.floatingY = -5000;
    far.floatingWidth = 200;
    far.height = 2000000000;
    writeDockLayout("pnlControls", true, far);

    s.create();
    shell::TMainForm& m = *s.main;
    m.restorePosition();
    QVERIFY(m.toolbar(3)->isHidden());
    emit m.menu("Toolbars1")->aboutToShow();
    QVERIFY(!m.action("ViewToolbar1")->isChecked());
    QVERIFY(m.action("FileMenuToolbar1")->isChecked());
    QCOMPARE(m.dockWidgetArea(m.panel("TBXDockablePanel1")), Qt::LeftDockWidgetArea);
    QVERIFY(m.panel("pnlControls")->isFloating());
    QVERIFY(QGuiApplication::screenAt(m.panel("pnlControls")->geometry().topLeft()));
    QVERIFY(m.panel("pnlControls")->height() <=
            QGuiApplication::primaryScreen()->availableVirtualGeometry().height());
    m.panel("pnlControls")->setFloating(false);
    QVERIFY(m.panel("pnlInspector")->isHidden());
    QVERIFY(!m.action("ObjectInspector1")->isChecked());
    QCOMPARE(m.skinName(), QString("Athen"));
    QCOMPARE(m.toolWindowColor(), QColor(Qt::white));
    QCOMPARE(m.themeColor(), QColor(0xEB, 0xEB, 0xEB));
    QCOMPARE(m.geometry().size(), QSize(700, 650));
    // The main menu's toolbar row is kept above the others.
    QVERIFY(m.toolbar(1)->y() < m.toolbar(2)->y());

    // Maximised: State 2 with the normal-state bounds.
    m.showMaximized();
    QTest::qWait(50);
    m.setModified(false);
    QVERIFY(m.close());
    QCOMPARE(position::State.read(0), 2);
    QCOMPARE(position::Width.read(0), 700);

    // Damaged bounds: the window keeps to the desktop.
    position::State.write(0);
    position::Left.write(-100000);
    position::Width.write(100000);
    position::Height.write(2000000000);
    s.main.reset();
    s.create();
    s.main->restorePosition();
    const QRect desktop = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    QVERIFY(s.main->width() <= desktop.width() && s.main->height() <= desktop.height());
    QVERIFY(QGuiApplication::screenAt(s.main->geometry().topLeft() + QPoint(40, 10)));
}

void TestMainForm::toolsMenuFromTheSettings()
{
    Studio s([] {
        using namespace platform::settings;
        writeTools({{"/usr/bin/true --first", "First", "Ctrl+Shift+1"},
                    {"SEPARATOR", "", ""},
                    {"%SRCDIR%/tool two", "Second", ""},
                    {"/bin/echo", "", ""}});
    });
    QMenu* tools = s.main->menu("Tools1");
    QStringList captions;
    for (QAction* a : tools->actions())
        captions << (a->isSeparator() ? QString("-") : a->text());
    QCOMPARE(captions.mid(0, 4), (QStringList{"First", "-", "Second", "-"}));
    QAction* first = tools->actions().at(0);
    QCOMPARE(first->shortcut(), QKeySequence("Ctrl+Shift+1"));
    QCOMPARE(first->statusTip(), QString("Opens First"));
    first->trigger();
    QCOMPARE(s.prompter.started.size(), 1);
    QCOMPARE(s.prompter.started[0], (QStringList{"/usr/bin/true", "--first"}));
    // The tool numbered last gets tag 0.
    QCOMPARE(s.main->toolCommands().first(),
             QString::fromStdString((platform::sourceDir() / "tool two").string()));
}

void TestMainForm::helpOpensPagesOfTheDocumentation()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.action("Contents1")->trigger();
    m.action("SupportFunctionsReference1")->trigger();
    m.codeEditor()->setLines({"ShowMessage('x');"});
    m.codeEditor()->setCaret(1, 3);
    m.action("ShowHelpOf")->trigger();
    m.codeEditor()->setLines({"  "});
    m.action("ShowHelpOf")->trigger();
    QCOMPARE(s.prompter.urls.size(), 4);
    QVERIFY(s.prompter.urls[0].toLocalFile().endsWith("documentation/index.html"));
    QVERIFY(s.prompter.urls[1].toLocalFile().endsWith("documentation/topic319.html"));
    QVERIFY(s.prompter.urls[2].toLocalFile().endsWith("documentation/topic319.html"));
    QVERIFY(s.prompter.urls[3].toLocalFile().endsWith("documentation/index.html"));
    for (const QUrl& u : s.prompter.urls)
        QVERIFY2(QFileInfo::exists(u.toLocalFile()), qPrintable(u.toLocalFile()));
    // An unknown word opens the keyword index.
    QVERIFY(m.help().keywordUrl("Zzz").toLocalFile().endsWith("keywords.html"));
    QVERIFY(m.help().keywordUrl("showmes").toLocalFile().endsWith("topic319.html"));
}

void TestMainForm::editMenuFollowsTheEditor()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    editor::CodeEditor& e = *m.codeEditor();
    e.setLines({"begin"});
    emit m.menu("Edit1")->aboutToShow();
    QVERIFY(!m.action("Undo1")->isEnabled());
    QVERIFY(!m.action("Copy1")->isEnabled());
    QVERIFY(!m.action("Find1")->isEnabled()); // a command of a later part

    e.setFocus();
    e.setCaret(1, 6);
    QTest::keyClicks(&e, " end");
    QCOMPARE(e.lines(), QStringList{"begin end"});
    QTRY_COMPARE(m.studioStatusBar()->panelText(3), QString("Col : 10"));
    QVERIFY(m.action("Undo1")->isEnabled());
    m.action("SelectAll1")->trigger();
    QVERIFY(m.action("Cut1")->isEnabled() && m.action("Copy1")->isEnabled());
    m.action("Undo1")->trigger();
    QCOMPARE(e.lines(), QStringList{"begin"});
    QVERIFY(m.action("Redo1")->isEnabled());
    m.action("Redo1")->trigger();
    QCOMPARE(e.lines(), QStringList{"begin end"});

    // While the script is read-only nothing in the menu changes it.
    m.action("SelectAll1")->trigger();
    m.setTestRunActive(true);
    emit m.menu("Edit1")->aboutToShow();
    QVERIFY(!m.action("Undo1")->isEnabled());
    QVERIFY(!m.action("Cut1")->isEnabled());
    QVERIFY(!m.action("Paste1")->isEnabled());
    QVERIFY(m.action("Copy1")->isEnabled());
    m.setTestRunActive(false);
}

QTEST_MAIN(TestMainForm)
#include "tst_main_form.moc"
