// Test helpers: a scripted Prompter, a small form stream, a project with embedded files.
#pragma once

#include "project/project_file.h"
#include "support/temp_home.h"
#include "vcl/typed_value_stream.h"

#include <deque>
#include <string>
#include <vector>

namespace projecttest {

struct Message {
    std::string text, caption;
    project::MessageIcon icon;
};

class ScriptedPrompter final : public project::Prompter {
public:
    std::deque<std::string> passwords; // answers in order; "" once they run out (cancel)
    std::vector<Message> messages;
    int passwordPrompts = 0;

    std::string askPassword() override
    {
        ++passwordPrompts;
        if (passwords.empty())
            return "";
        std::string p = passwords.front();
        passwords.pop_front();
        return p;
    }
    void showMessage(const std::string& text, const std::string& caption, project::MessageIcon icon) override
    {
        messages.push_back({text, caption, icon});
    }
};

// TForm "Form1" with a caption and one TButton child.
inline std::string formStream(const std::string& rootClass = "TForm")
{
    std::string out;
    vcl::TypedValueWriter w(out);
    w.writeSignature();
    w.writeShortString(rootClass);
    w.writeShortString("Form1");
    w.writeShortString("Caption");
    w.writeString("My menu");
    w.writeShortString("ClientWidth");
    w.writeInteger(490);
    w.writeListEnd();
    w.writeShortString("TButton");
    w.writeShortString("Button1");
    w.writeShortString("Caption");
    w.writeString("Play");
    w.writeListEnd();
    w.writeListEnd();
    w.writeListEnd();
    return out;
}

inline project::Project sampleProject(const lmbtest::TempHome& home)
{
    project::Project p;
    p.formStream = formStream();
    p.lines = {"program Menu;", "", "begin", "  ShowMessage('H\xC3\xA9llo');", "end."};
    p.bookmarks[0] = {3, 4};
    p.bookmarks[9] = {1, 1};
    p.embeddedDir = home.root() / "tmpapp" / "lmb-00001Embedded";
    home.writeFile("tmpapp/lmb-00001Embedded/Logo.PNG", std::string(5000, 'L'));
    home.writeFile("tmpapp/lmb-00001Embedded/empty.txt", "");
    return p;
}

} // namespace projecttest
