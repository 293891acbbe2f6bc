// The composed script text: preprocessing with the include rule, then the generated main block bound
// through the generated event lists and a form described by its component classes.
#include "platform/text_encoding.h"
#include "script/composed_script.h"
#include "script/form_info.h"
#include "script/list_generator.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace script;

namespace {

const EventLists& generatedLists()
{
    static const EventLists lists = [] {
        std::vector<std::string> el, byName;
        for (const auto& l : generateStudioLists()) {
            if (l.relativePath == "ELEvents.lst")
                el = l.lines;
            if (l.relativePath == "EventsByNames.lst")
                byName = l.lines;
        }
        return EventLists(TwoLineList(el), TwoLineList(byName));
    }();
    return lists;
}

std::string compose(const std::string& script, const DesignFormInfo* form,
                    const std::filesystem::path& inc = {})
{
    CompileRequest r;
    r.editorText = script;
    r.form = form;
    r.lists = &generatedLists();
    r.includeFolder = inc.empty() ? std::filesystem::path("/nonexistent-include-folder") : inc;
    return composeScript(r).text();
}

} // namespace

TEST(ComposedScript, ScriptWithoutHandlers)
{
    const auto form = describeForm("Form1", {{"Button1", "TButton"}});
    const std::string script = "var Count: Integer;\r\n";
    EXPECT_EQ(compose(script, &form), script + "\r\nbegin Form1.showmodal; Form1.Free; \r\nend.");
    // Composing twice gives the same text.
    EXPECT_EQ(compose(script, &form), compose(script, &form));
}

TEST(ComposedScript, BindingsFollowTheHandlersFoundAndTheFilter)
{
    const auto form = describeForm(
        "Form1",
        {{"Button1", "TButton"}, {"Label1", "TInteractiveLabel"}, {"Memo1", "TMemo"}, {"Timer1", "TTimer"}});
    const std::string script = "procedure Form1OnCreate(Sender: TObject);\r\nbegin\r\nend;\r\n"
                               "procedure Form1OnShow(Sender: TObject);\r\nbegin\r\nend;\r\n"
                               "PROCEDURE button1onclick( sender:tobject );\r\nbegin\r\nend;\r\n"
                               "procedure Button1OnEnter(Sender: TObject);\r\nbegin\r\nend;\r\n"
                               "procedure Label1OnMouseEnter(Sender: TObject);\r\nbegin\r\nend;\r\n"
                               "procedure Memo1OnChange(Sender:\r\n TObject);\r\nbegin\r\nend;\r\n"
                               "procedure Timer1OnTimer(Sender: TObject);\r\nbegin\r\nend;\r\n";
    const std::string block = compose(script, &form).substr(script.size());
    EXPECT_EQ(block,
              "\r\nbegin  Form1.OnCreate:=@Form1OnCreate; Button1.OnClick:=@Button1OnClick;"
              " Button1.OnEnter:=@Button1OnEnter; Label1.OnMouseEnter:=@Label1OnMouseEnter;"
              " Timer1.OnTimer:=@Timer1OnTimer; Form1OnCreate(self);Form1.showmodal; Form1.Free; \r\nend.");
}

TEST(ComposedScript, IncludesComeFromTheIncludeFolderThenFromTheIncludingFilesFolder)
{
    lmbtest::TempHome home;
    home.writeFile("inc/a.inc", "// a\n{$I sub/b.inc}\n");
    home.writeFile("inc/sub/b.inc", "var FromB: Integer;");
    home.writeFile("inc/b.inc", "var Wrong: Integer;");
    const std::string composed = compose("{$I a.inc}\r\nvar X: Integer;\r\n", nullptr, home.root() / "inc");
    EXPECT_NE(composed.find("// a\r\n"), std::string::npos);
    EXPECT_NE(composed.find("var FromB: Integer;\r\n"), std::string::npos);
    EXPECT_EQ(composed.find("Wrong"), std::string::npos);
    EXPECT_TRUE(composed.ends_with("var X: Integer;\r\n\r\nbegin \r\nend."));
}

TEST(ComposedScript, AMissingIncludeKeepsThePartialText)
{
    lmbtest::TempHome home;
    const std::string composed =
        compose("var Before: Integer;\r\n{$I missing.inc}\r\nvar After: Integer;\r\n", nullptr, home.root());
    EXPECT_TRUE(composed.starts_with("var Before: Integer;\r\n"));
    EXPECT_EQ(composed.find("After"), std::string::npos);
    EXPECT_TRUE(composed.ends_with("\r\nbegin \r\nend."));
}

TEST(FormInfo, EventPropertiesInInspectorOrder)
{
    const auto events = scriptEventProperties(InterfaceModel::system(), "TButton");
    ASSERT_FALSE(events.empty());
    EXPECT_TRUE(std::is_sorted(events.begin(), events.end(), [](const std::string& a, const std::string& b) {
        return platform::toUpperAscii(a) < platform::toUpperAscii(b);
    }));
    EXPECT_NE(std::find(events.begin(), events.end(), "OnClick"), events.end());
    EXPECT_EQ(std::find(events.begin(), events.end(), "Caption"), events.end());
    EXPECT_TRUE(scriptEventProperties(InterfaceModel::system(), "TNoSuchClass").empty());
}
