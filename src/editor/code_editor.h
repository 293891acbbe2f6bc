// The script editor: a QScintilla view with the Pascal highlighter, the error line painted white on
// dark red, the caret's line and column for the status bar, and files dropped from the desktop
// handed to the window that owns the editor instead of being pasted as text.
//
// The editor's lines are the project's code lines: lines() and setLines() convert between the
// document and that list (an empty document is no line at all, as in a string list).
#pragma once

#include <QStringList>
#include <Qsci/qsciscintilla.h>

class QsciLexerPascal;

namespace editor {

class CodeEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget* parent = nullptr);

    QStringList lines() const;
    // Replaces the whole text; not counted as an edit (textEdited is not emitted) and not undoable.
    void setLines(const QStringList& lines);
    void clearText() { setLines({}); }

    // The error line (1-based; -1 for none). Setting it moves the highlight; `repaint` false only
    // records the number and leaves the painted line as it is.
    int errorLine() const { return m_errorLine; }
    void setErrorLine(int line, bool repaint = true);
    // The line painted as the error line (-1 for none): it stays painted after the mark is dropped
    // without repainting, until the next change of the mark or an edit.
    int paintedErrorLine() const { return m_paintedLine; }

    // Caret position, 1-based line and column. setCaret keeps the caret inside the text.
    int caretLine() const;
    int caretColumn() const;
    void setCaret(int line, int column);

    // The font of the script; a family this system lacks (or one that is not fixed-width, as the
    // Windows "Courier New" of stored options may be here) gives the system's fixed-width font.
    void setEditorFont(const QString& family, int pointSize);
    QFont editorFont() const;
    void setBackgroundColor(const QColor& color);

    bool canPaste() const;
    QString wordAtCaret() const;

    void setReadOnly(bool readOnly) override;

signals:
    // The caret moved, the selection or the read-only state changed.
    void statusChanged();
    // The user changed the text (typing, pasting, undo); setLines does not count.
    void textEdited();
    // Local files dropped on the editor, in drop order.
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool paintErrorLine(int line, bool on);
    static QStringList localFiles(const QMimeData* mime);

    QsciLexerPascal* m_lexer = nullptr;
    int m_errorLine = -1;
    int m_paintedLine = -1;
    bool m_settingText = false;
};

} // namespace editor
