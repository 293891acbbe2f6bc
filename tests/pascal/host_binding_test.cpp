// Host routines, classes, properties, exported variables and event handlers called back by the host.
#include "pascal/compiler.h"
#include "pascal/interpreter.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct StringList : pascal::HostObject {
    std::vector<std::string> items;
    std::string_view className() const override { return "TStringList"; }
};

struct Button : pascal::HostObject {
    std::string caption;
    pascal::Value onClick;
    std::string_view className() const override { return "TButton"; }
};

void declare(pascal::Registrar& r)
{
    r.addRoutine("procedure Writeln(Msg:string);");
    r.addRoutine("function Twice(X: Integer; var Doubled: Integer): Boolean;");
    r.addRoutine("procedure Unbound;");
    r.addType("TNotifyEvent", "procedure (Sender: TObject)");
    auto s = r.addClass("TStrings", "TObject");
    s.addMethod("function Add(const S: string): Integer;");
    s.addProperty("Strings", "String Integer", 0);
    s.setDefaultProperty("Strings");
    s.addProperty("Count", "Integer", 1);
    r.addClass("TStringList", "TStrings");
    auto b = r.addClass("TButton", "TObject");
    b.addProperty("Caption", "String", 0);
    b.addProperty("OnClick", "TNotifyEvent", 0);
    b.addMethod("procedure Click");
    r.addVariable("Button1", "TButton");
}

struct Host {
    std::string out;
    pascal::Bindings b;
    Host()
    {
        b.bindRoutine("Writeln", [this](pascal::HostCall& c) { out += std::string(c.arg(0).str()) + "\n"; });
        b.bindRoutine("Twice", [](pascal::HostCall& c) {
            c.var(1) = pascal::Value::integer(c.arg(0).asInt() * 2);
            c.result = pascal::Value::boolean(true);
        });
        b.bindMethod("TObject", "Create", [](pascal::HostCall& c) {
            ASSERT_EQ(c.className, "TStringList");
            c.result = pascal::Value::object(new StringList);
        });
        b.bindMethod("TStrings", "Add", [](pascal::HostCall& c) {
            auto* l = static_cast<StringList*>(c.object());
            l->items.emplace_back(c.arg(0).str());
            c.result = pascal::Value::integer(static_cast<std::int64_t>(l->items.size() - 1));
        });
        b.bindProperty(
            "TStrings", "Strings",
            [](pascal::HostCall& c) {
                auto* l = static_cast<StringList*>(c.object());
                auto i = static_cast<std::size_t>(c.arg(0).asInt());
                if (i >= l->items.size())
                    throw pascal::RuntimeError("List index out of bounds (" + std::to_string(i) + ")");
                c.result = pascal::Value::string(l->items[i]);
            },
            [](pascal::HostCall& c) {
                auto* l = static_cast<StringList*>(c.object());
                l->items.at(static_cast<std::size_t>(c.arg(0).asInt())) = std::string(c.arg(1).str());
            });
        b.bindProperty("TStrings", "Count",
                       [](pascal::HostCall& c) {
                           c.result = pascal::Value::integer(
                               static_cast<std::int64_t>(static_cast<StringList*>(c.object())->items.size()));
                       },
                       {});
        b.bindProperty(
            "TButton", "Caption",
            [](pascal::HostCall& c) {
                c.result = pascal::Value::string(static_cast<Button*>(c.object())->caption);
            },
            [](pascal::HostCall& c) { static_cast<Button*>(c.object())->caption = c.arg(0).str(); });
        b.bindProperty(
            "TButton", "OnClick",
            [](pascal::HostCall& c) { c.result = static_cast<Button*>(c.object())->onClick; },
            [](pascal::HostCall& c) { static_cast<Button*>(c.object())->onClick = c.arg(0); });
    }
};

std::shared_ptr<const pascal::Program> build(const std::string& text)
{
    pascal::Compiler c;
    c.addDeclarations(declare);
    auto r = c.compile(text);
    EXPECT_TRUE(r.success) << (r.firstError() ? r.firstError()->longForm() : "");
    return r.program;
}

TEST(HostBinding, ClassesPropertiesAndVarParameters)
{
    auto program = build("var L: TStringList; N: Integer;\n"
                         "begin\n"
                         "  L := TStringList.Create;\n"
                         "  L.Add('one'); L.Add('two');\n"
                         "  L[1] := L.Strings[1] + '!';\n"
                         "  if Twice(L.Count, N) then Writeln(L[0] + L[1] + IntToStr(N));\n"
                         "  if (L is TStrings) and not (L is TButton) then Writeln('is');\n"
                         "  L.Free;\n"
                         "  L.Add('gone');\n"
                         "end.");
    Host h;
    pascal::Interpreter vm(program, h.b);
    try {
        vm.run();
        FAIL() << "a freed object must not be usable";
    } catch (const pascal::RuntimeError& e) {
        EXPECT_EQ(e.longForm(), "Runtime error at (9:3): Object already freed");
    }
    EXPECT_EQ(h.out, "onetwo!4\nis\n");
}

TEST(HostBinding, ExportedVariablesAndEventHandlersCalledBack)
{
    auto program = build("procedure Button1OnClick(Sender: TObject);\n"
                         "begin\n"
                         "  Writeln('clicked ' + TButton(Sender).Caption);\n"
                         "end;\n"
                         "begin\n"
                         "  with Button1 do\n"
                         "  begin\n"
                         "    Caption := 'O';\n"
                         "    Caption := Caption + 'K';\n"
                         "    OnClick := @Button1OnClick;\n"
                         "  end;\n"
                         "end.");
    Host h;
    pascal::Interpreter vm(program, h.b);
    auto* button = new Button;
    pascal::ObjectRef keep(button);
    EXPECT_TRUE(vm.setVariable("BUTTON1", keep.value()));
    EXPECT_FALSE(vm.setVariable("NOSUCH", keep.value()));
    vm.run();
    ASSERT_EQ(button->onClick.procKind(), pascal::ProcKind::Script);
    vm.call(button->onClick, {keep.value()});
    vm.call(button->onClick, {keep.value()});
    EXPECT_EQ(h.out, "clicked OK\nclicked OK\n");
    EXPECT_EQ(vm.program().findRoutine("button1onclick"), 0);
}

TEST(HostBinding, FailuresCarryThePosition)
{
    struct Row {
        const char* script;
        const char* error;
    };
    const Row rows[] = {
        {"begin\n  Unbound;\nend.", "Runtime error at (2:3): Not implemented: Unbound"},
        {"begin\n  Button1.Click;\nend.", "Runtime error at (2:3): Nil object reference"},
        {"var L: TStringList;\nbegin\n  L := TStringList.Create;\n  Writeln(L[5]);\nend.",
         "Runtime error at (4:11): List index out of bounds (5)"},
        {"var O: TObject; B: TButton;\nbegin\n  O := TStringList.Create;\n  B := O as TButton;\nend.",
         "Runtime error at (4:8): Invalid type cast"},
    };
    for (const Row& row : rows) {
        auto program = build(row.script);
        Host h;
        pascal::Interpreter vm(program, h.b);
        try {
            vm.run();
            ADD_FAILURE() << row.script;
        } catch (const pascal::RuntimeError& e) {
            EXPECT_EQ(e.longForm(), row.error) << row.script;
        }
    }
}

TEST(HostBinding, HostErrorsAreCaughtByTheScript)
{
    auto program =
        build("var L: TStringList;\nbegin\n  L := TStringList.Create;\n"
              "  try Writeln(L[3]); except Writeln('handled: ' + GetExceptionMessage); end;\nend.");
    Host h;
    pascal::Interpreter vm(program, h.b);
    vm.run();
    EXPECT_EQ(h.out, "handled: List index out of bounds (3)\n");
}

} // namespace

namespace {

TEST(HostBinding, DeclaredRoutinesWithoutBindingFallBackToTheEnginesOwn)
{
    pascal::Compiler c;
    c.addDeclarations([](pascal::Registrar& r) {
        r.addRoutine("procedure Writeln(Msg:string);");
        r.addRoutine("function Format(const S: string; const Args: array of Variant): string;");
        r.addRoutine("function IntToHex(Value: Integer; Digits: Integer): string;");
        r.addRoutine("function SameText(A,B : string) : boolean;");
        r.addRoutine("function Odd(X: Longint): Boolean;");
        r.addRoutine("function Random( Range: Integer):integer;");
        r.addRoutine("function UpperCase(const S: string): string;"); // replaces the engine's declaration
    });
    auto r = c.compile("var I: Integer;\nbegin\n"
                       "  Writeln(Format('%d|%5s|%-3s|%.2f|%x|%s', [42, 'ab', 'c', 3.14159, 255, True]));\n"
                       "  Writeln(IntToHex(255, 4) + IntToHex(-1, 8));\n"
                       "  if SameText('abc', 'ABC') and Odd(3) then Writeln(UpperCase('yes'));\n"
                       "  I := Random(10);\n"
                       "  if (I >= 0) and (I < 10) then Writeln('random');\n"
                       "  Writeln(Format('%s', []));\n"
                       "end.");
    ASSERT_TRUE(r.success) << r.firstError()->longForm();
    Host h;
    pascal::Interpreter vm(r.program, h.b);
    try {
        vm.run();
        ADD_FAILURE() << "Format without an argument must fail";
    } catch (const pascal::RuntimeError& e) {
        EXPECT_EQ(e.longForm(), "Runtime error at (8:11): Format '%s' invalid or incompatible with argument");
    }
    EXPECT_EQ(h.out, "42|   ab|c  |3.14|FF|True\n00FFFFFFFFFF\nYES\nrandom\n");
}

// The engine's Format, as a host that declares Format without binding it gets it: numbers round half
// away from zero, %e counts significant digits with a three-digit exponent, %u and %x show 32-bit
// integers as unsigned, * takes a width or precision from the arguments.
TEST(HostBinding, FormatFollowsDelphisRules)
{
    const std::pair<const char*, const char*> cases[] = {
        {"'%.0f|%.0f|%.2f|%.2f|%.1f', [2.5, -2.5, 0.125, 0.005, 9.96]", "3|-3|0.13|0.01|10.0"},
        {"'%.2f|%f|%.3f|%.2f', [0.0004, -7.0, 999.9995, 123456789.125]", "0.00|-7.00|1000.000|123456789.13"},
        {"'%e|%.3e|%.1e|%.2e', [1234.5, 0.000123456, 9.96, 0.0]",
         "1.23450000000000E+003|1.23E-004|1.0E+001|0.0E+000"},
        {"'%u|%x|%.4x|%.3d|%d', [-1, -1, 10, -5, 1000]", "4294967295|FFFFFFFF|000A|-005|1000"},
        {"'%*.*f|%-*d|%0:d', [8, 2, 3.14159, 4, 7]", "    3.14|7   |8"},
        {"'%n|%.10g|%g', [-1234.5, 1/3, 0.0001]", "-1,234.50|0.3333333333|0.0001"},
    };
    std::string text = "begin\n";
    std::string want;
    for (const auto& [args, expected] : cases) {
        text += std::string("  Writeln(Format(") + args + "));\n";
        want += std::string(expected) + "\n";
    }
    pascal::Compiler c;
    c.addDeclarations([](pascal::Registrar& r) {
        r.addRoutine("procedure Writeln(Msg:string);");
        r.addRoutine("function Format(const S: string; const Args: array of Variant): string;");
    });
    auto r = c.compile(text + "end.");
    ASSERT_TRUE(r.success) << r.firstError()->longForm();
    Host h;
    pascal::Interpreter vm(r.program, h.b);
    vm.run();
    EXPECT_EQ(h.out, want);
}

} // namespace

namespace {

TEST(HostBinding, HandlersChangeTheirVarParametersForTheHost)
{
    auto program = build("procedure Memo1KeyPress(Sender: TObject; var Key: Char);\n"
                         "begin\n"
                         "  if Key = 'a' then Key := 'b';\n"
                         "end;\n"
                         "begin\n"
                         "end.");
    Host h;
    pascal::Interpreter vm(program, h.b);
    vm.run();
    std::vector<pascal::Value> args{pascal::Value::nilObject(), pascal::Value::character('a')};
    vm.callRoutine("Memo1KeyPress", args);
    EXPECT_EQ(args[1].asInt(), 'b');
    EXPECT_THROW(vm.callRoutine("Memo1KeyPress", {pascal::Value::nilObject()}), pascal::RuntimeError);
    EXPECT_THROW(vm.callRoutine("NoSuchHandler", {}), pascal::RuntimeError);
}

} // namespace
