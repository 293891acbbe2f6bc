// The compile of a project as the studio runs it, for the programs that have no studio around them
// (lmbtool, the tests): the project's lines joined by CR LF, its form read from its form stream and
// described with the events its classes publish, and the event lists of the data folder.
#pragma once

#include "script/compiler_host.h"
#include "vcl/component.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// The event lists the studio reads at start-up from the data folder beside the program; where that
// folder has none (a build tree without its data), the ones the build would generate.
const EventLists& studioEventLists();

// The editor's text of a project: its lines joined by CR LF.
std::string editorText(const std::vector<std::string>& lines);

struct ProjectScript {
    std::unique_ptr<vcl::Component> form;
    DesignFormInfo formInfo;
    CompileRequest request; // points at formInfo: keep the ProjectScript while it is used
};

// Reads the form stream (vcl::StreamError when it is damaged) and prepares the request.
std::unique_ptr<ProjectScript> prepareProjectScript(const std::vector<std::string>& lines,
                                                    std::string_view formStream,
                                                    const EventLists& lists = studioEventLists());

// The same for a project file, read without asking its password (tools check what the file holds).
// Throws project::ProjectLoadError for a file that is no project, vcl::StreamError for a damaged form.
std::unique_ptr<ProjectScript> loadProjectScript(const std::filesystem::path& file,
                                                 const EventLists& lists = studioEventLists());

} // namespace script
