// The catalogue of the studio's stored settings: every section and value under
// HKEY_CURRENT_USER\SOFTWARE\Orvane\Lumeni Zarerud with its type and default, in one place. The
// windows read and write their settings only through these names, so that stored settings keep
// working between versions.
//
// A default marked "current" is the window's own current value (a splitter position, a toolbar
// place): those settings are read with read(current). Everything goes through ReadRegValue and
// WriteRegValue, so reads never fail and a value stored with another type yields the default.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class SettingType { Integer, Bool, String };

// One row of the catalogue.
struct SettingInfo {
    std::string_view section;
    std::string_view name;
    SettingType type;
    std::string defaultText; // "true"/"false", a number, or the text
    bool defaultIsCurrent;        // the default is the window's current value
};

namespace settings {

struct Int {
    std::string_view section, name;
    int def = 0;
    bool defaultIsCurrent = false;
    int read() const;
    int read(int current) const;
    void write(int value) const;
};

struct Bool {
    std::string_view section, name;
    bool def = false;
    bool defaultIsCurrent = false;
    bool read() const;
    bool read(bool current) const;
    void write(bool value) const;
};

struct Text {
    std::string_view section, name;
    std::string_view def;
    bool defaultIsCurrent = false;
    std::string read() const;
    std::string read(std::string_view current) const;
    void write(std::string_view value) const;
};

constexpr bool kCurrent = true;

namespace general {
constexpr std::string_view S = "General";
inline constexpr Text InstallDir{S, "InstallDir", ""};
inline constexpr Text Language{S, "Language", "English"};
inline constexpr Bool LangWarn{S, "LangWarn", true};
inline constexpr Text Skin{S, "Skin", "OfficeXP"};
inline constexpr Int Inspector1Splitter{S, "Inspector1 Splitter", 0, kCurrent};
inline constexpr Int Inspector2Splitter{S, "Inspector2 Splitter", 0, kCurrent};
inline constexpr Bool ShowGrid{S, "Show Grid", true};
inline constexpr Bool SnapToGrid{S, "Snap To Grid", true};
inline constexpr Int GridX{S, "Grid.X", 8};
inline constexpr Int GridY{S, "Grid.Y", 8};
inline constexpr Bool ShouldDrawImages{S, "ShouldDrawImages", true};
inline constexpr Bool ShouldDrawSeparator{S, "ShouldDrawSeparator", true};
inline constexpr Bool ShowTips{S, "ShowTips", true};
inline constexpr Bool ShowWelcome{S, "ShowWelcome", true};
inline constexpr Int TipNo{S, "TipNo", 0};
inline constexpr Bool FirstTime{S, "FirstTime", false};
inline constexpr Int EmbeddedCompression{S, "EmbeddedCompression", 1};
inline constexpr Text ConstantsList{S, "ConstantsList", "", kCurrent};
inline constexpr Text LastConstant{S, "LastConstant", "", kCurrent};
inline constexpr Text ExportPath{S, "ExportPath", "", kCurrent}; // the export dialog's own default
inline constexpr Bool GenerateAutorunInf{S, "GenerateAutorunInf", true};
inline constexpr Bool SingleExe{S, "SingleExe", true};
inline constexpr Bool UpxIt{S, "UPX It !", true};
inline constexpr Bool IncludeFlash{S, "IncludeFlash", false}; // written only
inline constexpr Text FlashPlayerInstallerCmdLine{S, "FlashPlayerInstallerCMDLINE",
                                                  "CAB:%PLDIR%\\bin\\swflash.cab"};
} // namespace general

// The main window; written at close with State first, then the normal-state bounds.
namespace position {
constexpr std::string_view S = "Position";
inline constexpr Int Left{S, "Left", 0, kCurrent};
inline constexpr Int Top{S, "Top", 0, kCurrent};
inline constexpr Int Width{S, "Width", 0, kCurrent};
inline constexpr Int Height{S, "Height", 0, kCurrent};
inline constexpr Int State{S, "State", 0, kCurrent}; // 0 normal, 1 minimised, 2 maximised
} // namespace position

namespace search {
constexpr std::string_view S = "Search Settings";
inline constexpr Bool Regex{S, "gbSearchRegex", false};
inline constexpr Bool WholeWords{S, "gbSearchWholeWords", false};
inline constexpr Bool TextAtCaret{S, "gbSearchTextAtCaret", false};
inline constexpr Bool SelectionOnly{S, "gbSearchSelectionOnly", false};
inline constexpr Bool FromCaret{S, "gbSearchFromCaret", false};
inline constexpr Bool CaseSensitive{S, "gbSearchCaseSensitive", false};
inline constexpr Bool Backwards{S, "gbSearchBackwards", false};
inline constexpr Text SearchText{S, "gsSearchText", ""};
inline constexpr Text SearchTextHistory{S, "gsSearchTextHistory", ""};
inline constexpr Text ReplaceText{S, "gsReplaceText", ""};
inline constexpr Text ReplaceTextHistory{S, "gsReplaceTextHistory", ""};
inline constexpr Int CompletionLines{S, "NbLinesInWindow", 0, kCurrent};
inline constexpr Int CompletionWidth{S, "Width", 0, kCurrent};
} // namespace search

namespace inspector {
constexpr std::string_view S = "Inspector";
inline constexpr Int ComponentRefColor{S, "ComponentRefColor", 0, kCurrent};
inline constexpr Int ComponentRefChildColor{S, "ComponentRefChildColor", 0, kCurrent};
inline constexpr Int ValuesColor{S, "ValuesColor", 0, kCurrent};
inline constexpr Int FontColor1{S, "Font.Color_1", 0, kCurrent};
inline constexpr Int FontColor2{S, "Font.Color_2", 0, kCurrent};
inline constexpr Bool ReadOnly{S, "ReadOnly", false};
inline constexpr Bool ExpandComponentRefs{S, "ExpandComponentRefs", false, kCurrent};
inline constexpr Bool SyncSplitters{S, "SyncSplliters", true}; // spelled so in stored settings
} // namespace inspector

// The re-open list: Count is the highest index stored (entries - 1), ITEM_0 the most recent.
namespace mru {
constexpr std::string_view S = "MRU";
inline constexpr Int Count{S, "Count", 9};
std::string itemName(int index); // "ITEM_<index>"
} // namespace mru

// The external tools, rewritten as a whole whenever they are edited.
namespace tools {
constexpr std::string_view S = "Tools";
inline constexpr std::string_view KeyWarning =
    "WARNING : This key (including subkeys) is deleted and recreated when LMB edits its tools. Do not "
    "store anything here.";
inline constexpr Int NR{S, "NR", 0};
} // namespace tools

// Every fixed value above, section by section in the order of the tables they come from.
std::span<const SettingInfo> catalogue();

// --- Toolbar and dockable panel layouts: section Toolbars\<component name> -----------------------

// The six toolbars and the three dockable panels of the main window.
std::span<const std::string_view> toolbarNames();
std::span<const std::string_view> panelNames();
std::string toolbarSection(std::string_view component); // "Toolbars\<component>"

struct DockLayout {
    bool visible = true;
    int left = 0, top = 0, height = 0, width = 0;
    int dockPos = 0, dockRow = 0;
    int floatingWidth = 0;
    bool floating = false;
    int dockedWidth = 0, dockedHeight = 0; // panels only
    int floatingX = 0, floatingY = 0;
    std::string currentDock, lastDock;
};

// Reads the layout in the order of the table, each value defaulting to `current`'s.
DockLayout readDockLayout(std::string_view component, bool isPanel, const DockLayout& current);
void writeDockLayout(std::string_view component, bool isPanel, const DockLayout& layout);

// --- External tools ---------------------------------------------------------------------------

struct ToolEntry {
    std::string command;  // value <n>; "SEPARATOR" for a separator
    std::string name;     // NAME_<n>
    std::string shortcut; // SHORT_<n>, as menu shortcut text
    bool isSeparator() const;
};

// Entries 1 to NR in order.
std::vector<ToolEntry> readTools();
// Deletes the key with its subkeys and writes it again: the warning, NR and the numbered entries.
void writeTools(const std::vector<ToolEntry>& entries);

// --- The re-open list -------------------------------------------------------------------------

class RecentFiles {
public:
    static constexpr std::size_t maxEntries = 15;

    // Restores the list from section MRU: Count lowered to 14, entries path-macro expanded, files
    // that no longer exist dropped, duplicates (without regard to case) dropped, stored order kept.
    void load();
    // Writes ITEM_0 … in list order and Count = entries - 1 (an empty list writes -1).
    void save() const;

    // Expands path macros; when no entry equals the path (without regard to case), inserts it at
    // the top, dropping the last entry beyond 15. Returns whether it was inserted.
    bool AddRecentFile(std::string_view path);

    const std::vector<std::string>& items() const { return m_items; }
    // Takes a list as it is (already expanded), keeping at most 15 entries.
    void setItems(std::vector<std::string> items);
    void clear() { m_items.clear(); }

private:
    bool contains(std::string_view path) const;
    std::vector<std::string> m_items;
};

} // namespace settings
} // namespace platform
