// The generated list files agree with the compiler: every member a class list offers can be used on an
// object of that class, and every routine of funcs.lst can be called with as many arguments as
// ParamCompletion.lst gives it.
#include "platform/text_encoding.h"
#include "script/compiler_host.h"
#include "script/decl_line.h"
#include "script/list_generator.h"

#include <gtest/gtest.h>

using namespace script;

namespace {

// A procedure that declares one variable per needed type and uses the members through them.
class Toucher {
public:
    std::string var(const std::string& type)
    {
        std::string name = "V";
        name += std::to_string(m_vars.size() + 1);
        std::string declaration = name;
        declaration += ": ";
        declaration += type;
        declaration += ';';
        m_vars.push_back(std::move(declaration));
        return name;
    }
    void stmt(const std::string& s) { m_body += "  " + s + "\r\n"; }
    // Arguments for a parameter list: a variable of each parameter's type.
    std::string args(const Signature& sig)
    {
        std::string out;
        for (const auto& g : sig.params)
            for (std::size_t k = 0; k < g.names.size(); ++k)
                out += (out.empty() ? "" : ", ") + var(g.type);
        return out.empty() ? out : "(" + out + ")";
    }
    std::string procedure(const std::string& name) const
    {
        std::string out = "procedure " + name + ";\r\n";
        if (!m_vars.empty()) {
            out += "var\r\n";
            for (const auto& v : m_vars)
                out += "  " + v + "\r\n";
        }
        return out + "begin\r\n" + m_body + "end;\r\n";
    }

private:
    std::vector<std::string> m_vars;
    std::string m_body;
};

CompileOutcome compileAlone(const std::string& script)
{
    static const EventLists lists;
    CompileRequest r;
    r.editorText = script;
    r.lists = &lists;
    r.includeFolder = "/nonexistent-include-folder";
    CompilerHost host;
    return host.compile(r);
}

std::string errorOf(const CompileOutcome& o)
{
    return o.firstError ? o.firstError->longText : "";
}

std::vector<std::string> scriptLines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '\r' && text[i + 1] == '\n') {
            out.push_back(text.substr(start, i - start));
            start = i + 2;
        }
    return out;
}

std::string lineOf(const std::string& script, const CompileOutcome& o)
{
    const auto lines = scriptLines(script);
    if (!o.firstError || o.firstError->row < 1 || o.firstError->row > static_cast<int>(lines.size()))
        return {};
    return lines[static_cast<std::size_t>(o.firstError->row - 1)];
}

} // namespace

TEST(ListAgreement, EveryClassListMemberCompiles)
{
    const auto lists = generateStudioLists();
    for (const auto& l : lists) {
        if (!l.relativePath.starts_with("code/"))
            continue;
        const std::string cls = l.relativePath.substr(5, l.relativePath.size() - 9);
        Toucher t;
        const std::string o = t.var(cls);
        for (const auto& r : readCompletionRecords(l.lines)) {
            if (r.kind == "property") {
                // "[Integer, Integer]: TColor (read-only)"
                std::string rem = r.remainder;
                std::string index;
                if (rem.starts_with("[")) {
                    const auto close = rem.find(']');
                    std::string types = rem.substr(1, close - 1);
                    rem = rem.substr(close + 1);
                    std::size_t p = 0;
                    while (p < types.size()) {
                        auto comma = types.find(", ", p);
                        const std::string ty =
                            types.substr(p, comma == std::string::npos ? std::string::npos : comma - p);
                        index += (index.empty() ? "" : ", ") + t.var(ty);
                        p = comma == std::string::npos ? types.size() : comma + 2;
                    }
                    index = "[" + index + "]";
                }
                const bool readOnly = rem.ends_with(" (read-only)");
                const bool writeOnly = rem.ends_with(" (write-only)");
                std::string type = rem.substr(2);
                if (readOnly || writeOnly)
                    type = type.substr(0, type.rfind(" ("));
                // A read-write property is read into itself: its type name may have been declared
                // again since it registered (a memo's TScrollStyle), so a variable of that name need
                // not be of its type.
                const std::string member = o + "." + r.name + index;
                if (readOnly)
                    t.stmt(t.var(type) + " := " + member + ";");
                else if (writeOnly)
                    t.stmt(member + " := " + t.var(type) + ";");
                else
                    t.stmt(member + " := " + member + ";");
            } else {
                const auto sig = parseSignature(r.kind + " " + r.name + r.remainder);
                ASSERT_TRUE(sig) << cls << ": " << r.kind << " " << r.name << r.remainder;
                if (sig->keyword == "constructor")
                    t.stmt(o + " := " + cls + "." + r.name + t.args(*sig) + ";");
                else
                    t.stmt(o + "." + r.name + t.args(*sig) + ";");
            }
        }
        const std::string script = t.procedure("Touch");
        const auto out = compileAlone(script);
        EXPECT_TRUE(out.success) << l.relativePath << ": " << errorOf(out) << "\n  " << lineOf(script, out);
    }
}

TEST(ListAgreement, EveryRoutineCompilesWithItsHintsParameterCount)
{
    std::vector<std::string> funcs, params;
    for (const auto& l : generateStudioLists()) {
        if (l.relativePath == "funcs.lst")
            funcs = l.lines;
        if (l.relativePath == "ParamCompletion.lst")
            params = l.lines;
    }
    const ParamCompletionList hints(params);
    Toucher t;
    int routines = 0;
    for (const auto& r : readCompletionRecords(funcs)) {
        if (r.kind != "procedure" && r.kind != "function")
            continue;
        const auto sig = parseSignature(r.kind + " " + r.name + r.remainder);
        ASSERT_TRUE(sig) << r.name << r.remainder;
        EXPECT_EQ(static_cast<int>(hints.hintFor(r.name).size()), sig->paramCount()) << r.name;
        const std::string call = r.name + t.args(*sig);
        t.stmt(sig->result.empty() ? call + ";" : t.var(sig->result) + " := " + call + ";");
        ++routines;
    }
    EXPECT_GT(routines, 400);
    const std::string script = t.procedure("CallAll");
    const auto out = compileAlone(script);
    EXPECT_TRUE(out.success) << errorOf(out) << "\n  " << lineOf(script, out);
}
