// The steps of one compile.
#include "script/compiler_host.h"

#include "pascal/compiler.h"
#include "platform/lang.h"
#include "platform/text_encoding.h"

namespace script {

namespace {

MessageRow rowOf(const pascal::Message& m)
{
    return {m.longForm(), m.row, m.col,
            m.kind == pascal::MessageKind::Error ? MessageIcon::Error : MessageIcon::Warning};
}

void listMessages(const pascal::CompileResult& result, CompileOutcome& out)
{
    for (const auto& m : result.messages) {
        out.rows.push_back(rowOf(m));
        if (m.kind == pascal::MessageKind::Error && !out.firstError)
            out.firstError = FirstError{m.row, m.col, m.longForm()};
    }
}

} // namespace

std::vector<ImportedVariable> formVariables(const DesignFormInfo& form)
{
    std::vector<ImportedVariable> vars;
    vars.push_back({form.form.name, "TForm"});
    for (const auto& c : form.components)
        vars.push_back({c.name, c.className});
    return vars;
}

CompileOutcome CompilerHost::compile(const CompileRequest& request)
{
    CompileOutcome out;
    if (m_busy) {
        out.refused = true;
        return out;
    }
    m_busy = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{m_busy};

    const ComposedScript composed = composeScript(request);
    out.composedText = composed.text();
    m_composedText = out.composedText;
    const std::size_t length = out.composedText.size();

    pascal::Compiler compiler;
    const std::vector<ImportedVariable> vars =
        request.form ? formVariables(*request.form) : std::vector<ImportedVariable>{};
    compiler.setUsesCallback([&vars](pascal::UsesRequest& u) {
        if (!platform::equalsNoCase(u.unitName, "SYSTEM")) {
            u.reportError(pascal::messageText(pascal::MessageCode::UnknownIdentifier, ""));
            return false;
        }
        registerSystemDeclarations(u.registrar);
        registerImportedVariables(u.registrar, vars);
        return true;
    });
    compiler.setExportCheck([](pascal::ExportRequest&) { return true; });
    compiler.setExternalCallback([](pascal::ExternalRequest&) { return true; });
    CompileProgress* progress = request.progress;
    compiler.setLineProgress([progress, length](std::size_t position) {
        if (progress && length > 0)
            progress->progress(static_cast<int>(position * 100 / length));
        return true;
    });

    if (progress)
        progress->started(length);
    const pascal::CompileResult result =
        compiler.compile(out.composedText, composed.map.empty() ? nullptr : &composed.map);
    if (progress)
        progress->finished();

    if (result.success) {
        out.rows.push_back({platform::GetLangString("SSuccesfullyCompiled"), -1, -1, MessageIcon::Success});
        listMessages(result, out);
        out.success = true;
        std::string compiled = result.output();
        if (compiled.empty()) {
            out.rows.push_back({platform::GetLangString("SCouldNotGetData"), -1, -1, MessageIcon::Error});
            return out;
        }
        out.compiledOutput = std::move(compiled);
        out.debugOutput = result.debugOutput();
        m_compiledOutput = out.compiledOutput;
        m_debugOutput = out.debugOutput;
        return out;
    }
    out.rows.push_back({platform::GetLangString("FailedWhenCompiling"), -1, -1, MessageIcon::Error});
    listMessages(result, out);
    return out;
}

} // namespace script
