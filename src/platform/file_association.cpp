// The freedesktop file association; see file_association.h.
#include "platform/file_association.h"

#include "platform/atomic_file.h"
#include "platform/lang.h"
#include "platform/process.h"
#include "platform/system_folders.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

// A menu text without its accelerator marks ("&&" is a literal "&").
std::string withoutAccelerator(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out.push_back('&');
                ++i;
            }
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

// One value of a desktop entry: a single line, backslashes escaped.
std::string desktopValue(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else
            out.push_back(c);
    }
    return out;
}

// A program path as an Exec argument: quoted, with the characters that are special inside quotes
// escaped, and percent signs doubled (the field codes use them).
std::string execArgument(const fs::path& path)
{
    std::string out = "\"";
    for (char c : path.string()) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out.push_back('\\');
        if (c == '%')
            out.push_back('%');
        out.push_back(c);
    }
    out += '"';
    return out;
}

std::string xmlEscape(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out.push_back(c);
        }
    }
    return out;
}

void refreshDatabases()
{
    if (findProgram("update-mime-database"))
        runProgram({"update-mime-database", (dataHome() / "mime").string()});
    if (findProgram("update-desktop-database"))
        runProgram({"update-desktop-database", (dataHome() / "applications").string()});
}

} // namespace

AssociationTarget defaultAssociationTarget()
{
    const fs::path dir = executableDir();
    return {executableFile(), dir / "player", dir / "data" / "ShellNew.dat", GetLangString("SEDIT"),
            GetLangString("SPLAY")};
}

fs::path mimePackageFile() { return dataHome() / "mime" / "packages" / "lumeni-zarerud-project.xml"; }
fs::path desktopEntryFile() { return dataHome() / "applications" / "lumeni-zarerud.desktop"; }

std::string mimePackageText()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           std::string(kProjectMimeType) + "\">\n    <comment>" + xmlEscape(kProjectDescription) +
           "</comment>\n    <glob pattern=\"*.lmb\"/>\n  </mime-type>\n</mime-info>\n";
}

std::string desktopEntryText(const AssociationTarget& t)
{
    const std::string open = execArgument(t.studio) + " %f";
    std::string s = "[Desktop Entry]\n"
                    "Type=Application\n"
                    "Name=Lumeni Zarerud\n"
                    "Comment=Autorun menus and multimedia applications for CDs\n"
                    "Exec=" +
                    desktopValue(open) +
                    "\n"
                    "Terminal=false\n"
                    "Categories=Development;\n"
                    "MimeType=" +
                    std::string(kProjectMimeType) +
                    ";\n"
                    "Actions=Open;Edit;Play;\n";
    if (!t.shellNew.empty())
        s += "X-Lumeni-ShellNew=" + desktopValue(t.shellNew.string()) + "\n";
    s += "\n[Desktop Action Open]\nName=Open\nExec=" + desktopValue(open) + "\n";
    s += "\n[Desktop Action Edit]\nName=" + desktopValue(withoutAccelerator(t.editVerb)) +
         "\nExec=" + desktopValue(open) + "\n";
    s += "\n[Desktop Action Play]\nName=" + desktopValue(withoutAccelerator(t.playVerb)) +
         "\nExec=" + desktopValue(execArgument(t.player) + " %f") + "\n";
    return s;
}

bool registerFileAssociation(const AssociationTarget& target)
{
    std::error_code ec;
    fs::create_directories(mimePackageFile().parent_path(), ec);
    fs::create_directories(desktopEntryFile().parent_path(), ec);
    const bool ok = writeFileAtomically(mimePackageFile(), mimePackageText()) &&
                    writeFileAtomically(desktopEntryFile(), desktopEntryText(target));
    refreshDatabases();
    return ok;
}

bool unregisterFileAssociation()
{
    bool ok = true;
    for (const fs::path& f : {mimePackageFile(), desktopEntryFile()}) {
        std::error_code ec;
        fs::remove(f, ec);
        if (ec)
            ok = false;
    }
    refreshDatabases();
    return ok;
}

} // namespace platform
