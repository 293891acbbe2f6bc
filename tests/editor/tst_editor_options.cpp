// Editor.opt: the options object in text form, read back, applied to the editor, and kept when the
// file is damaged.
#include "editor/code_editor.h"
#include "editor/editor_options.h"
#include "support/temp_home.h"
#include "vcl/component.h"

#include <QTest>

using editor::EditorOptions;

class TestEditorOptions : public QObject {
    Q_OBJECT
private slots:
    void savedOptionsReadBackAndApply();
    void damagedOrMissingFileGivesTheBuiltInOptions();
    void unwritableInstallFolderUsesThePerUserFolder();
};

void TestEditorOptions::savedOptionsReadBackAndApply()
{
    lmbtest::TempHome home;
    EditorOptions options;
    options.container().setInteger("TabWidth", 4);
    options.container().setInteger("Font.Size", 14);
    options.container().setInteger("RightEdge", 100);
    options.container().setBoolean("Gutter.Visible", false);
    const auto file = home.root() / "Editor.opt";
    QVERIFY(options.save(file));
    const std::string text = lmbtest::readFile(file);
    QVERIFY2(text.rfind("object SynEditOptions: TSynEditorOptionsContainer", 0) == 0, text.c_str());
    QVERIFY(text.find("TabWidth = 4") != std::string::npos);

    EditorOptions back = EditorOptions::load(file);
    QCOMPARE(back.container().integer("TabWidth"), 4);
    QCOMPARE(back.container().integer("RightEdge"), 100);
    editor::CodeEditor e;
    back.applyTo(e);
    QCOMPARE(e.tabWidth(), 4);
    QCOMPARE(e.edgeColumn(), 100);
    QCOMPARE(e.editorFont().pointSize(), 14);
    QCOMPARE(e.marginWidth(0), 0);
    // Written again, the file reads the same.
    QVERIFY(back.save(home.root() / "again.opt"));
    QCOMPARE(lmbtest::readFile(home.root() / "again.opt"), text);
}

void TestEditorOptions::damagedOrMissingFileGivesTheBuiltInOptions()
{
    lmbtest::TempHome home;
    for (const char* bytes :
         {"object X: TForm\r\nend\r\n", "garbage",
          "object SynEditOptions: TSynEditorOptionsContainer\r\n  TabWidth = 'x'\r\nend\r\n"}) {
        const auto file = home.writeFile("Editor.opt", bytes);
        EditorOptions o = EditorOptions::load(file);
        QCOMPARE(o.container().integer("TabWidth"), 8);
        QVERIFY(o.container().boolean("Gutter.ShowLineNumbers"));
    }
    EditorOptions none = EditorOptions::load(home.root() / "none.opt");
    QCOMPARE(none.container().integer("TabWidth"), 8);
}

void TestEditorOptions::unwritableInstallFolderUsesThePerUserFolder()
{
    lmbtest::TempHome home;
    const auto install = home.root() / "install";
    std::filesystem::create_directories(install);
    QCOMPARE(editor::editorOptionsWritePath(install), install / "Editor.opt");
    QCOMPARE(editor::editorOptionsReadPath(install), install / "Editor.opt");
    std::filesystem::permissions(install,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::access(install.c_str(), W_OK) == 0)
        QSKIP("running with rights that write everywhere");
    const auto user = home.root() / "share" / "Lumeni Zarerud" / "Editor.opt";
    QCOMPARE(editor::editorOptionsWritePath(install), user);
    QVERIFY(EditorOptions().save(editor::editorOptionsWritePath(install)));
    QCOMPARE(editor::editorOptionsReadPath(install), user);
    std::filesystem::permissions(install, std::filesystem::perms::owner_all);
}

QTEST_MAIN(TestEditorOptions)
#include "tst_editor_options.moc"
