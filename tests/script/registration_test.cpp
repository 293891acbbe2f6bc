// The declaration sequence through the engine: it registers whole, and the values scripts compile into
// their code are the ones the runtime of Windows has.
#include "pascal/compiler.h"
#include "pascal/interpreter.h"
#include "script/declaration_sequence.h"
#include "script/registration.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace script;

namespace {

pascal::CompileResult compileWithSystem(const std::string& text, std::span<const Decl> extra = {})
{
    pascal::Compiler c;
    c.setUsesCallback([extra](pascal::UsesRequest& u) {
        registerSystemDeclarations(u.registrar);
        registerImportedVariables(u.registrar, {});
        registerDecls(u.registrar, extra);
        return true;
    });
    return c.compile(text);
}

std::string errorOf(const pascal::CompileResult& r)
{
    const auto* e = r.firstError();
    return e ? e->longForm() : std::string();
}

} // namespace

TEST(Registration, TheWholeSequenceRegistersAndTheValuesAreRight)
{
    const auto r =
        compileWithSystem("var Root, User, Desk, Win, Loop: Integer; Same: Boolean; N, I, NI: Extended;\r\n"
                          "begin\r\n"
                          "  Root := HKCR; User := HKEY_CURRENT_USER; Same := HKCR = HKEY_CLASSES_ROOT;\r\n"
                          "  Desk := sfDesktop; Win := Ord(dwspfWindows); Loop := VK_F24;\r\n"
                          "  N := NaN; I := Infinity; NI := NegInfinity;\r\n"
                          "end.");
    ASSERT_TRUE(r.success) << errorOf(r);
    pascal::Bindings none;
    pascal::Interpreter vm(r.program, none);
    vm.run();
    auto integer = [&](const char* name) { return vm.variable(name)->asInt(); };
    EXPECT_EQ(static_cast<std::uint32_t>(integer("Root")), 0x80000000u);
    EXPECT_EQ(static_cast<std::uint32_t>(integer("User")), 0x80000001u);
    EXPECT_TRUE(vm.variable("Same")->asBool());
    EXPECT_EQ(integer("Desk"), 0);
    EXPECT_EQ(integer("Win"), 44);
    EXPECT_EQ(integer("Loop"), 135);
    EXPECT_TRUE(std::isnan(vm.variable("N")->asFloat()));
    EXPECT_EQ(vm.variable("I")->asFloat(), HUGE_VAL);
    EXPECT_EQ(vm.variable("NI")->asFloat(), -HUGE_VAL);
}

TEST(Registration, ANativeEnumerationMustStartAtZero)
{
    static constexpr Decl bad[] = {decl::nativeEnum("TBadEnum", "beOne,beTwo", 1)};
    const auto r = compileWithSystem("begin end.", bad);
    EXPECT_FALSE(r.success);
    EXPECT_NE(errorOf(r).find("Internal error: RegisterRealEnum not passed a valid enum type"),
              std::string::npos)
        << errorOf(r);
}
