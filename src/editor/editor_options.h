// The code editor's options as Editor.opt keeps them: one options container object
// (TSynEditorOptionsContainer) in the textual component-stream form, read when the main window is
// created and written when it closes. The properties the script editor has a use for are applied
// to it (font, tab width, gutter, right edge, colours, caret, indentation); the others are kept as
// read and written back unchanged.
//
// Editor.opt lives in the install directory; when that cannot be written, in the per-user data
// folder under the same name, which readers look at first.
#pragma once

#include <filesystem>
#include <memory>

namespace vcl {
class Component;
}

namespace editor {

class CodeEditor;

class EditorOptions {
public:
    EditorOptions(); // the built-in options
    ~EditorOptions();
    EditorOptions(EditorOptions&&) noexcept;
    EditorOptions& operator=(EditorOptions&&) noexcept;

    // The options of a file; a missing or unreadable file gives the built-in options.
    static EditorOptions load(const std::filesystem::path& file);
    // False when the file cannot be written (the old file then stays as it was).
    bool save(const std::filesystem::path& file) const;

    void applyTo(CodeEditor& editor) const;

    vcl::Component& container() { return *m_container; }
    const vcl::Component& container() const { return *m_container; }

private:
    std::unique_ptr<vcl::Component> m_container;
};

// Where Editor.opt is read from and written to for an install directory.
std::filesystem::path editorOptionsReadPath(const std::filesystem::path& installDir);
std::filesystem::path editorOptionsWritePath(const std::filesystem::path& installDir);

} // namespace editor
