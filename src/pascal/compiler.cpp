// The compile: declarations, parsing and checking, code generation, messages.
#include "pascal/compiler.h"

#include "pascal/codegen.h"
#include "pascal/parser.h"
#include "pascal/program.h"

#include <algorithm>

namespace pascal {

struct Compiler::Impl {
    std::vector<std::function<void(Registrar&)>> declarations;
    UsesCallback uses;
    ExportCheckCallback exportCheck;
    ExternalCallback external;
    LineProgressCallback progress;
};

Compiler::Compiler() : m_impl(std::make_unique<Impl>())
{}
Compiler::~Compiler() = default;

void Compiler::addDeclarations(std::function<void(Registrar&)> declare)
{
    m_impl->declarations.push_back(std::move(declare));
}
void Compiler::setUsesCallback(UsesCallback callback)
{
    m_impl->uses = std::move(callback);
}
void Compiler::setExportCheck(ExportCheckCallback callback)
{
    m_impl->exportCheck = std::move(callback);
}
void Compiler::setExternalCallback(ExternalCallback callback)
{
    m_impl->external = std::move(callback);
}
void Compiler::setLineProgress(LineProgressCallback callback)
{
    m_impl->progress = std::move(callback);
}

CompileResult Compiler::compile(std::string_view text, const SourceMap* map)
{
    CompileResult result;
    std::vector<Diag> diags;
    auto program = std::make_shared<Program>();
    bool ok = false;
    {
        Environment env;
        try {
            Registrar reg(env);
            try {
                for (auto& d : m_impl->declarations)
                    d(reg);
                if (m_impl->uses) {
                    UsesRequest req{"SYSTEM", reg, {}};
                    if (!m_impl->uses(req))
                        throw CompileError{req.error.empty() ? MessageCode::UnknownIdentifier
                                                             : MessageCode::Custom,
                                           req.error.empty() ? std::string("SYSTEM") : req.error, 0};
                }
            } catch (const CompileError&) {
                throw;
            } catch (const std::exception& e) {
                throw CompileError{MessageCode::Custom, e.what(), 0};
            }
            Parser parser(env, text);
            CodeGen gen(env, *program, text, map);
            CompileHooks hooks;
            hooks.uses = &m_impl->uses;
            hooks.exportCheck = &m_impl->exportCheck;
            hooks.external = &m_impl->external;
            hooks.progress = &m_impl->progress;
            parser.parseProgram(gen, diags, hooks);
            gen.finish();
            for (Symbol* s : env.globals)
                if (s->script && !s->used)
                    diags.push_back(Diag{MessageKind::Hint, MessageCode::VariableNeverUsed,
                                         env.names.spelling(s->name), s->pos});
            ok = true;
        } catch (const CompileError& e) {
            diags.push_back(Diag{MessageKind::Error, e.code, e.param, e.offset});
        } catch (const std::bad_alloc&) {
            diags.push_back(Diag{MessageKind::Error, MessageCode::Custom, "Out of memory", 0});
        } catch (const std::exception& e) {
            diags.push_back(Diag{MessageKind::Error, MessageCode::Custom, e.what(), 0});
        }
    }
    std::stable_sort(diags.begin(), diags.end(), [](const Diag& a, const Diag& b) {
        if ((a.kind == MessageKind::Error) != (b.kind == MessageKind::Error))
            return b.kind == MessageKind::Error; // the error that ended the compile comes last
        return a.offset < b.offset;
    });
    LineTable lines;
    if (!map && !diags.empty())
        lines = LineTable(text);
    for (const Diag& d : diags) {
        Message m;
        m.kind = d.kind;
        m.code = d.code;
        m.text = messageText(d.code, d.param);
        m.offset = d.offset;
        if (map) {
            SourceLocation loc = map->locate(d.offset, text);
            m.row = loc.row;
            m.col = loc.col;
            m.module = map->fileName(loc.file);
        } else {
            lines.locate(d.offset, m.row, m.col);
        }
        result.messages.push_back(std::move(m));
    }
    result.success = ok;
    if (ok)
        result.program = std::move(program);
    return result;
}

CompileResult Compiler::compileSource(std::string_view text, const std::string& fileName,
                                      const IncludeCallback& include, const CompileOptions& options)
{
    PreprocessOptions po;
    po.mainFileName = fileName;
    po.defines = options.defines;
    po.include = include;
    PreprocessResult pre;
    try {
        pre = preprocess(text, po);
    } catch (const PreprocessError& e) {
        CompileResult r;
        Message m;
        m.kind = MessageKind::Error;
        m.code = MessageCode::Custom;
        m.text = e.what();
        m.module = e.module();
        m.row = e.row();
        m.col = e.col();
        r.messages.push_back(std::move(m));
        return r;
    }
    return compile(pre.text, &pre.map);
}

const Message* CompileResult::firstError() const
{
    for (const auto& m : messages)
        if (m.kind == MessageKind::Error)
            return &m;
    return nullptr;
}

std::string CompileResult::output() const
{
    return program ? serializeProgram(*program) : std::string();
}
std::string CompileResult::debugOutput() const
{
    return program ? serializePositions(*program) : std::string();
}

} // namespace pascal
