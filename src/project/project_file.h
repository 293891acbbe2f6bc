// Saving and loading whole project files: the value section, archive block 1 with the embedded
// files and archive block 2 with script.txt, written under a temporary name beside the target and
// renamed over it only when complete; read so that a failed load leaves the current project as it
// was. The studio's windows reach these through a Prompter and a Progress.
#pragma once

#include "project/archive_block.h"
#include "project/embedded_files.h"
#include "project/project_model.h"
#include "project/prompter.h"
#include "project/value_section.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace project {

// ---- Writing ---------------------------------------------------------------------------------

// The composed script text of a successful compilation, or nothing when it failed (the compiler
// host shows its own messages).
using ComposeScript = std::function<std::optional<std::string>(const Project&)>;

struct SaveOptions {
    int compressionIndex = kDefaultCompressionIndex; // of the Embedded Files dialog
    std::string programVersion;                      // for the "Created with" row
    // Compiles before anything is written; without it, script.txt is stored empty.
    ComposeScript compose;
    std::chrono::system_clock::time_point when = std::chrono::system_clock::now();
    // Rows 3 and 4 to store instead of those of the project's password (lmbtool pack).
    std::optional<PasswordFields> passwordFields;
};

// A write that failed; the old file at the target is untouched and no temporary file remains.
class SaveError : public platform::Error {
public:
    using platform::Error::Error;
};

// script.txt as stored: the text's lines, each ended by CR LF.
std::string scriptTxtBytes(std::string_view text);

// Writes the whole file (no compilation, no messages). `archiveError` receives an archive writer's
// own text ("Cannot read file" …) when that is what failed. Throws SaveError.
void writeProjectFile(const std::filesystem::path& path, const Project& project,
                      const std::string& scriptText, const SaveOptions& options, Progress& progress,
                      std::string* archiveError = nullptr);

// SaveProject of the studio: compiles through options.compose, writes, reports failures through the
// prompter (FailedWhenCompiling + SNOTSAVED, the archive's text, ErrorSaving). On success `project`
// gets the file name and is no longer modified; on failure it stays modified. `path` must not be
// empty (the caller shows Save As for an untitled project).
bool SaveProject(Project& project, const std::filesystem::path& path, const SaveOptions& options,
                 Prompter& prompter, Progress& progress);

// ---- Reading ---------------------------------------------------------------------------------

// The whole content of a project file, for tools: every value and both archive blocks.
struct ProjectFileContents {
    ValueSection values;
    ArchiveResult block1;
    std::optional<ArchiveResult> block2; // absent when the file ends after block 1
};

// Reads a file without asking anything (no password check). Block 1's entries go to `block1Sink`,
// block 2's to `block2Sink` (either may be null: contents are then read and dropped).
// Throws ProjectLoadError.
ProjectFileContents readProjectFile(const std::filesystem::path& path, ArchiveSink* block1Sink = nullptr,
                                    ArchiveSink* block2Sink = nullptr);

struct LoadOptions {
    std::filesystem::path tmpAppDir; // where the new EmbeddedDir is made (%TMPAPPDIR%)
};

// LoadProject of the studio: checks the file, asks the password, reads the whole project and
// unpacks its embedded files into a new EmbeddedDir. Messages go through the prompter. Returns the
// loaded project (fileName = path, not modified) or nothing; the current project is never touched,
// so a damaged file loses nothing. Block 2 is not read.
std::optional<Project> LoadProject(const std::filesystem::path& path, const LoadOptions& options,
                                   Prompter& prompter, Progress& progress);

// Makes `loaded` the current project: the previous EmbeddedDir is deleted and %Embedded% follows.
void adoptProject(Project& current, Project&& loaded);

// A fresh, empty EmbeddedDir under `tmpAppDir` (MakeUniqueName with the suffix "Embedded").
std::filesystem::path makeEmbeddedDir(const std::filesystem::path& tmpAppDir);
// Deletes the project's EmbeddedDir (if any) and gives it a fresh one, as New Project does.
void renewEmbeddedDir(Project& project, const std::filesystem::path& tmpAppDir);

} // namespace project
