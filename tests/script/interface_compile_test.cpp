// The script interface through the compiler: what a script may use compiles, what it may not fails,
// with the form's components as imported variables.
#include "platform/text_encoding.h"
#include "script/compiler_host.h"
#include "script/form_info.h"
#include "script/list_generator.h"

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

CompileOutcome compileScript(const std::string& script, const std::vector<FormComponentRef>& components = {},
                             bool withForm = true)
{
    const DesignFormInfo form = describeForm("Form1", components);
    CompileRequest r;
    r.editorText = script;
    r.form = withForm ? &form : nullptr;
    r.lists = &generatedLists();
    r.includeFolder = "/nonexistent-include-folder";
    CompilerHost host;
    return host.compile(r);
}

std::string firstError(const CompileOutcome& o)
{
    return o.firstError ? o.firstError->longText : std::string();
}

struct Case {
    const char* what;
    std::vector<FormComponentRef> components;
    const char* body; // statements of a procedure with the local variables below
    bool compiles;
};

const char* const kLocals = "var S: string; W: WideString; I: Integer; B: Boolean; L: TStrings;\r\n";

} // namespace

TEST(InterfaceCompile, MembersAndConstantsThatScriptsUse)
{
    const Case cases[] = {
        {"MsgBox with MB_OK", {}, "I := MsgBox('a', 'b', MB_OK);", true},
        {"MsgBox with MB_ICONERROR", {}, "I := MsgBox('a', 'b', MB_ICONERROR or MB_YESNO);", true},
        {"sfDesktop is an integer constant", {}, "I := sfDesktop + sfLocalAppData;", true},
        {"TShellFolderID is an enumeration", {}, "I := Ord(High(TShellFolderID));", true},
        {"HKCR and HKEY_CLASSES_ROOT", {}, "B := HKCR = HKEY_CLASSES_ROOT; B := HKCU = $80000001;", true},
        {"PlayMusicLoop despite its leading blank", {}, "I := PlayMusicLoop('a.ogg');", true},
        {"special folder twice registered", {}, "S := GetSpecialFolder(dwspfWindows);", true},
        {"gradient Rotation", {{"Gradient1", "TGradient"}}, "I := Ord(Gradient1.Rotation);", false},
        {"gradient Shift", {{"Gradient1", "TGradient"}}, "I := Ord(Gradient1.Shift);", false},
        {"gradient ColorBegin", {{"Gradient1", "TGradient"}}, "Gradient1.ColorBegin := clRed;", true},
        {"label Constraints", {{"Label1", "TInteractiveLabel"}}, "Label1.Constraints := nil;", false},
        {"label BIDIMODE", {{"Label1", "TInteractiveLabel"}}, "I := Ord(Label1.BIDIMODE);", false},
        {"label OnMouseEnter", {{"Label1", "TInteractiveLabel"}}, "Label1.OnMouseEnter := nil;", true},
        {"combo Items", {{"ComboBox1", "TComboBox"}}, "ComboBox1.Items.Add('x');", true},
        {"combo ItemIndex", {{"ComboBox1", "TComboBox"}}, "ComboBox1.ItemIndex := 0;", true},
        {"combo DroppedDown", {{"ComboBox1", "TComboBox"}}, "ComboBox1.DroppedDown := True;", false},
        {"combo SelLength", {{"ComboBox1", "TComboBox"}}, "I := ComboBox1.SelLength;", false},
        {"combo SelStart", {{"ComboBox1", "TComboBox"}}, "I := ComboBox1.SelStart;", false},
        {"combo SelText", {{"ComboBox1", "TComboBox"}}, "S := ComboBox1.SelText;", false},
        {"combo Canvas", {{"ComboBox1", "TComboBox"}}, "ComboBox1.Canvas.TextOut(0, 0, 'x');", false},
        {"combo Clear", {{"ComboBox1", "TComboBox"}}, "ComboBox1.Clear;", false},
        {"combo SelectAll", {{"ComboBox1", "TComboBox"}}, "ComboBox1.SelectAll;", false},
        {"marquee scroll style", {}, "S := ''; if ssScroll = ssBlink then S := 'x'; ", true},
        {"memo scroll bars keep the old type",
         {{"Memo1", "TMemo"}},
         "Memo1.ScrollBars := ssNone; Memo1.ScrollBars := ssHorizontal; Memo1.ScrollBars := ssVertical; "
         "Memo1.ScrollBars := ssBoth;",
         true},
        {"memo scroll bars take no marquee style",
         {{"Memo1", "TMemo"}},
         "Memo1.ScrollBars := ssScroll;",
         false},
        {"browser Name is read-only", {{"WebBrowser1", "TWebBrowser"}}, "WebBrowser1.Name := 'x';", false},
        {"browser Name reads as WideString",
         {{"WebBrowser1", "TWebBrowser"}},
         "W := WebBrowser1.Name;",
         true},
        {"browser TabOrder is absent", {{"WebBrowser1", "TWebBrowser"}}, "WebBrowser1.TabOrder := 1;", false},
        {"browser OnDocumentComplete",
         {{"WebBrowser1", "TWebBrowser"}},
         "WebBrowser1.OnDocumentComplete := nil;",
         true},
        {"RTFText written",
         {{"RichEditViewer1", "TRichEditViewer"}},
         "RichEditViewer1.RTFText := 'x';",
         true},
        {"RTFText read", {{"RichEditViewer1", "TRichEditViewer"}}, "S := RichEditViewer1.RTFText;", false},
        {"common members",
         {{"Button1", "TButton"}, {"Memo1", "TMemo"}, {"Image1", "TImage"}},
         "Button1.Caption := 'OK'; Button1.Visible := True; Button1.SetFocus; Memo1.Lines.Add('x'); "
         "Memo1.Lines.Clear; I := Memo1.Lines.Count; S := Memo1.Lines.Strings[0]; S := Memo1.Lines[0]; "
         "Image1.Picture.LoadFromFile('a.bmp'); Form1.Caption := 'x'; Form1.Close; "
         "Application.ProcessMessages; Screen.Cursor := crHandPoint; Button1.Font.Color := clRed; "
         "if Form1.ShowModal = mrOk then Application.Terminate;",
         true},
    };
    for (const auto& c : cases) {
        const std::string script =
            std::string("procedure Test;\r\n") + kLocals + "begin\r\n" + c.body + "\r\nend;\r\n";
        const auto out = compileScript(script, c.components);
        EXPECT_EQ(out.success, c.compiles) << c.what << ": " << firstError(out);
    }
}

TEST(InterfaceCompile, HandlerOfAnInteractiveLabelIsBound)
{
    const auto out = compileScript("procedure Label1OnMouseEnter(Sender: TObject);\r\nbegin\r\nend;\r\n",
                                   {{"Label1", "TInteractiveLabel"}});
    EXPECT_TRUE(out.success) << firstError(out);
    EXPECT_NE(out.composedText.find(" Label1.OnMouseEnter:=@Label1OnMouseEnter;"), std::string::npos);
}

// Handlers written from the templates bind, the key handlers with their "var Key: Word" included.
TEST(InterfaceCompile, HandlersFromTheTemplatesBind)
{
    const auto out = compileScript(
        "procedure Edit1OnKeyDown(Sender: TObject; var Key: Word; Shift: TShiftState);\r\nbegin\r\n"
        "  if Key = VK_RETURN then Key := 0;\r\nend;\r\n"
        "procedure Edit1OnKeyPress(Sender: TObject; var Key: Char);\r\nbegin\r\nend;\r\n"
        "procedure Edit1OnMouseDown(Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: "
        "Integer);"
        "\r\nbegin\r\n  if (Button = mbLeft) and (ssShift in Shift) then Edit1.Text := "
        "IntToStr(X);\r\nend;\r\n"
        "procedure Form1OnCloseQuery(Sender: TObject; var CanClose: Boolean);\r\nbegin\r\nend;\r\n"
        "procedure Form1OnMouseWheel(Sender: TObject; Shift: TShiftState; WheelDelta: Integer; "
        "MousePos: TPoint; var Handled: Boolean);\r\nbegin\r\nend;\r\n"
        "procedure Flash1OnFSCommand(Sender: TObject; const command: WideString; const args: WideString);"
        "\r\nbegin\r\nend;\r\n"
        "procedure Credits1OnShowCredit(Sender: TObject; CreditText: String);\r\nbegin\r\nend;\r\n"

        "procedure Y;\r\nvar Yr, Mo, Dy: Word;\r\nbegin\r\n  DecodeDate(Now, Yr, Mo, Dy);\r\nend;\r\n",
        {{"Edit1", "TEdit"}, {"Flash1", "TShockwaveFlash"}, {"Credits1", "TScrollingCredits"}});
    EXPECT_TRUE(out.success) << firstError(out);
    for (const char* binding :
         {"Edit1.OnKeyDown:=@Edit1OnKeyDown;", "Edit1.OnMouseDown:=@Edit1OnMouseDown;",
          "Form1.OnCloseQuery:=@Form1OnCloseQuery;", "Form1.OnMouseWheel:=@Form1OnMouseWheel;",
          "Flash1.OnFSCommand:=@Flash1OnFSCommand;", "Credits1.OnShowCredit:=@Credits1OnShowCredit;"})
        EXPECT_NE(platform::toUpperAscii(out.composedText).find(platform::toUpperAscii(binding)),
                  std::string::npos)
            << binding;
}

// The form's OnHelp has the support library's THelpEvent, whose "Command: Word" names the built-in
// Word; the support library then declares WORD as an alias of integer, so the handler written from the
// template ("Command: Word") has an Integer parameter. The binding holds because the engine accepts a
// handler whose parameter is an integer type of another size.
TEST(InterfaceCompile, HelpHandlerFromTheTemplateBinds)
{
    const auto out =
        compileScript("function Form1OnHelp(Command: Word; Data: Longint; var CallHelp: Boolean): Boolean;"
                      "\r\nbegin\r\n  Result := False;\r\nend;\r\n");
    EXPECT_TRUE(out.success) << firstError(out);
}

TEST(InterfaceCompile, UnitsAndUnknownComponentClassesFail)
{
    auto out = compileScript("uses Windows;\r\nprocedure P;\r\nbegin\r\nend;\r\n");
    EXPECT_FALSE(out.success);
    EXPECT_NE(firstError(out).find("Unknown identifier ''"), std::string::npos) << firstError(out);

    out = compileScript("", {{"StringGrid1", "TStringGrid"}});
    EXPECT_FALSE(out.success);
    EXPECT_NE(firstError(out).find("Invalid type for variable StringGrid1"), std::string::npos)
        << firstError(out);
}

TEST(InterfaceCompile, MessageRowsOfSuccessAndFailure)
{
    auto out = compileScript("var X: Integer;\r\n");
    ASSERT_TRUE(out.success) << firstError(out);
    ASSERT_FALSE(out.rows.empty());
    EXPECT_EQ(out.rows[0].text, "Succesfully compiled");
    EXPECT_EQ(out.rows[0].row, -1);
    EXPECT_EQ(out.rows[0].col, -1);
    EXPECT_EQ(out.rows[0].icon, MessageIcon::Success);
    EXPECT_FALSE(out.compiledOutput.empty());

    out = compileScript("procedure P;\r\nbegin\r\n  Foo;\r\nend;\r\n");
    ASSERT_FALSE(out.success);
    ASSERT_GE(out.rows.size(), 2u);
    EXPECT_EQ(out.rows[0].text, "Failed when compiling script.");
    EXPECT_EQ(out.rows[0].icon, MessageIcon::Error);
    EXPECT_EQ(out.rows[1].text, "[Error] (3:3): Unknown identifier 'Foo'");
    EXPECT_EQ(out.rows[1].row, 3);
    EXPECT_EQ(out.rows[1].col, 3);
    ASSERT_TRUE(out.firstError);
    EXPECT_EQ(out.firstError->row, 3);
}

TEST(InterfaceCompile, ACompileRequestedDuringACompileIsRefused)
{
    struct Reentrant : CompileProgress {
        CompilerHost* host = nullptr;
        const CompileRequest* request = nullptr;
        std::optional<CompileOutcome> nested;
        void processing(const std::string&) override
        {
            if (!nested)
                nested = host->compile(*request);
        }
    } progress;
    const DesignFormInfo form = describeForm("Form1", {{"Button1", "TButton"}});
    CompileRequest r;
    r.editorText = "procedure Button1OnClick(Sender: TObject);\r\nbegin\r\nend;\r\n";
    r.form = &form;
    r.lists = &generatedLists();
    r.progress = &progress;
    CompilerHost host;
    progress.host = &host;
    progress.request = &r;
    const auto out = host.compile(r);
    EXPECT_TRUE(out.success) << firstError(out);
    ASSERT_TRUE(progress.nested);
    EXPECT_TRUE(progress.nested->refused);
    EXPECT_FALSE(progress.nested->success);
    EXPECT_FALSE(host.busy());
    // A second compile afterwards runs again and composes the same text.
    EXPECT_EQ(host.compile(r).composedText, out.composedText);
}
