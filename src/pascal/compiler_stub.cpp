// Placeholder of the compiler while its phases are being built.
#include "pascal/compiler.h"

namespace pascal {

struct Compiler::Impl {
    std::vector<std::function<void(Registrar&)>> declarations;
    UsesCallback uses;
    ExportCheckCallback exportCheck;
    ExternalCallback external;
    LineProgressCallback progress;
};

Compiler::Compiler() : m_impl(std::make_unique<Impl>()) {}
Compiler::~Compiler() = default;

void Compiler::addDeclarations(std::function<void(Registrar&)> declare)
{
    m_impl->declarations.push_back(std::move(declare));
}
void Compiler::setUsesCallback(UsesCallback callback) { m_impl->uses = std::move(callback); }
void Compiler::setExportCheck(ExportCheckCallback callback) { m_impl->exportCheck = std::move(callback); }
void Compiler::setExternalCallback(ExternalCallback callback) { m_impl->external = std::move(callback); }
void Compiler::setLineProgress(LineProgressCallback callback) { m_impl->progress = std::move(callback); }

CompileResult Compiler::compile(std::string_view, const SourceMap*)
{
    CompileResult r;
    Message m;
    m.text = "Compiler not available";
    r.messages.push_back(m);
    return r;
}

CompileResult Compiler::compileSource(std::string_view text, const std::string&, const IncludeCallback&,
                                      const CompileOptions&)
{
    return compile(text);
}

const Message* CompileResult::firstError() const
{
    for (const auto& m : messages)
        if (m.kind == MessageKind::Error)
            return &m;
    return nullptr;
}
std::string CompileResult::output() const { return {}; }
std::string CompileResult::debugOutput() const { return {}; }

} // namespace pascal
