// The script editor: its lines as the project's code lines, the error line painting, the status
// it reports, and files dropped on it.
#include "editor/code_editor.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using editor::CodeEditor;

class TestCodeEditor : public QObject {
    Q_OBJECT
private slots:
    void linesRoundTrip_data();
    void linesRoundTrip();
    void setLinesIsNoEdit();
    void typingIsAnEdit();
    void errorLinePaintsWhiteOnDarkRed();
    void errorMarkDroppedWithoutRepaintKeepsThePaint();
    void caretAndReadOnlyStatus();
    void droppedFilesAreHandedOver();
};

namespace {

// The colours the editor draws at the start of a line: the error marker's background and the
// indicator's text colour, read back from Scintilla.
bool lineHasErrorMarker(CodeEditor& e, int line)
{
    return (e.markersAtLine(line - 1) & (1 << 1)) != 0;
}

bool lineHasErrorIndicator(CodeEditor& e, int line)
{
    const long pos = e.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line - 1);
    return e.SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, 9, pos) != 0;
}

// The drop handler as the viewport calls it.
class DropTarget : public CodeEditor {
public:
    void drop(QDropEvent* event) { dropEvent(event); }
};

} // namespace

void TestCodeEditor::linesRoundTrip_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("none") << QStringList{};
    QTest::newRow("one blank") << QStringList{" "};
    QTest::newRow("script") << QStringList{"procedure A;", "begin", "end;"};
    QTest::newRow("empty lines inside and at the end") << QStringList{"a", "", "b", ""};
    QTest::newRow("not ascii") << QStringList{"Caption := 'Français – ünïcödé';"};
}

void TestCodeEditor::linesRoundTrip()
{
    QFETCH(QStringList, lines);
    CodeEditor e;
    e.setLines(lines);
    QCOMPARE(e.lines(), lines);
}

void TestCodeEditor::setLinesIsNoEdit()
{
    CodeEditor e;
    QSignalSpy edits(&e, &CodeEditor::textEdited);
    e.setLines({"begin", "end."});
    QCOMPARE(edits.count(), 0);
    QVERIFY(!e.isUndoAvailable());
}

void TestCodeEditor::typingIsAnEdit()
{
    CodeEditor e;
    e.setLines({"begin"});
    QSignalSpy edits(&e, &CodeEditor::textEdited);
    e.setCaret(1, 6);
    e.insert(" end");
    QVERIFY(edits.count() >= 1);
    QCOMPARE(e.lines(), QStringList{"begin end"});
    QVERIFY(e.isUndoAvailable());
    e.undo();
    QCOMPARE(e.lines(), QStringList{"begin"});
}

void TestCodeEditor::errorLinePaintsWhiteOnDarkRed()
{
    CodeEditor e;
    e.setLines({"a", "b", "c"});
    e.setErrorLine(2);
    QCOMPARE(e.errorLine(), 2);
    QVERIFY(lineHasErrorMarker(e, 2));
    QVERIFY(lineHasErrorIndicator(e, 2));
    QVERIFY(!lineHasErrorMarker(e, 1));
    // $000080 in BGR is dark red, the text white.
    QCOMPARE(QColor(static_cast<QRgb>(e.SendScintilla(QsciScintillaBase::SCI_INDICGETFORE, 9))),
             QColor(0xFF, 0xFF, 0xFF));

    // Moving the mark repaints the old line and the new one.
    e.setErrorLine(3);
    QVERIFY(!lineHasErrorMarker(e, 2));
    QVERIFY(!lineHasErrorIndicator(e, 2));
    QVERIFY(lineHasErrorMarker(e, 3));
    e.setErrorLine(-1);
    QVERIFY(!lineHasErrorMarker(e, 3));
    QCOMPARE(e.paintedErrorLine(), -1);

    // A line past the end marks nothing.
    e.setErrorLine(40);
    QCOMPARE(e.paintedErrorLine(), -1);
}

void TestCodeEditor::errorMarkDroppedWithoutRepaintKeepsThePaint()
{
    CodeEditor e;
    e.setLines({"a", "b"});
    e.setErrorLine(1);
    e.setErrorLine(-1, false);
    QCOMPARE(e.errorLine(), -1);
    QCOMPARE(e.paintedErrorLine(), 1);
    QVERIFY(lineHasErrorMarker(e, 1));
    // Editing the script ends the highlight.
    e.setCaret(2, 2);
    e.show();
    QTest::keyClicks(&e, "x");
    QCOMPARE(e.lines(), (QStringList{"a", "bx"}));
    QCOMPARE(e.paintedErrorLine(), -1);
    QVERIFY(!lineHasErrorMarker(e, 1));
}

void TestCodeEditor::caretAndReadOnlyStatus()
{
    CodeEditor e;
    e.setLines({"first", "second line"});
    QSignalSpy status(&e, &CodeEditor::statusChanged);
    e.setCaret(2, 4);
    QCOMPARE(e.caretLine(), 2);
    QCOMPARE(e.caretColumn(), 4);
    QVERIFY(status.count() >= 1);
    // Out of range is kept inside the text.
    e.setCaret(9, 99);
    QCOMPARE(e.caretLine(), 2);
    QCOMPARE(e.caretColumn(), 12);

    status.clear();
    e.setReadOnly(true);
    QCOMPARE(status.count(), 1);
    e.show();
    QTest::keyClicks(&e, "xyz");
    QCOMPARE(e.lines(), (QStringList{"first", "second line"}));
    // Loading a project into a read-only editor still works.
    e.setLines({"other"});
    QCOMPARE(e.lines(), QStringList{"other"});
    QVERIFY(e.isReadOnly());
}

void TestCodeEditor::droppedFilesAreHandedOver()
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.lmb");
    const QString b = dir.filePath("b.lmb");
    for (const QString& p : {a, b}) {
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    DropTarget e;
    e.setLines({"keep"});
    QSignalSpy dropped(&e, &CodeEditor::filesDropped);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(dir.filePath("gone"))});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    e.drop(&drop);
    QCOMPARE(dropped.count(), 1);
    QCOMPARE(dropped.first().first().toStringList(), (QStringList{a, b}));
    // The paths are not pasted into the script.
    QCOMPARE(e.lines(), QStringList{"keep"});
}

QTEST_MAIN(TestCodeEditor)
#include "tst_code_editor.moc"
