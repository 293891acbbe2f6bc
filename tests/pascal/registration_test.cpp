// The registration API with declaration lines as the script interface gives them, and the rules its
// class imports rely on.
#include "pascal/compiler.h"
#include "pascal/registration.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Compiles text with declare() run for SYSTEM; returns the long forms of the messages.
std::vector<std::string> compileWith(const std::string& text, std::function<void(pascal::Registrar&)> declare,
                                     bool* ok = nullptr)
{
    pascal::Compiler c;
    c.addDeclarations(std::move(declare));
    pascal::CompileResult r = c.compile(text);
    if (ok)
        *ok = r.success;
    std::vector<std::string> out;
    for (const auto& m : r.messages)
        out.push_back(m.longForm());
    return out;
}

void declareBasics(pascal::Registrar& r)
{
    r.addRoutine("procedure Writeln(Msg:string);");
    r.addClass("TPersistent", "TObject");
    r.addClass("TComponent", "TPersistent");
    auto c = r.addClass("TControl", "TComponent");
    c.addProperty("Caption", "String", 0);
    c.addProperty("Tag", "Integer", 1);
    c.addProperty("RTFText", "String", 2);
    r.addType("TNotifyEvent", "procedure (Sender: TObject) of object");
    c.addProperty("OnClick", "TNotifyEvent", 0);
    auto s = r.addClass("TStrings", "TPersistent");
    s.addMethod("function Add(const S: string): Integer;");
    s.addProperty("Strings", "String Integer", 0);
    s.setDefaultProperty("Strings");
    s.addProperty("Count", "Integer", 1);
    r.addClass("TStringList", "TStrings").addMethod("constructor Create");
}

TEST(Registration, AcceptsTheDeclarationLinesOfTheScriptInterface)
{
    // lines as they are registered: with and without the final semicolon, leading blanks, mixed case
    const char* routines[] = {
        "function InputBox(const ACaption, APrompt, ADefault: string): string;",
        " function PlayMusicLoop(Afile:string):integer;",
        "procedure Beep;",
        "function GetOpenFileName(Title,Filename,InitialDir,Filter,DefaultExt:string;FileMustExists,"
        "OwervritePrompt:boolean;var executed: boolean):string;",
        "Function PlayMusicLoopEx( AFile : string; Volume : cardinal; Panning : integer) : integer",
        "Function GetCPUUsedByMusic : single",
        "procedure ExitProcess(ExitCode : integer)",
        "function Format(const S: string; const Args: array of Variant): string;",
        "Procedure PatchFile( filename : string; data : array of byte; offset, count : longint)",
        "Function WildcardMatch( const Text, Pattern : PChar) : Boolean",
        "Function GetTotalFreeSpace( DriveRoot : String; var FreeSpace : Int64) : Boolean",
        "function Random( Range: Integer):integer;",
        "function IntToHex(Value: Integer; Digits: Integer): string;",
        "Procedure SetBit( var w : DWord; Bitnr : integer)",
        "Function TTS_SelectedEngineInfo : TMSpeechEngineInfo",
        "Function GetDriveShellInfo( const Drive : Char) : TDWDriveShellInfo",
        "function ReadFromRegistry(Key:HKEY;Subkey,Name:string;Value:Variant) : Variant;",
        "Function SpecialFolderToCSIDL( const SpecialFolder : TDWSpecialFolder) : Word",
    };
    bool ok = false;
    auto msgs = compileWith(
        "var F: TDWSpecialFolder; B: WordBool;\n"
        "begin\n"
        "  F := dwspfWindows; B := 1;\n"
        "  Beep; PlayMusicLoop('a.mp3'); SpecialFolderToCSIDL(F);\n"
        "  if (MB_OK = 0) and (HKCR = HKEY_CLASSES_ROOT) and (HKCR < 0) then Beep;\n"
        "  Writeln(REGSTR_PATH_SETUP + IntToStr(VER_NT_SERVER));\n"
        "end.",
        [&](pascal::Registrar& r) {
            r.addExtendedConstant("NaN", 0.0 / 0.0);
            r.addRoutine("procedure Writeln(Msg:string);");
            r.addType("DWORD", "integer");
            r.addType("WORD", "integer");
            r.addType("HKEY", "integer");
            r.addType("WordBool", "WORD");
            r.addType("OLEVARIANT", "VARIANT");
            r.addType("TMSpeechEngineInfo",
                      "record Name : String; Language : String; Age : Integer; MaxPitch : Word; "
                      "MaxRealTime : LongWord; end");
            r.addType("TDWDriveShellInfo",
                      "record Icon : integer; Image : integer; DisplayName : string; TypeName : string; end");
            r.addType("TMUSICTag",
                      "record Title: string;Artist: string;ExtraInfo : array [0..20] of string; end;");
            r.addType("TOSVersionInfoEx",
                      "record dwOSVersionInfoSize:DWORD;szCSDVersion: array[0..127] of Char;wProductType: "
                      "Byte; end;");
            r.addType("TDWSpecialFolder", "( dwspfAdminTools, dwspfAppData, dwspfWindows )");
            r.addType("TDWSpecialFolder", "( dwspfAdminTools, dwspfAppData, dwspfWindows )");
            r.addType("TDWInternetConnectedState", "( dwicsConfigured, dwicsLAN )");
            r.addType("TDWInternetConnectedStates", "set of TDWInternetConnectedState");
            r.addType("TKeyPressEvent", "procedure (Sender: TObject; var Key: Char)");
            r.addType("THelpEvent",
                      "function (Command: Word; Data: Longint; var CallHelp: Boolean): Boolean;");
            r.addType("TDebugCommand", "( DC_HINT, DC_ERROR, DC_WARNING )");
            r.addIntegerConstant("MB_OK", 0);
            r.addIntegerConstant("HKEY_CLASSES_ROOT", 0x80000000LL);
            r.addIntegerConstant("HKCR", 0x80000000LL);
            r.addTypedConstant("REGSTR_PATH_SETUP", "String", std::string("Software\\Uninstall"));
            r.addTypedConstant("VER_NT_SERVER", "LongWord", std::int64_t(3));
            for (const char* line : routines)
                r.addRoutine(line);
        },
        &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(msgs, std::vector<std::string>{});
}

TEST(Registration, UnparseableDeclarationsRaiseANamedError)
{
    struct Row {
        std::function<void(pascal::Registrar&)> declare;
        std::string message;
    };
    const Row rows[] = {
        {[](pascal::Registrar& r) { r.addRoutine("procedure Broken(X: TNowhere);"); },
         "Unable to register function 'procedure Broken(X: TNowhere);': Unknown type 'TNowhere'"},
        {[](pascal::Registrar& r) { r.addRoutine("function NoResult(X: Integer);"); },
         "Unable to register function 'function NoResult(X: Integer);': ':' expected"},
        {[](pascal::Registrar& r) { r.addType("TBad", "record X: Integer"); },
         "Unable to register type 'TBad': Unexpected end of file"},
        {[](pascal::Registrar& r) {
             r.addNativeEnum("TShifted", {"a", "b"}, 1);
         },
         "Internal error: RegisterRealEnum not passed a valid enum type"},
        {[](pascal::Registrar& r) { r.addVariable("Button9", "TNoClass"); },
         "Invalid type for variable Button9"},
    };
    for (const Row& row : rows) {
        pascal::Compiler c;
        std::string caught;
        c.addDeclarations([&](pascal::Registrar& r) {
            try {
                row.declare(r);
            } catch (const pascal::RegistrationError& e) {
                caught = e.what();
            }
        });
        c.compile("begin end.");
        EXPECT_EQ(caught, row.message);
        // uncaught, the same error fails the compile with its text
        pascal::Compiler d;
        d.addDeclarations(row.declare);
        auto r = d.compile("begin end.");
        ASSERT_FALSE(r.success);
        EXPECT_EQ(r.firstError()->text, row.message);
    }
}

TEST(Registration, NativeEnumerationFromElementNames)
{
    bool ok = false;
    auto msgs = compileWith(
        "var T: TMsgBoxType; begin T := mbError; if Ord(T) = 2 then T := mbInformation; end.",
        [](pascal::Registrar& r) {
            r.addNativeEnum("TMsgBoxType", {"mbInformation", "mbConfirmation", "mbError", "mbCriticalError"});
        },
        &ok);
    EXPECT_TRUE(ok) << (msgs.empty() ? "" : msgs[0]);
}

TEST(Registration, ClassRules)
{
    struct Row {
        const char* script;
        const char* error; // nullptr: compiles
    };
    const Row rows[] = {
        // members reach descendants; properties keep their access modes
        {"var L: TStringList; begin L := TStringList.Create; L.Add('x'); L[0] := 'y'; L.Caption := 'c'; end.",
         "[Error] (1:79): Not a method or property of 'TStringList': 'Caption'"},
        {"var C: TControl; begin C.Caption := 'a'; C.RTFText := 'b'; end.", nullptr},
        {"var C: TControl; begin C.Tag := 1; end.", "[Error] (1:26): Property 'Tag' is read-only"},
        {"var C: TControl; S: String; begin S := C.RTFText; end.",
         "[Error] (1:42): Property 'RTFText' is write-only"},
        // a re-declared class keeps its members and takes the new parent
        {"var B: TButton; begin B.Caption := 'x'; B.Click; end.", nullptr},
        // the dropped property is absent
        {"var B: TButton; begin B.Shift := 1; end.",
         "[Error] (1:25): Not a method or property of 'TButton': 'Shift'"},
        // the newest type of a name wins for later declarations; earlier members keep theirs
        {"var B: TButton; S: TScrollStyle; begin S := ssBounce; B.ScrollBars := ssBoth; end.", nullptr},
        {"var B: TButton; begin B.ScrollBars := ssBounce; end.", "[Error] (1:39): Type mismatch"},
        // event handlers: @ with a matching signature, or nil
        {"procedure H(Sender: TObject); begin end;\nvar B: TButton; begin B.OnClick := @H; B.OnClick := nil; "
         "end.",
         nullptr},
        {"procedure H(X: Integer); begin end;\nvar B: TButton; begin B.OnClick := @H; end.",
         "[Error] (2:36): Type mismatch"},
        // a handler whose numbers have another size than the event type's still binds
        {"function H(Command: Integer; Data: Byte; var CallHelp: Boolean): LongBool; begin end;\n"
         "var B: TButton; begin B.OnHelp := @H; end.",
         "[Warning] (1:10): Function result value not set"},
        {"function H(Command: Integer; Data: String; var CallHelp: Boolean): Boolean; begin end;\n"
         "var B: TButton; begin B.OnHelp := @H; end.",
         "[Error] (2:35): Type mismatch"},
        {"var O: TObject; B: TButton; begin if O is TButton then B := O as TButton; B := TButton(O); end.",
         nullptr},
    };
    for (const Row& row : rows) {
        bool ok = false;
        auto msgs = compileWith(
            row.script,
            [](pascal::Registrar& r) {
                declareBasics(r);
                r.addType("TScrollStyle", "(ssNone, ssHorizontal, ssVertical, ssBoth)");
                auto b = r.addClass("TButton", "TObject");
                b.addProperty("ScrollBars", "TScrollStyle", 0);
                b.addProperty("Shift", "TGradientShift", 0); // undeclared type: dropped
                EXPECT_FALSE(b.addMethod("procedure Broken(X: TNowhere)"));
                r.addType("TScrollStyle", "( ssScroll, ssBlink, ssBounce )");
                b = r.addClass("TButton", "TControl");
                EXPECT_TRUE(b.addMethod("procedure Click"));
                r.addType("THelpEvent",
                          "function (Command: Word; Data: Longint; var CallHelp: Boolean): Boolean;");
                EXPECT_TRUE(b.addProperty("OnHelp", "THelpEvent", 0));
            },
            &ok);
        if (row.error) {
            ASSERT_FALSE(msgs.empty()) << row.script;
            EXPECT_EQ(msgs.back(), row.error) << row.script;
        } else {
            EXPECT_TRUE(ok) << row.script << " " << (msgs.empty() ? "" : msgs[0]);
        }
    }
}

TEST(Registration, UsesCallbackDeclaresSystemAndRefusesUnits)
{
    pascal::Compiler c;
    std::vector<std::string> asked;
    c.setUsesCallback([&](pascal::UsesRequest& u) {
        asked.push_back(u.unitName);
        if (u.unitName != "SYSTEM") {
            u.reportError(pascal::messageText(pascal::MessageCode::UnknownIdentifier, ""));
            return false;
        }
        u.registrar.addRoutine("procedure Beep;");
        return true;
    });
    auto r = c.compile("uses Windows;\nbegin Beep; end.");
    EXPECT_EQ(asked, (std::vector<std::string>{"SYSTEM", "WINDOWS"}));
    ASSERT_FALSE(r.success);
    EXPECT_EQ(r.firstError()->longForm(), "[Error] (1:6): Unknown identifier ''");
    EXPECT_TRUE(c.compile("begin Beep; end.").success);
}

TEST(Registration, ExportAndExternalCallbacksSeeTheScriptsRoutines)
{
    pascal::Compiler c;
    std::vector<std::string> exported;
    std::string externalLib, externalSym, convention;
    c.setExportCheck([&](pascal::ExportRequest& e) {
        exported.push_back(e.routine.name + "/" + std::to_string(e.routine.params.size()));
        return true;
    });
    c.setExternalCallback([&](pascal::ExternalRequest& e) {
        externalLib = e.library;
        externalSym = e.symbol;
        convention = e.convention;
        return true;
    });
    std::vector<std::size_t> progress;
    c.setLineProgress([&](std::size_t p) {
        progress.push_back(p);
        return true;
    });
    auto r = c.compile("function Beep(Freq, Dur: Cardinal): Boolean; external 'Beep@libc.so.6 cdecl';\n"
                       "procedure A(X: Integer); begin end;\nfunction B: Integer; begin Result := 1; end;\n"
                       "begin A(B); end.");
    EXPECT_TRUE(r.success);
    EXPECT_EQ(exported, (std::vector<std::string>{"A/1", "B/0"}));
    EXPECT_EQ(externalLib, "libc.so.6");
    EXPECT_EQ(externalSym, "Beep");
    EXPECT_EQ(convention, "cdecl");
    EXPECT_FALSE(progress.empty());

    c.setExportCheck([](pascal::ExportRequest& e) {
        e.error = "no exports here";
        return false;
    });
    r = c.compile("procedure A; begin end;\nbegin end.");
    ASSERT_FALSE(r.success);
    EXPECT_EQ(r.firstError()->longForm(), "[Error] (1:11): no exports here");
}

} // namespace
