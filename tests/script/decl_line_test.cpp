// Reading declaration lines: names, parameter groups and results in the forms the tables use.
#include "script/decl_line.h"

#include <gtest/gtest.h>

using namespace script;

TEST(DeclLine, ReadsTheFormsOfTheTables)
{
    struct Row {
        const char* text;
        const char* keyword;
        const char* name;
        int params;
        const char* paramText;
        const char* result;
    };
    const Row rows[] = {
        {"function MsgBox(AText,ACaption:string;Flags:integer):integer;", "function", "MsgBox", 3,
         "(AText, ACaption: string; Flags: integer)", "integer"},
        {" function PlayMusicLoop(Afile:string):integer;", "function", "PlayMusicLoop", 1, "(Afile: string)",
         "integer"},
        {"Procedure TTS_Pause", "procedure", "TTS_Pause", 0, "", ""},
        {"function GetVolume:integer;", "function", "GetVolume", 0, "", "integer"},
        {"Procedure PatchFile( filename : string; data : array of byte; offset, count : longint)",
         "procedure", "PatchFile", 4, "(filename: string; data: array of byte; offset, count: longint)", ""},
        {"constructor Create(AOwner: TComponent);", "constructor", "Create", 1, "(AOwner: TComponent)", ""},
        {"Procedure ( Sender : TObject; Picture, Screen : TBitmap)", "procedure", "", 3,
         "(Sender: TObject; Picture, Screen: TBitmap)", ""},
        {"function (Command: Word; Data: Longint; var CallHelp: Boolean): Boolean;", "function", "", 3,
         "(Command: Word; Data: Longint; var CallHelp: Boolean)", "Boolean"},
    };
    for (const auto& r : rows) {
        const auto sig = parseSignature(r.text);
        ASSERT_TRUE(sig) << r.text;
        EXPECT_EQ(sig->keyword, r.keyword) << r.text;
        EXPECT_EQ(sig->name, r.name) << r.text;
        EXPECT_EQ(sig->paramCount(), r.params) << r.text;
        EXPECT_EQ(sig->paramText(), r.paramText) << r.text;
        EXPECT_EQ(sig->result, r.result) << r.text;
    }
}

TEST(DeclLine, ParameterItemsForHints)
{
    const auto sig =
        parseSignature("function InputQuery(const ACaption, APrompt: string; var Value: string): Boolean;");
    ASSERT_TRUE(sig);
    const std::vector<std::string> want = {"const ACaption: string;", "const APrompt: string;",
                                           "var Value: string"};
    EXPECT_EQ(sig->paramItems(), want);
}

TEST(DeclLine, RefusesWhatIsNoDeclaration)
{
    for (const char* text : {"", "begin end", "function NoResult(A: Integer);", "procedure P(A Integer)",
                             "procedure P(A: Integer", "procedure P; virtual;", "procedure P(A: Integer) @"})
        EXPECT_FALSE(parseSignature(text)) << text;
}
