// The .lmb file association, the freedesktop way: a shared-mime-info package that names the type
// application/x-lmb-project (*.lmb) under $XDG_DATA_HOME/mime/packages/, and a desktop entry that
// opens it, with the actions Open, Edit and Play, under $XDG_DATA_HOME/applications/. The
// databases are refreshed with update-mime-database and update-desktop-database when they exist.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

inline constexpr std::string_view kProjectMimeType = "application/x-lmb-project";
inline constexpr std::string_view kProjectDescription = "Lumeni Zarerud Document";

struct AssociationTarget {
    std::filesystem::path studio;   // Open and Edit
    std::filesystem::path player;   // Play
    std::filesystem::path shellNew; // the empty project that "new document" menus copy
    std::string editVerb;           // SEDIT, "&" marks the accelerator
    std::string playVerb;           // SPLAY
};

// The studio, the runtime and data/ShellNew.dat beside the running program, with the verbs in the
// current language.
AssociationTarget defaultAssociationTarget();

std::filesystem::path mimePackageFile();
std::filesystem::path desktopEntryFile();

// Both report failure only as their result.
bool registerFileAssociation(const AssociationTarget& target);
bool unregisterFileAssociation();

// The texts of the two files (exposed for tests).
std::string mimePackageText();
std::string desktopEntryText(const AssociationTarget& target);

} // namespace platform
