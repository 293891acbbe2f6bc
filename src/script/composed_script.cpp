// Preprocessing the editor's text and appending the generated main block.
#include "script/composed_script.h"

#include "pascal/preprocessor.h"
#include "platform/path_macros.h"
#include "script/list_files.h"
#include "script/main_block.h"

#include <exception>
#include <system_error>

namespace script {

namespace {

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
    return [includeFolder](const std::string& includingFile, const std::string& fileName,
                           pascal::IncludeFile& out) {
        const std::filesystem::path folder =
            includingFile.empty() ? includeFolder : std::filesystem::path(includingFile).parent_path();
        const std::filesystem::path file = (folder / fileName).lexically_normal(); // names messages
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec))
            return false;
        out.text = joinListLines(readListLines(file));
        out.path = file.string();
        return true;
    };
}

ComposedScript preprocessEditorText(const CompileRequest& request)
{
    pascal::PreprocessOptions options;
    options.include = includeCallback(includeFolderOf(request));
    try {
        auto r = pascal::preprocess(request.editorText, options);
        return {std::move(r.text), std::move(r.map), {}};
    } catch (const pascal::PreprocessError& e) {
        return {e.partial().text, e.partial().map, {}};
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

} // namespace

ComposedScript composeScript(const CompileRequest& request)
{
    ComposedScript out = preprocessEditorText(request);
    out.mainBlock = mainBlockFor(request, request.editorText);
    return out;
}

} // namespace script
