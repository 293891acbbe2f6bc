// Handlers named after their component and event, found by their declaration line, written as stubs,
// filtered by the inspector rules and bound by the generated main block.
#include "platform/text_encoding.h"
#include "script/main_block.h"

#include <gtest/gtest.h>

using namespace script;

namespace {

EventLists lists()
{
    return EventLists(
        TwoLineList({"(TNotifyEvent)", "procedure %PROCNAME%(Sender: TObject);", "(TMouseEvent)",
                     "procedure %PROCNAME%(Sender: TObject; Button: TMouseButton; Shift: TShiftState; "
                     "X, Y: Integer);"}),
        TwoLineList({"OnClick", "TNotifyEvent", "OnCreate", "TNotifyEvent", "OnShow", "TNotifyEvent",
                     "OnMouseDown", "TMouseEvent", "OnMouseEnter", "TNotifyEvent", "OnTimer", "TNotifyEvent",
                     "OnPaint", "TPaintEvent"}));
}

ClassTest classChain(std::vector<std::string> chain)
{
    return [chain](std::string_view cls) {
        for (const auto& c : chain)
            if (platform::equalsNoCase(c, cls))
                return true;
        return false;
    };
}

} // namespace

TEST(EventHandlers, FoundIgnoringSpacesAndCaseButNotLineBreaksOrTabs)
{
    const std::string t = "procedure %PROCNAME%(Sender: TObject);";
    struct Row {
        std::vector<std::string> lines;
        std::optional<int> line;
    };
    const Row rows[] = {
        {{"procedure Button1OnClick(Sender: TObject);", "begin", "", "end;"}, 3},
        {{"", "", "PROCEDURE  BUTTON1ONCLICK ( SENDER : TOBJECT ) ;"}, 5},
        {{"procedure Button1OnClick(Sender:", "TObject);"}, std::nullopt},
        {{"procedure Button1OnClick(Sender:\tTObject);"}, std::nullopt},
        {{"procedure Button1OnClick(Sender: TObject); // click"}, std::nullopt},
        {{"procedure OkButtonOnClick(Sender: TObject);"}, std::nullopt},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(findHandler(r.lines, t, "Button1OnClick"), r.line) << r.lines.front();
        EXPECT_EQ(HandlerSearch(r.lines).find(t, "button1onclick"), r.line) << r.lines.front();
    }
    EXPECT_FALSE(findHandler({"procedure (Sender: TObject);"}, "", "Button1OnClick"));
}

TEST(EventHandlers, EditActionAppendsAStubOnceThenMovesToIt)
{
    const std::string t = lists().templateForType("TNotifyEvent");
    std::vector<std::string> script;
    const auto first = editHandler(script, t, handlerName("Button1", "OnClick"));
    const std::vector<std::string> want = {"", "procedure Button1OnClick(Sender: TObject);", "begin", "",
                                           "end;"};
    EXPECT_EQ(script, want);
    EXPECT_TRUE(first.appended);
    EXPECT_EQ(first.caretLine, 4);

    const auto again = editHandler(script, t, "Button1OnClick");
    EXPECT_FALSE(again.appended);
    EXPECT_EQ(again.caretLine, 4);
    EXPECT_EQ(script.size(), 5u);
}

TEST(EventHandlers, EventRowColourNeedsTheTypeKeyAndTheHandler)
{
    const auto l = lists();
    const std::vector<std::string> script = {"procedure Button1OnClick(Sender: TObject);"};
    EXPECT_TRUE(eventRowHasHandler(l, "TNotifyEvent", script, "Button1", "OnClick"));
    EXPECT_FALSE(eventRowHasHandler(l, "TNotifyEvent", script, "OkButton", "OnClick"));
    EXPECT_FALSE(eventRowHasHandler(l, "TKeyEvent", script, "Button1", "OnClick"));
}

TEST(InspectorFilters, EventsPageRules)
{
    struct Row {
        std::vector<std::string> chain;
        const char* event;
        bool shown;
    };
    const Row rows[] = {
        {{"TButton", "TWinControl"}, "OnClick", true},
        {{"TButton"}, "OnDragDrop", false},
        {{"TForm"}, "OnShow", false},
        {{"TForm"}, "onclose", false},
        {{"TTimer"}, "OnTimer", true},
        {{"TTimerEx", "TTimer"}, "OnTimer", true},
        {{"TTimer"}, "OnClick", false},
        {{"TMSAgent"}, "OnClick", false},
        {{"TImage"}, "OnProgress", false},
        {{"TShockwaveFlash"}, "OnProgress", true},
        {{"TImgBtn", "TImage"}, "OnMouseDown", false},
        {{"TImgBtn", "TImage"}, "OnClick", true},
        {{"THotKey"}, "OnEnter", false},
        {{"TProgressBar"}, "OnMouseMove", false},
        {{"TPicShow"}, "OnKeyPress", false},
        {{"TPicShow"}, "OnClick", true},
    };
    for (const auto& r : rows)
        EXPECT_EQ(eventsPageShows(classChain(r.chain), r.event), r.shown)
            << r.chain.front() << "." << r.event;

    EXPECT_TRUE(propertiesPageShows(classChain({"TTimer"}), "Interval"));
    EXPECT_FALSE(propertiesPageShows(classChain({"TTimer"}), "Left"));
    EXPECT_FALSE(propertiesPageShows(classChain({"TMSAgent"}), "AvailableAgents"));
    EXPECT_TRUE(propertiesPageShows(classChain({"TButton"}), "Left"));
}

TEST(InspectorFilters, InspectorOrderIgnoresCase)
{
    std::vector<std::string> names = {"OnMouseUp", "onClick", "OnDblClick", "ONENTER", "OnExit"};
    sortInspectorOrder(names);
    EXPECT_EQ(names, (std::vector<std::string>{"onClick", "OnDblClick", "ONENTER", "OnExit", "OnMouseUp"}));
}

TEST(MainBlock, WithoutHandlersShowsAndFreesTheForm)
{
    const auto l = lists();
    MainBlockInput in;
    in.lists = &l;
    in.objects.push_back({"Form1", classChain({"TForm"}), {"OnClick", "OnCreate"}});
    in.objects.push_back({"Button1", classChain({"TButton"}), {"OnClick"}});
    in.scriptLines = {"var X: Integer;"};
    EXPECT_EQ(generateMainBlock(in), "\r\nbegin Form1.showmodal; Form1.Free; \r\nend.");
}

TEST(MainBlock, BindsFoundHandlersThatPassTheFilterAndCallsOnCreate)
{
    const auto l = lists();
    std::vector<std::string> processed;
    MainBlockInput in;
    in.lists = &l;
    in.processing = [&](const std::string& name) { processed.push_back(name); };
    in.objects.push_back({"Form1", classChain({"TForm"}), {"OnCreate", "OnShow"}});
    in.objects.push_back({"Button1", classChain({"TButton"}), {"OnClick", "OnMouseDown"}});
    in.objects.push_back({"Timer1", classChain({"TTimer"}), {"OnTimer"}});
    in.objects.push_back({"Split1", classChain({"TButton"}), {"OnClick"}});
    in.objects.push_back({"Paint1", classChain({"TPaintBox"}), {"OnPaint"}});
    in.scriptLines = {
        "procedure Form1OnCreate(Sender: TObject);",
        "procedure Form1OnShow(Sender: TObject);",         // hidden by the filter
        "PROCEDURE button1onclick ( Sender : TObject ) ;", // blanks and case differ
        "procedure Timer1OnTimer(Sender: TObject);",
        "procedure Split1OnClick(Sender:",
        "TObject);",                                 // split over two lines
        "procedure Paint1OnPaint(Sender: TObject);", // its type has no template
    };
    EXPECT_EQ(generateMainBlock(in),
              "\r\nbegin  Form1.OnCreate:=@Form1OnCreate; Button1.OnClick:=@Button1OnClick;"
              " Timer1.OnTimer:=@Timer1OnTimer; Form1OnCreate(self);Form1.showmodal; "
              "Form1.Free; \r\nend.");
    // Told for every found handler, the filtered one included.
    EXPECT_EQ(processed, (std::vector<std::string>{"Form1", "Form1", "Button1", "Timer1"}));
}

TEST(MainBlock, RepeatedEventIsBoundOnceAndNoFormMeansAnEmptyBlock)
{
    const auto l = lists();
    MainBlockInput in;
    in.lists = &l;
    in.objects.push_back({"Form1", classChain({"TForm"}), {}});
    in.objects.push_back({"Button1", classChain({"TButton"}), {"OnClick", "onclick"}});
    in.scriptLines = {"procedure Button1OnClick(Sender: TObject);"};
    EXPECT_EQ(generateMainBlock(in),
              "\r\nbegin  Button1.OnClick:=@Button1OnClick;Form1.showmodal; Form1.Free; \r\nend.");

    MainBlockInput none;
    none.lists = &l;
    EXPECT_EQ(generateMainBlock(none), "\r\nbegin \r\nend.");
}
