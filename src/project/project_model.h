// The one open project as a document: what a project file stores, plus its name and state.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace project {

// A code editor bookmark: column and line, or -1, -1 when it is not set.
struct Bookmark {
    int32_t x = -1;
    int32_t y = -1;
    bool isSet() const { return x != -1 && y != -1; }
    bool operator==(const Bookmark&) const = default;
};

constexpr int kBookmarkCount = 10;
using Bookmarks = std::array<Bookmark, kBookmarkCount>;

struct Project {
    std::filesystem::path fileName; // ProjectFileName: empty for an untitled project
    bool modified = false;          // Modified
    std::string password;           // ProjectPassword: empty for none
    // DesignForm as its binary form stream: "TPF0" and the record of the root form. A loaded
    // project's stream has been read as a form once (vcl::readFormStream), so building the designer's
    // component tree from it cannot fail.
    std::string formStream;
    std::vector<std::string> lines; // code editor lines, UTF-8
    Bookmarks bookmarks;
    std::filesystem::path embeddedDir; // EmbeddedDir
};

} // namespace project
