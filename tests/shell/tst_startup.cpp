// The studio's start-up in its order: the splash with its progress values and texts, the windows,
// the language named by the settings, the stored position, the first display with a new project or
// the project of the command line; and an exception escaping an event handler shown as a box.
#include "editor/code_editor.h"
#include "platform/errors.h"
#include "platform/settings.h"
#include "shell/splash_form.h"
#include "shell/startup.h"
#include "studio_fixture.h"

#include <QMenu>
#include <QTimer>

using namespace lmbtest;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void splashShowsTheProgressOfWindowCreation();
    void startsInTheStoredLanguageAndPlace();
    void projectOnTheCommandLineIsOpened();
    void exceptionInAnEventHandlerIsShown();
};

void TestStartup::splashShowsTheProgressOfWindowCreation()
{
    Studio s({}, false);
    QList<int> steps;
    QStringList texts;
    shell::StartupOptions options;
    options.stepDelayMs = 0;
    options.splashPauseMs = 0;
    options.splashStep = [&](int percent, const QString& text) {
        steps << percent;
        texts << text;
    };
    // A language file older than the program: its warning must not sit under the splash.
    options.languageFile = QString::fromStdString(
        s.home.writeFile("Old.lng", "[General]\r\nName=Old\r\nVersion=1.0\r\n").string());
    bool splashShown = true;
    s.prompter.dialogs = {[&](QDialog&) {
        splashShown = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            splashShown = splashShown || (qobject_cast<shell::TSplashForm*>(w) && w->isVisible());
        return int(QDialog::Accepted);
    }};
    s.main = shell::startStudio(s.prompter, options);
    QCOMPARE(s.prompter.dialogNames, QStringList{"LangWarn"});
    QVERIFY(!splashShown);
    QCOMPARE(steps, (QList<int>{5, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 90, 95, 100}));
    QCOMPARE(texts.first(), QString::fromUtf8("Loading - 5% - Please wait\u2026 "));
    QCOMPARE(texts.last(), QString::fromUtf8("Ready - 100% - Please wait\u2026 "));
    // The splash is gone, the main window shows an untitled, modified project.
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<shell::TSplashForm*>(w));
    QVERIFY(s.main->isVisible());
    QVERIFY(s.main->modified());
    QVERIFY(s.main->windowTitle().endsWith("  [Untitled]"));
    QVERIFY(!s.main->openedFromCommandLine());
}

void TestStartup::startsInTheStoredLanguageAndPlace()
{
    Studio s(
        [] {
            platform::settings::general::Language.write("French");
            platform::settings::position::Left.write(40);
            platform::settings::position::Top.write(30);
            platform::settings::position::Width.write(760);
            platform::settings::position::Height.write(700);
        },
        false);
    shell::StartupOptions options;
    options.splash = false;
    options.languageFile =
        QString::fromStdString((platform::sourceDir() / "language" / "French.lng").string());
    s.main = shell::startStudio(s.prompter, options);
    QCOMPARE(s.main->menu("File1")->title(), QString("&Fichier"));
    QVERIFY(s.main->windowTitle().endsWith("  [Sans titre]"));
    QCOMPARE(s.main->geometry().size(), QSize(760, 700));
    // The splash of the next start reads its texts from the same language.
    shell::TSplashForm splash("2.0");
    splash.setProgress(45, 0);
    QVERIFY(splash.progressText().startsWith("Chargement - 45"));
}

void TestStartup::projectOnTheCommandLineIsOpened()
{
    Studio s;
    s.main->codeEditor()->setLines({"// from the command line"});
    const QString path = s.path("cmd.lmb");
    s.prompter.saveAnswers = {path};
    s.main->SaveAs();
    s.main->setModified(false);
    s.main->close();
    s.main.reset();

    shell::StartupOptions options;
    options.splash = false;
    options.firstArgument = path;
    s.main = shell::startStudio(s.prompter, options);
    QCOMPARE(s.main->projectFileName(), path);
    QVERIFY(s.main->openedFromCommandLine());
    QVERIFY(!s.main->modified());

    // A first argument that names no file starts with a new project.
    s.main->close();
    s.main.reset();
    options.firstArgument = "/assoc";
    s.main = shell::startStudio(s.prompter, options);
    QVERIFY(s.main->projectFileName().isEmpty());
    QVERIFY(!s.main->openedFromCommandLine());
}

void TestStartup::exceptionInAnEventHandlerIsShown()
{
    Studio s;
    static_cast<shell::StudioApplication*>(QCoreApplication::instance())->setPrompter(&s.prompter);
    s.main->setDialogActive(true);
    QTimer::singleShot(0, [] { throw platform::Error("Something went wrong"); });
    QTest::qWait(50);
    QCOMPARE(s.prompter.boxes.size(), 1);
    QCOMPARE(s.prompter.boxes[0].text, QString("Something went wrong"));
    QCOMPARE(s.prompter.boxes[0].caption, QString("Error"));
    QCOMPARE(s.prompter.boxes[0].icon, shell::MessageIcon::Error);
    QVERIFY(!s.main->dialogActive());
    static_cast<shell::StudioApplication*>(QCoreApplication::instance())->setPrompter(nullptr);
}

int main(int argc, char** argv)
{
    shell::StudioApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
