// The value section of a project file: the typed values from the signature to the "archives follow"
// flag, with the designed form's stream in the middle.
//
//   TPF0, tag "LMBScriptExtended", protected, check value, 0, "", 0, "", version 20, 20, banner,
//   creator, "Saved on …", save time (Date), "", "", form stream, line count, encoded lines,
//   10 bookmark pairs, True
//
// Files with the older tag "LMBScript" lack the four values after the tag and the four reserved ones.
#pragma once

#include "platform/errors.h"
#include "project/project_model.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace project {

inline constexpr std::string_view kFormatTag = "LMBScriptExtended";
inline constexpr std::string_view kOldFormatTag = "LMBScript";
constexpr int32_t kFormatVersion = 20;
inline constexpr std::string_view kMakerAddress = "https://lumeni-zarerud.example/";

// Rows 11 to 14: informational texts of a save.
struct SaveStamp {
    std::string banner;
    std::string creator;
    std::string saved;
    double savedDate = 0; // days since 30 December 1899, local time
};

// The stamp of a save at `when` by program version `programVersion`, in the current language and
// the system's time and date formats.
SaveStamp makeSaveStamp(std::string_view programVersion, std::chrono::system_clock::time_point when);
// Days since 30 December 1899 in local time, as the Date value stores a moment.
double toDelphiDate(std::chrono::system_clock::time_point when);

// Rows 3 and 4 as stored. Normally derived from the project's password; tools that rebuild a file
// without knowing the password carry them over as they were.
struct PasswordFields {
    bool isProtected = false;
    int32_t check = 0;
};
PasswordFields passwordFieldsOf(const Project& project);

// Rows 1 to 21. `linePercent` hears (i+1)*100/n after each line.
std::string writeValueSection(const Project& project, const SaveStamp& stamp,
                              const std::function<void(int)>& linePercent = {},
                              const std::optional<PasswordFields>& fields = std::nullopt);

// Why a value section was refused.
enum class LoadFailure {
    Missing,       // SCantOpenInexistentFile
    BadFormat,     // SBADFORMAT: no signature, unreadable or unknown tag
    BadPassword,   // SBADPASS
    VersionTooNew, // SOUTOFDATE / SFORNEWVERSIONOFEDITOR
    Damaged,       // SERORLOADINGPROJ: any later read error
};

class ProjectLoadError : public platform::Error {
public:
    ProjectLoadError(LoadFailure failure, const std::string& detail)
        : platform::Error(detail), m_failure(failure)
    {}
    LoadFailure failure() const { return m_failure; }

private:
    LoadFailure m_failure;
};

// Everything the section holds, as read.
struct ValueSection {
    std::string tag;
    bool extended = false; // the tag is "LMBScriptExtended" (rows 3 to 8 present)
    bool isProtected = false;
    int32_t check = 0;
    int32_t version = 0;
    int32_t version2 = 0;
    std::string banner, creator, saved;
    double savedDate = 0;
    std::string formStream; // "TPF0" and the root record, byte for byte
    std::string formClass;
    std::string formName;
    std::vector<std::string> lines;
    Bookmarks bookmarks;
    bool archivesFollow = false;
    uint64_t end = 0; // offset after row 21 (or after row 20 when it is missing)
};

// Reads the section from the start of `bytes`. `whole` tells that `bytes` is the entire file; when
// it is not, running out of bytes throws NeedMoreBytes so the caller can offer a longer prefix.
// The password check is the caller's, between readValueSectionHeader and this.
class NeedMoreBytes : public std::exception {};
ValueSection readValueSection(std::string_view bytes, bool whole,
                              const std::function<void(int)>& linePercent = {});

// Only rows 1 to 4: tag and password fields (a file whose tag is "LMBScript" reads as unprotected).
ValueSection readValueSectionHeader(std::string_view bytes, bool whole);

} // namespace project
