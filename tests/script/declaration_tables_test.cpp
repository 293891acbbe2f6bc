// The declaration tables: rows a script or the runtime depends on, exactly as they must stand, and
// the structure the registration sequence relies on.
#include "platform/text_encoding.h"
#include "script/decl_line.h"
#include "script/declaration_sequence.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace script;

namespace {

struct Located {
    std::string group;
    const Decl* row;
    std::string cls; // the class a member row belongs to
};

std::vector<Located> allRows()
{
    std::vector<Located> out;
    for (const auto& g : systemDeclarations()) {
        std::string cls;
        for (const auto& d : g.decls) {
            if (d.kind == DeclKind::Class)
                cls = std::string(d.name);
            out.push_back({std::string(g.name), &d, cls});
        }
    }
    return out;
}

std::vector<const Decl*> named(DeclKind kind, std::string_view name)
{
    std::vector<const Decl*> out;
    for (const auto& r : allRows())
        if (r.row->kind == kind && platform::equalsNoCase(r.row->name, name))
            out.push_back(r.row);
    return out;
}

const Decl* routineNamed(std::string_view name)
{
    for (const auto& r : allRows()) {
        if (r.row->kind != DeclKind::Routine)
            continue;
        auto sig = parseSignature(r.row->text);
        if (sig && platform::equalsNoCase(sig->name, name))
            return r.row;
    }
    return nullptr;
}

} // namespace

TEST(DeclarationTables, MembersFollowTheirClassWithinTheirTable)
{
    for (const auto& g : systemDeclarations()) {
        bool inClass = false;
        for (const auto& d : g.decls) {
            if (d.kind == DeclKind::Class)
                inClass = true;
            const bool member = d.kind == DeclKind::Method || d.kind == DeclKind::Property ||
                                d.kind == DeclKind::DefaultProperty;
            EXPECT_TRUE(!member || inClass)
                << g.name << ": member " << d.name << d.text << " without a class";
        }
    }
}

TEST(DeclarationTables, EveryRoutineAndMethodLineParses)
{
    for (const auto& r : allRows()) {
        if (r.row->kind == DeclKind::Routine || r.row->kind == DeclKind::Method) {
            EXPECT_TRUE(parseSignature(r.row->text).has_value()) << r.group << ": " << r.row->text;
        }
    }
}

TEST(DeclarationTables, TextsThatScriptsDependOnStandExactly)
{
    // The leading blank stays: the compiler accepts it and callers name the routine all the same.
    const Decl* loop = routineNamed("PlayMusicLoop");
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->text, " function PlayMusicLoop(Afile:string):integer;");

    const Decl* open = routineNamed("GetOpenFileName");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text, "function GetOpenFileName(Title,Filename,InitialDir,Filter,DefaultExt:string;"
                          "FileMustExists,OwervritePrompt:boolean;var executed: boolean):string;");

    const Decl* format = routineNamed("Format");
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->text, "function Format(const S: string; const Args: array of Variant): string;");

    const auto info = named(DeclKind::Type, "TMSpeechEngineInfo");
    ASSERT_EQ(info.size(), 1u);
    EXPECT_NE(info[0]->text.find("MinVolume : LongWord; end"), std::string_view::npos);
}

TEST(DeclarationTables, ConstantValues)
{
    struct Row {
        const char* name;
        std::int64_t value;
    };
    const Row rows[] = {
        {"MB_OK", 0},
        {"MB_ICONERROR", 16},
        {"MB_TOPMOST", 0x40000},
        {"HKCR", 0x80000000},
        {"HKEY_CLASSES_ROOT", 0x80000000},
        {"HKCC", 0x80000005},
        {"VK_F24", 135},
        {"VK_OEM_CLEAR", 254},
        {"VK_HANJA", 25},
        {"sfDesktop", 0},
        {"sfLocalAppData", 10},
        {"CD_DOOR_UNLOCK", 3},
        {"clMoneyGreen", 12639424},
        {"clRed", 0x0000FF},
        {"clBtnFace", 0xFF00000F},
        {"crHandPoint", -21},
        {"mrOk", 1},
    };
    for (const auto& r : rows) {
        const auto found = named(DeclKind::IntConst, r.name);
        ASSERT_EQ(found.size(), 1u) << r.name;
        EXPECT_EQ(found[0]->value, r.value) << r.name;
    }

    const auto ver = named(DeclKind::TypedConst, "VER_SUITE_SMALLBUSINESS_RESTRICTED");
    ASSERT_EQ(ver.size(), 1u);
    EXPECT_EQ(ver[0]->text, "LongWord");
    EXPECT_EQ(ver[0]->value, 32);

    const auto filter = named(DeclKind::TypedConst, "AUDIOFILTER");
    ASSERT_EQ(filter.size(), 1u);
    EXPECT_EQ(filter[0]->str,
              "All Supported Formats|*.wav;*.mp3;*.mp2;*.mp1;*.ogg;*.xm;*.mod;*.s3m;*.it;*.mtm;"
              "*.mo3;*.cda|Streamable files (wav/ogg/mp1/mp2/mp3)|*.wav;*.mp3;*.mp2;*.mp1;*.ogg|"
              "Music modules (xm/mod/s3m/it/mtm/mo3)|*.xm;*.mod;*.s3m;*.it;*.mtm;*.mo3|"
              "CD Audio Tracks(*.cda)|*.cda|All files|*.*");
    const auto setup = named(DeclKind::TypedConst, "REGSTR_PATH_SETUP");
    ASSERT_EQ(setup.size(), 1u);
    EXPECT_EQ(setup[0]->str, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
}

TEST(DeclarationTables, ShellFoldersAreBothEnumerationAndConstants)
{
    const auto e = named(DeclKind::NativeEnum, "TShellFolderID");
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0]->value, 0);
    EXPECT_EQ(e[0]->text.substr(0, 22), "sfDesktop,sfStartMenu,");
    EXPECT_EQ(named(DeclKind::IntConst, "sfDesktop").size(), 1u);
}

TEST(DeclarationTables, SpecialFolderEnumerationIsRegisteredTwiceAlike)
{
    const auto twice = named(DeclKind::Type, "TDWSpecialFolder");
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_EQ(twice[0]->text, twice[1]->text);
    EXPECT_TRUE(twice[0]->text.ends_with("dwspfTemplates, dwspfWindows )"));
}

TEST(DeclarationTables, ExtendedConstantsCarryTheProcessorsBitPatterns)
{
    const auto c = extendedConstants();
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].name, "NaN");
    EXPECT_EQ(static_cast<std::uint64_t>(c[0].value), 0xC000000000000000ULL);
    EXPECT_EQ(c[0].aux, 0xFFFF);
    EXPECT_EQ(c[1].name, "Infinity");
    EXPECT_EQ(c[1].aux, 0x7FFF);
    EXPECT_EQ(c[2].name, "NegInfinity");
    EXPECT_EQ(c[2].aux, 0xFFFF);
}

// The class imports expect some types to stay undeclared, so that the properties of those types drop
// out as on the runtime of Windows.
TEST(DeclarationTables, TypesThatMustStayUndeclared)
{
    for (const char* t :
         {"TBiDiMode", "TSizeConstraints", "TGradientRotation", "TGradientShift", "hrgn", "TTabOrder",
          "THelpType", "TComponentName", "TBevelCut", "TImeMode", "TContextPopupEvent"}) {
        EXPECT_TRUE(named(DeclKind::Type, t).empty()) << t;
        EXPECT_TRUE(named(DeclKind::Class, t).empty()) << t;
    }
}

TEST(DeclarationTables, ClassesRedeclaredWithTheirNewParent)
{
    struct Row {
        const char* cls;
        const char* lastParent;
    };
    for (const Row& r :
         {Row{"TComboBox", "TWINCONTROL"}, Row{"TCoolForm", "TImage"}, Row{"TIcon", "TPICTURE"},
          Row{"TForm", "TSCROLLINGWINCONTROL"}, Row{"TWebBrowser", "TOleControl"}}) {
        const auto decls = named(DeclKind::Class, r.cls);
        ASSERT_GE(decls.size(), 1u) << r.cls;
        EXPECT_EQ(decls.back()->text, r.lastParent) << r.cls;
    }
}

TEST(DeclarationTables, ExtendedBitPatternsDecode)
{
    const auto c = extendedConstants();
    const double nan = extendedValue(static_cast<std::uint64_t>(c[0].value), c[0].aux);
    EXPECT_TRUE(std::isnan(nan));
    EXPECT_TRUE(std::signbit(nan));
    EXPECT_EQ(extendedValue(static_cast<std::uint64_t>(c[1].value), c[1].aux), HUGE_VAL);
    EXPECT_EQ(extendedValue(static_cast<std::uint64_t>(c[2].value), c[2].aux), -HUGE_VAL);
    EXPECT_EQ(extendedValue(0x8000000000000000ULL, 0x3FFF), 1.0);
    EXPECT_EQ(extendedValue(0xC000000000000000ULL, 0xC000), -3.0);
}
