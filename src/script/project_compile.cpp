// Preparing a project's compile outside the studio.
#include "script/project_compile.h"

#include "platform/path_macros.h"
#include "project/project_file.h"
#include "script/form_info.h"
#include "script/list_generator.h"
#include "vcl/form_stream.h"

namespace script {

const EventLists& studioEventLists()
{
    static const EventLists lists = [] {
        EventLists loaded =
            EventLists::load(std::filesystem::path(platform::ExpandPathMacros("%SRCDIR%")) / "data");
        if (!loaded.elEvents().lines().empty() && !loaded.eventsByNames().lines().empty())
            return loaded;
        std::vector<std::string> el, byName;
        for (auto& l : generateStudioLists()) {
            if (l.relativePath == "ELEvents.lst")
                el = std::move(l.lines);
            else if (l.relativePath == "EventsByNames.lst")
                byName = std::move(l.lines);
        }
        return EventLists(TwoLineList(std::move(el)), TwoLineList(std::move(byName)));
    }();
    return lists;
}

std::string editorText(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

std::unique_ptr<ProjectScript> prepareProjectScript(const std::vector<std::string>& lines,
                                                    std::string_view formStream, const EventLists& lists)
{
    auto p = std::make_unique<ProjectScript>();
    p->form = vcl::readFormStream(formStream);
    p->formInfo = describeForm(*p->form);
    p->request.editorText = editorText(lines);
    p->request.form = &p->formInfo;
    p->request.lists = &lists;
    return p;
}

std::unique_ptr<ProjectScript> loadProjectScript(const std::filesystem::path& file, const EventLists& lists)
{
    const project::ProjectFileContents contents = project::readProjectFile(file);
    return prepareProjectScript(contents.values.lines, contents.values.formStream, lists);
}

} // namespace script
