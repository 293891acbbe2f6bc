// Editor.opt: read and written with the component model's text form.
#include "editor/editor_options.h"

#include "editor/code_editor.h"
#include "platform/atomic_file.h"
#include "platform/system_folders.h"
#include "vcl/class_registry.h"
#include "vcl/component.h"
#include "vcl/form_stream.h"
#include "vcl/text_form.h"

#include <unistd.h>

namespace editor {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxFileBytes = 4u << 20;

std::unique_ptr<vcl::Component> builtIn()
{
    auto c = vcl::Component::create("TSynEditorOptionsContainer");
    c->setName("SynEditOptions");
    c->setBoolean("Gutter.ShowLineNumbers", true);
    return c;
}

QColor colorOf(std::int64_t v, const QColor& systemColor)
{
    // Negative values are the system's colours, which this editor takes from its own palette.
    if (v < 0)
        return systemColor;
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

bool has(const std::vector<std::string>& set, const char* element)
{
    for (const std::string& e : set) {
        if (e == element)
            return true;
    }
    return false;
}

fs::path userFolder()
{
    return platform::dataHome() / "Lumeni Zarerud";
}

} // namespace

EditorOptions::EditorOptions() : m_container(builtIn())
{}
EditorOptions::~EditorOptions() = default;
EditorOptions::EditorOptions(EditorOptions&&) noexcept = default;
EditorOptions& EditorOptions::operator=(EditorOptions&&) noexcept = default;

EditorOptions EditorOptions::load(const fs::path& file)
{
    EditorOptions options;
    try {
        const auto text = platform::readWholeFile(file, kMaxFileBytes);
        if (!text)
            return options;
        auto root = vcl::readComponentStream(vcl::textToComponentStream(*text),
                                             &vcl::classes().classNamed("TSynEditorOptionsContainer"));
        options.m_container = std::move(root);
    } catch (...) {
        // An unreadable file leaves the built-in options.
    }
    return options;
}

bool EditorOptions::save(const fs::path& file) const
{
    try {
        std::error_code ec;
        fs::create_directories(file.parent_path(), ec);
        const std::string text = vcl::componentStreamToText(vcl::writeComponentStream(*m_container));
        return platform::writeFileAtomically(file, text);
    } catch (...) {
        return false;
    }
}

void EditorOptions::applyTo(CodeEditor& editor) const
{
    const vcl::Component& c = *m_container;
    try {
        const auto size = c.integer("Font.Size");
        editor.setEditorFont(QString::fromStdString(c.text("Font.Name")),
                             size > 0 && size < 200 ? static_cast<int>(size) : 10);

        const auto tab = c.integer("TabWidth");
        if (tab > 0 && tab <= 32)
            editor.setTabWidth(static_cast<int>(tab));
        const std::vector<std::string> flags = c.value("Options").elements;
        editor.setAutoIndent(has(flags, "eoAutoIndent"));
        editor.setIndentationsUseTabs(!has(flags, "eoTabsToSpaces"));

        const bool gutter = c.boolean("Gutter.Visible");
        const bool numbers = gutter && c.boolean("Gutter.ShowLineNumbers");
        editor.setMarginLineNumbers(0, numbers);
        if (numbers)
            editor.setMarginWidth(0, QStringLiteral("00000"));
        else
            editor.setMarginWidth(0, gutter ? 16 : 0);
        const auto edge = c.integer("RightEdge");
        editor.setEdgeMode(edge > 0 ? QsciScintilla::EdgeLine : QsciScintilla::EdgeNone);
        if (edge > 0 && edge < 10000)
            editor.setEdgeColumn(static_cast<int>(edge));
        editor.setEdgeColor(colorOf(c.integer("RightEdgeColor"), QColor(0xC0, 0xC0, 0xC0)));
        editor.setBackgroundColor(colorOf(c.integer("Color"), QColor(Qt::white)));
        editor.setSelectionBackgroundColor(
            colorOf(c.integer("SelectedColor.Background"), editor.palette().color(QPalette::Highlight)));
        editor.setSelectionForegroundColor(colorOf(c.integer("SelectedColor.Foreground"),
                                                   editor.palette().color(QPalette::HighlightedText)));
        const auto spacing = c.integer("ExtraLineSpacing");
        if (spacing >= 0 && spacing < 40)
            editor.setExtraDescent(static_cast<int>(spacing));
    } catch (...) {
        // A value the editor cannot take leaves the rest as it was.
    }
}

fs::path editorOptionsReadPath(const fs::path& installDir)
{
    const fs::path user = userFolder() / "Editor.opt";
    std::error_code ec;
    return fs::exists(user, ec) ? user : installDir / "Editor.opt";
}

fs::path editorOptionsWritePath(const fs::path& installDir)
{
    if (::access(installDir.c_str(), W_OK) == 0)
        return installDir / "Editor.opt";
    return userFolder() / "Editor.opt";
}

} // namespace editor
