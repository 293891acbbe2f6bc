// The component palette as data: the classes that can be inserted, in the order a palette entry is
// resolved, their kind and category, and the entry lists of the category commands.
#pragma once

#include "vcl/type_info.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vcl {

enum class PaletteKind : char {
    Stock = 'V',       // a control of the platform's class library
    Pack = 'P',        // a component of a published component pack
    Studio = 'S',      // one of the studio's own components
    Placeholder = 'D', // a design-time stand-in under the real class name
};

struct PaletteEntry {
    std::string_view className;
    PaletteKind kind;
    std::string_view category; // "Standard", "Additional", "Win32", "Extra", "ActiveX"
};

// The 37 insertable classes, in the order palette texts are resolved.
std::span<const PaletteEntry> insertableClasses();

// The palette text of "no insertion", always entry 0 of a list.
constexpr std::string_view kPaletteSelector = "Selector";

struct PaletteCategory {
    std::string_view command;              // "All Controls", "Standard", ...
    std::vector<std::string_view> entries; // after "Selector", as the palette shows them
};

// The six category commands in menu order, "All Controls" first (the list at start-up).
std::span<const PaletteCategory> paletteCategories();
// A category's list as the palette holds it: "Selector" and the entries, CR LF between them. Empty for
// an unknown category.
std::string paletteList(std::string_view command);

// The class a palette text inserts: compared without regard to case with the insertable classes in
// their order ("TNoteBook" gives TNotebook); nullptr for "Selector" and texts that match nothing.
const ClassInfo* insertableClassFor(std::string_view paletteText);

} // namespace vcl
