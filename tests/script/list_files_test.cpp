// The list files of the data folder: reading, the two-line lookup rule, comma text, three-line records
// and their display rows.
#include "script/list_files.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace script;

TEST(ListFiles, ReadsCrLfLfAndWindows1252)
{
    lmbtest::TempHome home;
    const auto file = home.writeFile("data/a.lst", "one\r\ntwo\nt\xE9l\xE9\r\n");
    const std::vector<std::string> want = {"one", "two", "t\xC3\xA9l\xC3\xA9"};
    EXPECT_EQ(readListLines(file), want);
    EXPECT_TRUE(readListLines(home.root() / "data/missing.lst").empty());
    EXPECT_EQ(joinListLines({"a", "b"}), "a\r\nb\r\n");
}

TEST(ListFiles, TwoLineLookupScansEveryLine)
{
    // Key lines and answer lines alike are scanned; the first equal line wins.
    const TwoLineList list({"(TNotifyEvent)", "procedure %PROCNAME%(Sender: TObject);", "OnClick",
                            "TNotifyEvent", "tnotifyevent", "second", "Last"});
    EXPECT_EQ(list.lookup("(tnotifyevent)"), "procedure %PROCNAME%(Sender: TObject);");
    EXPECT_EQ(list.lookup("OnClick"), "TNotifyEvent");
    EXPECT_EQ(list.lookup("TNotifyEvent"), "tnotifyevent"); // an answer line matched first
    EXPECT_EQ(list.lookup("last"), "");                     // an equal last line has no answer
    EXPECT_EQ(list.lookup("OnDblClick"), "");
    EXPECT_TRUE(list.containsLine("(TNOTIFYEVENT)"));
    EXPECT_FALSE(list.containsLine("(TMouseEvent)"));
}

TEST(ListFiles, CommaTextBothWays)
{
    struct Row {
        const char* text;
        std::vector<std::string> items;
    };
    const Row rows[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"\"AText: string;\",\"Flags: integer\"", {"AText: string;", "Flags: integer"}},
        {"a b", {"a", "b"}},
        {" \"say \"\"hi\"\"\" , x", {"say \"hi\"", "x"}},
        {"a,", {"a", ""}},
        {"", {}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(parseCommaText(r.text), r.items) << r.text;
    const std::vector<std::string> items = {"AText: string;", "x", "a,b", "say \"hi\""};
    EXPECT_EQ(parseCommaText(toCommaText(items)), items);
}

TEST(ListFiles, ParameterHintsTakeTheLastEntry)
{
    const ParamCompletionList list(
        {"MsgBox", "\"AText: string;\",old", "Beep", "", "msgbox", "\"AText: string;\",new"});
    EXPECT_TRUE(list.knows("MSGBOX"));
    EXPECT_EQ(list.hintFor("MsgBox"), (std::vector<std::string>{"AText: string;", "new"}));
    EXPECT_TRUE(list.hintFor("Nothing").empty());
}

TEST(ListFiles, ThreeLineRecordsAndDisplayRows)
{
    const auto records = readCompletionRecords({"function", "MsgBox", "(AText: string): integer;", "var"});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].kind, "var");
    EXPECT_EQ(records[1].name, "");
    EXPECT_EQ(records[1].remainder, "");

    EXPECT_EQ(completionDisplayRow({"var", "Button1", " : TButton;"}),
              "\\color{clmaroon}var \\column{}\\color{clWindowText}\\style{+B}Button1\\style{-B} : TButton;");
    EXPECT_EQ(completionDisplayRow({"Property", "Caption", ": string"}).substr(0, 23),
              "\\color{clteal}Property ");
    EXPECT_EQ(completionDisplayRow({"event", "x", ""}).substr(0, 6), "event ");
}
