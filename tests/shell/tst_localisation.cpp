// Languages in the windows: the Language menu switches every window at once, TranslateForm's rules
// for missing and empty keys, the language warning for an older file, and the shipped translation.
#include "editor/code_editor.h"
#include "platform/settings.h"
#include "shell/lang_warn.h"
#include "shell/messages_panel.h"
#include "shell/project_settings_form.h"
#include "shell/status_bar.h"
#include "shell/translate.h"
#include "studio_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolBar>

using namespace lmbtest;

namespace {

QString languageFile(const char* stem)
{
    return QString::fromStdString((distDir() / "language" / (std::string(stem) + ".lng")).string());
}

QAction* languageItem(shell::TMainForm& m, const QString& caption)
{
    for (QAction* a : m.menu("Language1")->actions()) {
        if (a->text() == caption)
            return a;
    }
    return nullptr;
}

} // namespace

class TestLocalisation : public QObject {
    Q_OBJECT
private slots:
    void languageMenuSwitchesEveryWindow();
    void missingAndEmptyKeysKeepTheCurrentText();
    void olderLanguageFileShowsTheWarning();
    void languageMenuListsNamedFilesWithFlags();
};

void TestLocalisation::languageMenuSwitchesEveryWindow()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    m.LoadLanguage(languageFile("English"));
    QAction* french = languageItem(m, QString::fromUtf8("Français"));
    QVERIFY(french);
    QVERIFY(languageItem(m, "English")->isChecked());

    french->trigger();
    QVERIFY(french->isChecked());
    QCOMPARE(m.languageName(), QString::fromUtf8("Français"));
    QCOMPARE(QString::fromStdString(platform::settings::general::Language.read()), QString("French"));
    QCOMPARE(m.menu("File1")->title(), QString("&Fichier"));
    QCOMPARE(m.action("NewProject1")->text(), QString("&Nouveau projet"));
    QCOMPARE(m.action("NewProject1")->statusTip(), QString::fromUtf8("Crée un nouveau projet"));
    QCOMPARE(m.panel("pnlControls")->windowTitle(), QString::fromUtf8("Contrôles"));
    QCOMPARE(m.toolbar(2)->windowTitle(), QString("Barre Fichier"));
    QCOMPARE(m.action("FileMenuToolbar1")->text(), QString("Barre Fichier"));
    QCOMPARE(m.studioStatusBar()->panelText(0), QString("Pour obtenir de l'aide, appuyez sur F1"));
    QCOMPARE(m.studioStatusBar()->panelText(2), QString("Ligne : 1"));
    // A longer text of the language widens its panel instead of being clipped.
    m.codeEditor()->setReadOnly(true);
    QCOMPARE(m.studioStatusBar()->panelText(4), QString("Lecture seule"));
    QVERIFY(m.studioStatusBar()->fontMetrics().horizontalAdvance("Lecture seule") + 8 <=
            m.studioStatusBar()->panelWidth(4));
    m.codeEditor()->setReadOnly(false);
    QVERIFY(m.windowTitle().endsWith("[Untitled]")); // the caption follows the next UpdateCaption
    m.UpdateCaption();
    QVERIFY(m.windowTitle().endsWith("  [Sans titre]"));
    // Generated hints follow the language at once.
    QVERIFY(languageItem(m, "English")->statusTip().contains("English"));
    QVERIFY(!languageItem(m, "English")->statusTip().startsWith("Sets the language"));

    // The file dialogs' titles are named components of the window.
    m.setModified(false);
    m.Open();
    m.messages()->saveMessages();
    QCOMPARE(s.prompter.fileRequests.size(), 2);
    QCOMPARE(s.prompter.fileRequests[0].title, QString("Ouvrir un projet"));
    QCOMPARE(s.prompter.fileRequests[1].title, QString("Enregistrer les messages du compilateur sous"));

    // Secondary windows translate too, the Project Settings dialog with its own caption.
    s.prompter.dialogs = {[](QDialog&) { return int(QDialog::Rejected); }};
    m.ProjectSettings();
    QCOMPARE(m.projectSettingsForm()->windowTitle(), QString::fromUtf8("Paramètres du projet"));
    QCOMPARE(m.projectSettingsForm()->findChild<QLabel*>("Label1")->text(), QString("Largeur :"));

    // Back to English: English.lng names every window text, so nothing stays in French.
    languageItem(m, "English")->trigger();
    QCOMPARE(m.menu("File1")->title(), QString("&File"));
    QCOMPARE(m.action("NewProject1")->statusTip(), QString("Creates a new project"));
    QCOMPARE(m.panel("pnlControls")->windowTitle(), QString("Controls"));
    QCOMPARE(m.toolbar(2)->windowTitle(), QString("File Menu Toolbar"));
    QCOMPARE(m.projectSettingsForm()->findChild<QLabel*>("Label1")->text(), QString("Width :"));
    QCOMPARE(m.studioStatusBar()->panelText(0), QString("For Help, press F1"));
    QCOMPARE(m.studioStatusBar()->panelText(2), QString("Line : 1"));
    m.SaveAs();
    QCOMPARE(s.prompter.fileRequests.last().title, QString("Save Project As"));
}

void TestLocalisation::missingAndEmptyKeysKeepTheCurrentText()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    const auto file = s.home.writeFile(
        "language/Test.lng", "[General]\r\nName=Test\r\nVersion=2.0\r\n"
                             "[Custom_Messages]\r\nSFORHELPPRESSF1=Line one%nline two\r\n"
                             "[mainform]\r\nfile1=Datei\r\nOpen1=\r\nSave1.HINT=Sichern|Sichert%nalles\r\n"
                             "Exit1=" + std::string(100000, 'x') + "\r\n");
    m.LoadLanguage(QString::fromStdString(file.string()));
    QCOMPARE(m.menu("File1")->title(), QString("Datei"));          // section and keys in any case
    QCOMPARE(m.action("Open1")->text(), QString("&Open"));         // empty value: kept
    QCOMPARE(m.action("SaveAs1")->text(), QString("Save &As...")); // missing key: kept
    QCOMPARE(m.action("Save1")->toolTip(), QString("Sichern"));
    QCOMPARE(m.action("Exit1")->text().size(), 1023);
    // Window sections are not messages: %n stays as it is there, and becomes a line break in messages.
    QCOMPARE(m.action("Save1")->statusTip(), QString("Sichert%nalles"));
    QCOMPARE(m.studioStatusBar()->panelText(0), QString("Line one\r\nline two"));
    QVERIFY(s.prompter.dialogNames.isEmpty()); // same version: no warning

    // A missing file leaves every text as it is.
    m.LoadLanguage(s.path("language/None.lng"));
    QCOMPARE(m.menu("File1")->title(), QString("Datei"));
}

void TestLocalisation::olderLanguageFileShowsTheWarning()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    const auto file = s.home.writeFile("language/Old.lng",
                                       "[General]\r\nName=Oldish\r\nVersion=1.9\r\nAuthor=A. Translator\r\n"
                                       "E-mail=a@example.org\r\n");
    const QString path = QString::fromStdString(file.string());
    QString text, author;
    s.prompter.dialogs = {[&](QDialog& d) {
        auto& warn = dynamic_cast<shell::TLangWarn&>(d);
        text = warn.textArea()->toPlainText();
        author = warn.findChild<QLabel*>("lblAuthor")->text();
        return int(QDialog::Accepted);
    }};
    m.LoadLanguage(path);
    QCOMPARE(s.prompter.dialogNames, QStringList{"LangWarn"});
    QVERIFY(text.startsWith("Oldish\n\n"));
    QVERIFY2(text.contains(path + "\" (1.9) is older than the version of Lumeni Zarerud (2.0)"),
             qPrintable(text));
    QCOMPARE(author, QString("A. Translator"));
    QVERIFY(m.langWarn()->emailLabel()->text().contains("mailto:a@example.org"));

    // Shown again on the next application, until "Don't show this dialog again" is ticked.
    s.prompter.dialogs = {[](QDialog& d) {
        dynamic_cast<shell::TLangWarn&>(d).dontShowAgain()->setChecked(true);
        return int(QDialog::Accepted);
    }};
    m.LoadLanguage(path);
    QCOMPARE(s.prompter.dialogNames.size(), 2);
    QCOMPARE(platform::settings::general::LangWarn.read(), false);
    m.LoadLanguage(path);
    QCOMPARE(s.prompter.dialogNames.size(), 2);
}

void TestLocalisation::languageMenuListsNamedFilesWithFlags()
{
    Studio s;
    shell::TMainForm& m = *s.main;
    const auto named = s.home.writeFile("language/Named.lng", "[General]\r\nName=Named\r\n");
    const auto nameless = s.home.writeFile("language/Nameless.lng", "[General]\r\nVersion=2.0\r\n");
    m.setLanguageFiles({QString::fromStdString(named.string()), QString::fromStdString(nameless.string()),
                        languageFile("French")});
    m.buildLanguageMenu();
    QStringList captions;
    for (QAction* a : m.menu("Language1")->actions())
        captions << a->text();
    QCOMPARE(captions, (QStringList{"Named", QString::fromUtf8("Français")}));
    // French has its flag beside it; the others show the built-in picture.
    const QImage flag = languageItem(m, QString::fromUtf8("Français"))->icon().pixmap(20, 14).toImage();
    const QImage none = languageItem(m, "Named")->icon().pixmap(20, 14).toImage();
    QVERIFY(flag != none);

    m.setLanguageFiles({});
    m.buildLanguageMenu();
    QCOMPARE(m.menu("Language1")->actions().size(), 1);
    QCOMPARE(m.menu("Language1")->actions()[0]->text(), QString("English"));
    QVERIFY(m.menu("Language1")->actions()[0]->isChecked());
}

QTEST_MAIN(TestLocalisation)
#include "tst_localisation.moc"
