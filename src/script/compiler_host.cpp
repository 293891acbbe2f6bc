// The steps of one compile.
#include "script/compiler_host.h"

#include "script/list_files.h"
#include "script/main_block.h"

#include "pascal/compiler.h"
#include "pascal/preprocessor.h"

#include "platform/lang.h"
#include "platform/path_macros.h"
#include "platform/text_encoding.h"

#include <exception>
#include <system_error>

namespace script {

namespace {

struct Preprocessed {
    std::string text;
    pascal::SourceMap map;
};

std::filesystem::path includeFolderOf(const CompileRequest& request)
{
    if (!request.includeFolder.empty())
        return request.includeFolder;
    return std::filesystem::path(platform::ExpandPathMacros("%SRCDIR%/include/"));
}

// Includes come from the folder of the including file, or from the include folder for the script
// itself, which has no file name.
pascal::IncludeCallback includeCallback(std::filesystem::path includeFolder)
{
    return [includeFolder](const std::string& includingFile, const std::string& fileName, pascal::IncludeFile& out) {
        const std::filesystem::path folder =
            includingFile.empty() ? includeFolder : std::filesystem::path(includingFile).parent_path();
        const std::filesystem::path file = folder / fileName;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec))
            return false;
        out.text = joinListLines(readListLines(file));
        out.path = file.string();
        return true;
    };
}

Preprocessed preprocessEditorText(const CompileRequest& request)
{
    pascal::PreprocessOptions options;
    options.include = includeCallback(includeFolderOf(request));
    try {
        auto r = pascal::preprocess(request.editorText, options);
        return {std::move(r.text), std::move(r.map)};
    } catch (const pascal::PreprocessError& e) {
        return {e.partial().text, e.partial().map};
    } catch (const std::exception&) {
        return {};
    }
}

std::vector<BindingObject> bindingObjects(const DesignFormInfo& form)
{
    std::vector<BindingObject> objects;
    objects.push_back({form.form.name, form.form.is, form.form.eventProperties});
    for (const auto& c : form.components)
        objects.push_back({c.name, c.is, c.eventProperties});
    return objects;
}

std::string mainBlockFor(const CompileRequest& request, std::string_view editorText)
{
    MainBlockInput in;
    if (request.form)
        in.objects = bindingObjects(*request.form);
    in.scriptLines = splitListLines(editorText);
    in.lists = request.lists;
    if (request.progress)
        in.processing = [p = request.progress](const std::string& name) { p->processing(name); };
    return generateMainBlock(in);
}

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

std::string composeScript(const CompileRequest& request)
{
    Preprocessed pre = preprocessEditorText(request);
    return pre.text + mainBlockFor(request, request.editorText);
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

    Preprocessed pre = preprocessEditorText(request);
    out.composedText = pre.text + mainBlockFor(request, request.editorText);
    m_composedText = out.composedText;
    const std::size_t length = out.composedText.size();

    pascal::Compiler compiler;
    const std::vector<ImportedVariable> vars = request.form ? formVariables(*request.form)
                                                            : std::vector<ImportedVariable>{};
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
    const pascal::CompileResult result = compiler.compile(out.composedText, pre.map.empty() ? nullptr : &pre.map);
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
