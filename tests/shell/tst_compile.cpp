// Compile from the main window: the Messages rows with their icons and hidden positions, the first
// error's caret, mark and box, View Source, the caption and the read-only script while it runs,
// saving and clearing the messages, and a save refused by a failed compile.
#include "editor/code_editor.h"
#include "shell/messages_panel.h"
#include "shell/status_bar.h"
#include "studio_fixture.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QProgressBar>
#include <QTreeWidget>

using namespace lmbtest;

class TestCompile : public QObject {
    Q_OBJECT
private slots:
    void errorRowsMoveTheCaretAndMarkTheLine();
    void successfulCompileComposesTheScript();
    void compileRunsWithAReadOnlyScriptAndMarkedCaption();
    void messagesCanBeSavedAndCleared();
    void saveIsRefusedWhenTheScriptDoesNotCompile();
    void theWelcomeSampleOpensAndCompiles();
};

void TestCompile::errorRowsMoveTheCaretAndMarkTheLine()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.setModified(false);
    m.codeEditor()->setLines({"procedure A;", "begin", "  Undeclared := 1;", "end;"});
    QVERIFY(!m.Compile());

    shell::MessagesPanel& list = *m.messages();
    QVERIFY(list.count() >= 2);
    const shell::MessageRow first = list.rowAt(0);
    QCOMPARE(first.text, QString("Failed when compiling script."));
    QCOMPARE(first.row, -1);
    QCOMPARE(first.column, -1);
    QCOMPARE(first.icon, 3);
    const shell::MessageRow error = list.rowAt(1);
    QVERIFY2(error.text.startsWith("[Error]"), qPrintable(error.text));
    QCOMPARE(error.row, 3);
    QCOMPARE(error.icon, 3);
    // The hidden columns hold the position as text.
    QCOMPARE(list.list()->topLevelItem(1)->text(1), QString("3"));
    QVERIFY(list.list()->isColumnHidden(1) && list.list()->isColumnHidden(2));

    QCOMPARE(m.codeEditor()->caretLine(), 3);
    QCOMPARE(m.codeEditor()->caretColumn(), error.column);
    QCOMPARE(m.codeEditor()->paintedErrorLine(), 3);
    QCOMPARE(s.prompter.boxes.size(), 1);
    QCOMPARE(s.prompter.boxes[0].caption, QString("Failed when compiling script."));
    QCOMPARE(s.prompter.boxes[0].icon, shell::MessageIcon::Error);
    QVERIFY(s.prompter.boxes[0].text.contains("(3:"));
    QVERIFY(m.modified());

    // View Source: only for rows with a position; it moves the caret and marks the line.
    list.setCurrentRow(0);
    list.updateMenu();
    QVERIFY(!list.viewSourceAction()->isEnabled());
    m.codeEditor()->setCaret(1, 1);
    list.setCurrentRow(1);
    list.updateMenu();
    QVERIFY(list.viewSourceAction()->isEnabled());
    list.viewSourceAction()->trigger();
    QCOMPARE(m.codeEditor()->caretLine(), 3);
    QCOMPARE(m.codeEditor()->errorLine(), 3);
    QCOMPARE(m.codeEditor()->paintedErrorLine(), 3);
}

void TestCompile::successfulCompileComposesTheScript()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.setModified(false);
    m.codeEditor()->setLines({"procedure Form1OnCreate(Sender: TObject);", "begin", "end;"});
    QVERIFY(m.Compile());
    QCOMPARE(m.messages()->rowAt(0).text, QString("Succesfully compiled"));
    QCOMPARE(m.messages()->rowAt(0).icon, 1);
    QVERIFY(s.prompter.boxes.isEmpty());
    QVERIFY(!m.modified());
    const QString composed = m.composedScript();
    QVERIFY2(composed.contains(" Form1.OnCreate:=@Form1OnCreate;"), qPrintable(composed));
    QVERIFY(composed.contains(" Form1OnCreate(self);"));
    QVERIFY(composed.endsWith("Form1.showmodal; Form1.Free; \r\nend."));

    // Compiling twice gives the same text; the previous messages are gone.
    QVERIFY(m.Compile());
    QCOMPARE(m.composedScript(), composed);
    QCOMPARE(m.messages()->rowAt(0).text, QString("Succesfully compiled"));
    QCOMPARE(m.messages()->rowAt(0).row, -1);
}

void TestCompile::compileRunsWithAReadOnlyScriptAndMarkedCaption()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    const QString caption = m.windowTitle();
    bool sawReadOnly = false;
    QString titleDuring;
    QString panelDuring;
    QObject::connect(m.codeEditor(), &editor::CodeEditor::statusChanged, &m, [&] {
        if (m.codeEditor()->isReadOnly()) {
            sawReadOnly = true;
            titleDuring = m.windowTitle();
            panelDuring = m.studioStatusBar()->panelText(4);
        }
    });
    m.codeEditor()->setLines({"// nothing"});
    m.action("TBXItem39")->trigger();
    QVERIFY(sawReadOnly);
    QCOMPARE(titleDuring, caption + "  [Compiling]");
    QCOMPARE(panelDuring, QString("Read only"));
    QCOMPARE(m.windowTitle(), caption);
    QVERIFY(!m.codeEditor()->isReadOnly());
    QCOMPARE(m.studioStatusBar()->panelText(4), QString());
    QCOMPARE(m.studioStatusBar()->panelIcon(), -1);
    QVERIFY(m.action("TBXItem39")->isEnabled());
    QVERIFY(!m.studioStatusBar()->progressBar()->isVisible());
}

void TestCompile::messagesCanBeSavedAndCleared()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.codeEditor()->setLines({"begin"});
    m.Compile();
    const int rows = m.messages()->count();
    QVERIFY(rows >= 2);
    const QString file = s.path("messages.txt");
    s.prompter.saveAnswers = {file};
    QVERIFY(m.messages()->saveMessages());
    QCOMPARE(s.prompter.fileRequests.last().title, QString("Save Compiler Messages As"));
    QVERIFY(s.prompter.fileRequests.last().overwritePrompt);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), rows);
    QCOMPARE(lines.first(), QString("Failed when compiling script."));

    m.messages()->popupMenu()->actions().last()->trigger();
    QCOMPARE(m.messages()->count(), 0);
}

void TestCompile::saveIsRefusedWhenTheScriptDoesNotCompile()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.codeEditor()->setLines({"this is not pascal"});
    const QString path = s.path("never.lmb");
    s.prompter.saveAnswers = {path};
    m.SaveAs();
    QVERIFY(!QFile::exists(path));
    QVERIFY(m.modified());
    QVERIFY(m.projectFileName().isEmpty());
    // The compile's error box, then the refusal.
    QCOMPARE(s.prompter.boxes.size(), 2);
    QCOMPARE(s.prompter.boxes[1].text, QString("Failed when compiling script.\r\nFile not saved."));
    QCOMPARE(s.prompter.boxes[1].caption, QString("Error"));
    QVERIFY(m.isEnabled());
    QVERIFY(!m.codeEditor()->isReadOnly());
}

void TestCompile::theWelcomeSampleOpensAndCompiles()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.setModified(false);
    const QString sample = QString::fromStdString((distDir() / "Samples" / "Welcome.lmb").string());
    QVERIFY(m.LoadProject(sample, true));
    QVERIFY(s.prompter.boxes.isEmpty());
    const vcl::Component& form = m.designForm()->model().root();
    QVERIFY(form.findComponent("Button1"));
    QVERIFY(form.findComponent("Label1"));
    QCOMPARE(m.designForm()->windowTitle(), QString("Welcome to Lumeni Zarerud"));
    QVERIFY(m.Compile());
    QVERIFY(m.composedScript().contains(" Button1.OnClick:=@Button1OnClick;"));
    QVERIFY(m.composedScript().contains(" Button2.OnClick:=@Button2OnClick;"));
}

QTEST_MAIN(TestCompile)
#include "tst_compile.moc"
