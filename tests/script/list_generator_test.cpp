// The generated list files against the interface they come from.
#include "platform/text_encoding.h"
#include "script/decl_line.h"
#include "script/event_handlers.h"
#include "script/list_generator.h"
#include "script/property_filters.h"
#include "vcl/class_registry.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace script;

namespace {

const std::vector<GeneratedList>& lists()
{
    static const auto l = generateStudioLists();
    return l;
}

const std::vector<std::string>& file(const std::string& name)
{
    for (const auto& l : lists())
        if (platform::equalsNoCase(l.relativePath, name))
            return l.lines;
    static const std::vector<std::string> none;
    ADD_FAILURE() << "no list " << name;
    return none;
}

std::vector<std::string> names(const std::vector<std::string>& threeLineFile)
{
    std::vector<std::string> out;
    for (const auto& r : readCompletionRecords(threeLineFile))
        out.push_back(r.name);
    return out;
}

bool listed(const std::vector<std::string>& threeLineFile, std::string_view name)
{
    const auto n = names(threeLineFile);
    return std::any_of(n.begin(), n.end(),
                       [&](const std::string& s) { return platform::equalsNoCase(s, name); });
}

} // namespace

TEST(ListGenerator, HandlerTemplatesComeFromTheEventTypes)
{
    const EventLists ev(TwoLineList(file("ELEvents.lst")), TwoLineList(file("EventsByNames.lst")));
    EXPECT_EQ(ev.templateForType("TNotifyEvent"), "procedure %PROCNAME%(Sender: TObject);");
    EXPECT_EQ(ev.templateForType("THelpEvent"),
              "function %PROCNAME%(Command: Word; Data: Longint; var CallHelp: Boolean): Boolean;");
    EXPECT_EQ(ev.templateForEvent("OnClick"), "procedure %PROCNAME%(Sender: TObject);");
    EXPECT_EQ(ev.eventTypeOf("OnProgress"), "TShockwaveFlashOnProgress");
    EXPECT_EQ(ev.eventTypeOf("OnShowCredit"), "TCreditEvent");
}

// Every event of every class a form can hold reaches, through EventsByNames.lst, a template of its own
// type: the binding looks the type up by the event's name, so a different type there would bind a
// handler of the wrong signature.
TEST(ListGenerator, EveryFormEventReachesTheTemplateOfItsOwnType)
{
    const EventLists ev(TwoLineList(file("ELEvents.lst")), TwoLineList(file("EventsByNames.lst")));
    for (const vcl::ClassInfo* cls : vcl::classes().streamingClasses()) {
        const ClassTest is = [cls](std::string_view name) { return cls->inheritsFrom(name); };
        for (const vcl::PropInfo* e : cls->events()) {
            if (!ev.knowsType(e->type->name) || !eventsPageShows(is, e->name))
                continue; // no template or hidden: never bound
            EXPECT_TRUE(platform::equalsNoCase(ev.eventTypeOf(e->name), e->type->name))
                << cls->name << "." << e->name << " is " << e->type->name << ", listed as "
                << ev.eventTypeOf(e->name);
        }
    }
    EXPECT_EQ(ev.eventTypeOf("OnProgress"), "TShockwaveFlashOnProgress");
}

TEST(ListGenerator, ClassListsHoldWhatScriptsReach)
{
    const auto& combo = file("code/TComboBox.lst");
    EXPECT_TRUE(listed(combo, "Items"));
    EXPECT_TRUE(listed(combo, "ItemIndex"));
    EXPECT_FALSE(listed(combo, "DroppedDown"));
    EXPECT_FALSE(listed(combo, "SelectAll"));

    EXPECT_FALSE(listed(file("code/TGradient.lst"), "Rotation"));
    EXPECT_TRUE(listed(file("code/TGradient.lst"), "OnMouseMove"));
    // The image button's list folds in TImage, whose list completion does not read.
    EXPECT_TRUE(listed(file("code/TImgBtn.lst"), "Picture"));
    // TButton's ancestors TWinControl and TControl have lists of their own.
    EXPECT_FALSE(listed(file("code/TButton.lst"), "SetFocus"));
    EXPECT_TRUE(listed(file("code/TWinControl.lst"), "SetFocus"));

    const auto records = readCompletionRecords(file("code/TRichEditViewer.lst"));
    const auto rtf =
        std::find_if(records.begin(), records.end(), [](auto& r) { return r.name == "RTFText"; });
    ASSERT_NE(rtf, records.end());
    EXPECT_EQ(rtf->kind, "property");
    EXPECT_EQ(rtf->remainder, ": String (write-only)");
}

TEST(ListGenerator, FunctionsAndParameterHints)
{
    const auto& f = file("funcs.lst");
    for (const char* n : {"MsgBox", "PlayMusicLoop", "GetSpecialFolder", "TDWSpecialFolder", "HKCR", "NaN",
                          "AUDIOFILTER", "Screen", "Application", "clBtnFace"})
        EXPECT_TRUE(listed(f, n)) << n;
    const auto records = readCompletionRecords(f);
    const auto hkcr = std::find_if(records.begin(), records.end(), [](auto& r) { return r.name == "HKCR"; });
    ASSERT_NE(hkcr, records.end());
    EXPECT_EQ(hkcr->kind, "constant");
    EXPECT_EQ(hkcr->remainder, ": LONGINT = $80000000;");

    const ParamCompletionList hints(file("ParamCompletion.lst"));
    EXPECT_EQ(hints.hintFor("MsgBox"),
              (std::vector<std::string>{"AText: string;", "ACaption: string;", "Flags: integer"}));
    EXPECT_FALSE(hints.knows("Beep"));
    EXPECT_TRUE(hints.knows("PlayMusicLoop"));
}
