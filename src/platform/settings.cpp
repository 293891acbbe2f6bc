// The settings catalogue, the toolbar layouts, the tools key and the re-open list; see settings.h.
#include "platform/settings.h"

#include "platform/path_macros.h"
#include "platform/reg_values.h"
#include "platform/registry.h"
#include "platform/text_encoding.h"

#include <algorithm>
#include <filesystem>

namespace platform::settings {
namespace {

SettingInfo info(const Int& s)
{
    return {s.section, s.name, SettingType::Integer, std::to_string(s.def), s.defaultIsCurrent};
}
SettingInfo info(const Bool& s)
{
    return {s.section, s.name, SettingType::Bool, s.def ? "true" : "false", s.defaultIsCurrent};
}
SettingInfo info(const Text& s)
{
    return {s.section, s.name, SettingType::String, std::string(s.def), s.defaultIsCurrent};
}

std::vector<SettingInfo> buildCatalogue()
{
    using namespace general;
    std::vector<SettingInfo> v = {
        info(InstallDir), info(Language), info(LangWarn), info(Skin), info(Inspector1Splitter),
        info(Inspector2Splitter), info(ShowGrid), info(SnapToGrid), info(GridX), info(GridY),
        info(ShouldDrawImages), info(ShouldDrawSeparator), info(ShowTips), info(ShowWelcome), info(TipNo),
        info(FirstTime), info(EmbeddedCompression), info(ConstantsList), info(LastConstant), info(ExportPath),
        info(GenerateAutorunInf), info(SingleExe), info(UpxIt), info(IncludeFlash),
        info(FlashPlayerInstallerCmdLine),
        info(position::Left), info(position::Top), info(position::Width), info(position::Height),
        info(position::State),
        info(search::Regex), info(search::WholeWords), info(search::TextAtCaret), info(search::SelectionOnly),
        info(search::FromCaret), info(search::CaseSensitive), info(search::Backwards), info(search::SearchText),
        info(search::SearchTextHistory), info(search::ReplaceText), info(search::ReplaceTextHistory),
        info(search::CompletionLines), info(search::CompletionWidth),
        info(mru::Count),
        info(inspector::ComponentRefColor), info(inspector::ComponentRefChildColor),
        info(inspector::ValuesColor), info(inspector::FontColor1), info(inspector::FontColor2),
        info(inspector::ReadOnly), info(inspector::ExpandComponentRefs), info(inspector::SyncSplitters),
        info(tools::NR),
    };
    return v;
}

} // namespace

int Int::read() const { return ReadRegValue(section, name, def); }
int Int::read(int current) const { return ReadRegValue(section, name, current); }
void Int::write(int value) const { WriteRegValue(section, name, value); }

bool Bool::read() const { return ReadRegValue(section, name, def); }
bool Bool::read(bool current) const { return ReadRegValue(section, name, current); }
void Bool::write(bool value) const { WriteRegValue(section, name, value); }

std::string Text::read() const { return ReadRegValue(section, name, def); }
std::string Text::read(std::string_view current) const { return ReadRegValue(section, name, current); }
void Text::write(std::string_view value) const { WriteRegValue(section, name, value); }

std::string mru::itemName(int index) { return "ITEM_" + std::to_string(index); }

std::span<const SettingInfo> catalogue()
{
    static const std::vector<SettingInfo> c = buildCatalogue();
    return c;
}

// --- Toolbars ------------------------------------------------------------------------------------

std::span<const std::string_view> toolbarNames()
{
    static constexpr std::string_view names[] = {"TBXToolbar1", "TBXToolbar2", "TBXToolbar3",
                                                 "TBXToolbar4", "TBXToolbar5", "TBXToolbar6"};
    return names;
}

std::span<const std::string_view> panelNames()
{
    static constexpr std::string_view names[] = {"pnlControls", "pnlInspector", "TBXDockablePanel1"};
    return names;
}

std::string toolbarSection(std::string_view component) { return "Toolbars\\" + std::string(component); }

DockLayout readDockLayout(std::string_view component, bool isPanel, const DockLayout& current)
{
    const std::string s = toolbarSection(component);
    DockLayout l = current;
    l.visible = ReadRegValue(s, "Visible", current.visible);
    l.left = ReadRegValue(s, "Left", current.left);
    l.top = ReadRegValue(s, "Top", current.top);
    l.height = ReadRegValue(s, "Height", current.height);
    l.width = ReadRegValue(s, "Width", current.width);
    l.dockPos = ReadRegValue(s, "DockPos", current.dockPos);
    l.dockRow = ReadRegValue(s, "DockRow", current.dockRow);
    l.floatingWidth = ReadRegValue(s, "FloatingWidth", current.floatingWidth);
    l.floating = ReadRegValue(s, "Floating", current.floating);
    if (isPanel) {
        l.dockedWidth = ReadRegValue(s, "DockedWidth", current.dockedWidth);
        l.dockedHeight = ReadRegValue(s, "DockedHeight", current.dockedHeight);
    }
    l.floatingX = ReadRegValue(s, "FloatingPosition.X", current.floatingX);
    l.floatingY = ReadRegValue(s, "FloatingPosition.Y", current.floatingY);
    l.currentDock = ReadRegValue(s, "CurrentDock", std::string_view(current.currentDock));
    l.lastDock = ReadRegValue(s, "LastDock", std::string_view(current.lastDock));
    return l;
}

void writeDockLayout(std::string_view component, bool isPanel, const DockLayout& l)
{
    const std::string s = toolbarSection(component);
    WriteRegValue(s, "Visible", l.visible);
    WriteRegValue(s, "Left", l.left);
    WriteRegValue(s, "Top", l.top);
    WriteRegValue(s, "Height", l.height);
    WriteRegValue(s, "Width", l.width);
    WriteRegValue(s, "DockPos", l.dockPos);
    WriteRegValue(s, "DockRow", l.dockRow);
    WriteRegValue(s, "FloatingWidth", l.floatingWidth);
    WriteRegValue(s, "Floating", l.floating);
    if (isPanel) {
        WriteRegValue(s, "DockedWidth", l.dockedWidth);
        WriteRegValue(s, "DockedHeight", l.dockedHeight);
    }
    WriteRegValue(s, "FloatingPosition.X", l.floatingX);
    WriteRegValue(s, "FloatingPosition.Y", l.floatingY);
    WriteRegValue(s, "CurrentDock", std::string_view(l.currentDock));
    WriteRegValue(s, "LastDock", std::string_view(l.lastDock));
}

// --- Tools ---------------------------------------------------------------------------------------

bool ToolEntry::isSeparator() const { return equalsNoCase(command, "SEPARATOR"); }

std::vector<ToolEntry> readTools()
{
    std::vector<ToolEntry> out;
    const int n = tools::NR.read();
    // The count comes from a file: a huge or negative NR reads only as many entries as exist.
    for (int i = 1; i <= n && i <= 10000; ++i) {
        const std::string num = std::to_string(i);
        ToolEntry e;
        e.command = ReadRegValue(tools::S, num, "");
        e.name = ReadRegValue(tools::S, "Name_" + num, "");
        e.shortcut = ReadRegValue(tools::S, "Short_" + num, "");
        out.push_back(std::move(e));
    }
    return out;
}

void writeTools(const std::vector<ToolEntry>& entries)
{
    Registry& reg = *Registry::currentUser();
    const std::string key = studioKey(tools::S);
    reg.deleteKey(key);
    writeRegKeyValue(reg, key, "", tools::KeyWarning);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string num = std::to_string(i + 1);
        writeRegKeyValue(reg, key, num, std::string_view(entries[i].command));
        writeRegKeyValue(reg, key, "NAME_" + num, std::string_view(entries[i].name));
        writeRegKeyValue(reg, key, "SHORT_" + num, std::string_view(entries[i].shortcut));
    }
    writeRegKeyValue(reg, key, "NR", static_cast<int>(entries.size()));
}

// --- Re-open list --------------------------------------------------------------------------------

bool RecentFiles::contains(std::string_view path) const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [&](const std::string& e) { return equalsNoCase(e, path); });
}

void RecentFiles::load()
{
    m_items.clear();
    int count = mru::Count.read();
    if (count >= static_cast<int>(maxEntries))
        count = static_cast<int>(maxEntries) - 1;
    for (int i = count; i >= 0; --i) {
        const std::string stored = ReadRegValue(mru::S, mru::itemName(i), "");
        if (stored.empty())
            continue;
        const std::string path = ExpandPathMacros(stored);
        std::error_code ec;
        if (!std::filesystem::exists(path, ec) || contains(path))
            continue;
        m_items.insert(m_items.begin(), path);
    }
}

void RecentFiles::save() const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        WriteRegValue(mru::S, mru::itemName(static_cast<int>(i)), std::string_view(m_items[i]));
    mru::Count.write(static_cast<int>(m_items.size()) - 1);
}

void RecentFiles::setItems(std::vector<std::string> items)
{
    m_items = std::move(items);
    if (m_items.size() > maxEntries)
        m_items.resize(maxEntries);
}

bool RecentFiles::AddRecentFile(std::string_view path)
{
    const std::string expanded = ExpandPathMacros(path);
    if (contains(expanded))
        return false;
    m_items.insert(m_items.begin(), expanded);
    if (m_items.size() > maxEntries)
        m_items.resize(maxEntries);
    return true;
}

} // namespace platform::settings
