// The script editor on QScintilla. The error line is a background marker plus a text-colour
// indicator over the whole line, so the lexer's colours give way to white on dark red.
#include "editor/code_editor.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QMimeData>
#include <QUrl>
#include <Qsci/qscilexerpascal.h>
#include <algorithm>

namespace editor {
namespace {

constexpr int kErrorMarker = 1;
constexpr int kErrorIndicator = 9;         // above the range the lexers use
const QColor kErrorBack(0x80, 0x00, 0x00); // $000080 in BGR
const QColor kErrorText(0xFF, 0xFF, 0xFF);

QFont fixedFont(const QString& family, int pointSize)
{
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(pointSize);
    const QFontInfo info(font);
    if (family.isEmpty() || !info.fixedPitch() || info.family().compare(family, Qt::CaseInsensitive) != 0) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(pointSize);
    }
    return font;
}

} // namespace

CodeEditor::CodeEditor(QWidget* parent) : QsciScintilla(parent)
{
    setObjectName("Memo1");
    setUtf8(true);
    setEolMode(EolUnix);

    m_lexer = new QsciLexerPascal(this);
    for (int style :
         {QsciLexerPascal::Comment, QsciLexerPascal::CommentParenthesis, QsciLexerPascal::CommentLine})
        m_lexer->setColor(QColor(0x00, 0x80, 0x00), style);
    m_lexer->setColor(QColor(0x00, 0x00, 0x80), QsciLexerPascal::Keyword);
    m_lexer->setColor(QColor(0x00, 0x00, 0xFF), QsciLexerPascal::SingleQuotedString);
    m_lexer->setColor(QColor(0x00, 0x00, 0xFF), QsciLexerPascal::Character);
    m_lexer->setColor(QColor(0x80, 0x00, 0x80), QsciLexerPascal::Number);
    m_lexer->setColor(QColor(0x80, 0x00, 0x80), QsciLexerPascal::HexNumber);
    m_lexer->setColor(QColor(0x00, 0x80, 0x80), QsciLexerPascal::PreProcessor);
    m_lexer->setColor(QColor(0x00, 0x80, 0x80), QsciLexerPascal::PreProcessorParenthesis);
    m_lexer->setColor(QColor(0xC0, 0x00, 0x00), QsciLexerPascal::UnclosedString);
    setLexer(m_lexer);
    setEditorFont(QString(), 10);

    setMarginType(0, NumberMargin);
    setMarginLineNumbers(0, true);
    setMarginWidth(0, QStringLiteral("00000"));
    setMarginWidth(1, 0);
    setFolding(NoFoldStyle);
    setIndentationsUseTabs(false);
    setTabWidth(2);
    setAutoIndent(true);
    setCaretLineVisible(false);
    setBraceMatching(NoBraceMatch);
    setWrapMode(WrapNone);
    // The horizontal scroll bar follows the longest line instead of a fixed width.
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);

    markerDefine(Background, kErrorMarker);
    setMarkerBackgroundColor(kErrorBack, kErrorMarker);
    SendScintilla(SCI_INDICSETSTYLE, kErrorIndicator, INDIC_TEXTFORE);
    SendScintilla(SCI_INDICSETFORE, kErrorIndicator, kErrorText);

    connect(this, &QsciScintilla::cursorPositionChanged, this, &CodeEditor::statusChanged);
    connect(this, &QsciScintilla::selectionChanged, this, &CodeEditor::statusChanged);
    connect(this, &QsciScintilla::textChanged, this, [this] {
        if (m_settingText)
            return;
        // An edit ends the error highlight: the marked text is being corrected.
        if (m_errorLine != -1 || m_paintedLine != -1)
            setErrorLine(-1);
        emit textEdited();
    });
}

void CodeEditor::setEditorFont(const QString& family, int pointSize)
{
    const QFont font = fixedFont(family, pointSize);
    m_lexer->setDefaultFont(font);
    m_lexer->setFont(font);
    QFont bold = font;
    bold.setBold(true);
    QFont italic = font;
    italic.setItalic(true);
    m_lexer->setFont(bold, QsciLexerPascal::Keyword);
    for (int style :
         {QsciLexerPascal::Comment, QsciLexerPascal::CommentParenthesis, QsciLexerPascal::CommentLine})
        m_lexer->setFont(italic, style);
    setMarginsFont(font);
    if (marginLineNumbers(0))
        setMarginWidth(0, QStringLiteral("00000"));
}

QFont CodeEditor::editorFont() const
{
    return m_lexer->font(QsciLexerPascal::Default);
}

void CodeEditor::setBackgroundColor(const QColor& color)
{
    m_lexer->setDefaultPaper(color);
    m_lexer->setPaper(color);
}

QStringList CodeEditor::lines() const
{
    const QString all = text();
    if (all.isEmpty())
        return {};
    QStringList result = all.split(QLatin1Char('\n'));
    for (QString& line : result) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return result;
}

void CodeEditor::setLines(const QStringList& lines)
{
    m_settingText = true;
    const bool ro = isReadOnly();
    if (ro)
        QsciScintilla::setReadOnly(false);
    setErrorLine(-1);
    setText(lines.join(QLatin1Char('\n')));
    setModified(false);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    if (ro)
        QsciScintilla::setReadOnly(true);
    m_settingText = false;
    setCursorPosition(0, 0);
    emit statusChanged();
}

bool CodeEditor::paintErrorLine(int line, bool on)
{
    if (line < 1 || line > SendScintilla(SCI_GETLINECOUNT))
        return false;
    const int index = line - 1;
    const long start = SendScintilla(SCI_POSITIONFROMLINE, index);
    const long end = SendScintilla(SCI_GETLINEENDPOSITION, index);
    SendScintilla(SCI_SETINDICATORCURRENT, kErrorIndicator);
    if (on) {
        markerAdd(index, kErrorMarker);
        SendScintilla(SCI_INDICATORFILLRANGE, start, end - start);
    } else {
        markerDelete(index, kErrorMarker);
        SendScintilla(SCI_INDICATORCLEARRANGE, start, end - start);
    }
    return true;
}

void CodeEditor::setErrorLine(int line, bool repaint)
{
    if (line < 1)
        line = -1;
    m_errorLine = line;
    if (!repaint)
        return;
    if (m_paintedLine != -1) {
        markerDeleteAll(kErrorMarker);
        SendScintilla(SCI_SETINDICATORCURRENT, kErrorIndicator);
        SendScintilla(SCI_INDICATORCLEARRANGE, 0, SendScintilla(SCI_GETLENGTH));
        m_paintedLine = -1;
    }
    if (line != -1 && paintErrorLine(line, true))
        m_paintedLine = line;
}

int CodeEditor::caretLine() const
{
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    return line + 1;
}

int CodeEditor::caretColumn() const
{
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    return index + 1;
}

void CodeEditor::setCaret(int line, int column)
{
    const int count = std::max(1, static_cast<int>(SendScintilla(SCI_GETLINECOUNT)));
    const int l = std::clamp(line, 1, count) - 1;
    const int length = static_cast<int>(text(l).remove(QLatin1Char('\n')).remove(QLatin1Char('\r')).size());
    const int c = std::clamp(column, 1, length + 1) - 1;
    setCursorPosition(l, c);
    ensureLineVisible(l);
}

bool CodeEditor::canPaste() const
{
    return SendScintilla(SCI_CANPASTE) != 0;
}

QString CodeEditor::wordAtCaret() const
{
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    return wordAtLineIndex(line, index);
}

void CodeEditor::setReadOnly(bool readOnly)
{
    if (readOnly == isReadOnly())
        return;
    QsciScintilla::setReadOnly(readOnly);
    emit statusChanged();
}

QStringList CodeEditor::localFiles(const QMimeData* mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            files << url.toLocalFile();
    }
    return files;
}

void CodeEditor::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QsciScintilla::dragEnterEvent(event);
}

void CodeEditor::dragMoveEvent(QDragMoveEvent* event)
{
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QsciScintilla::dragMoveEvent(event);
}

void CodeEditor::dropEvent(QDropEvent* event)
{
    const QStringList files = localFiles(event->mimeData());
    if (!files.isEmpty()) {
        event->acceptProposedAction();
        emit filesDropped(files);
        return;
    }
    QsciScintilla::dropEvent(event);
}

} // namespace editor
