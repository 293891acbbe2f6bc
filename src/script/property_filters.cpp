// The filter rules of the inspectors. Each later rule overrides the earlier ones.
#include "script/property_filters.h"

#include "platform/text_encoding.h"

#include <algorithm>
#include <initializer_list>

namespace script {

namespace {

bool oneOf(std::string_view name, std::initializer_list<std::string_view> names)
{
    for (auto n : names)
        if (platform::equalsNoCase(n, name))
            return true;
    return false;
}

} // namespace

bool eventsPageShows(const ClassTest& is, std::string_view p)
{
    bool show = !oneOf(
        p, {"OnConstrainedResize", "OnCanResize",     "OnStartDock",      "OnUnDock",       "OnShortcut",
            "OnGetSiteInfo",       "OnDockOver",      "OnDockDrop",       "OnContextPopup", "OnData",
            "OnDataFind",          "OnDataObject",    "OnCustom",         "OnCustomDraw",   "OnClose",
            "OnEndDock",           "OnDragDrop",      "OnDragOver",       "OnShow",         "OnStartDrag",
            "OnEndDrag",           "OnAfterNewFrame", "OnBeforeNewFrame", "OnProgress",     "OnCloseUp"});
    if (is("TTimer"))
        show = oneOf(p, {"Name", "Interval", "Enabled", "Tag", "OnTimer"});
    if (is("TMSAgent"))
        show = oneOf(p, {"Name", "Tag"});
    if (is("TShockwaveFlash") && oneOf(p, {"OnProgress"}))
        show = true;
    if (is("TImgBtn") && oneOf(p, {"OnMouseDown", "OnMouseEnter", "OnMouseLeave", "OnMouseUp"}))
        show = false;
    if (is("THotKey") && oneOf(p, {"OnEnter", "OnExit"}))
        show = false;
    if (is("TProgressBar") && oneOf(p, {"OnMouseDown", "OnMouseMove", "OnMouseUp", "OnEnter", "OnExit"}))
        show = false;
    if (is("TPicShow") && oneOf(p, {"OnKeyDown", "OnKeyPress", "OnKeyUp", "OnEnter", "OnExit", "OnStart"}))
        show = false;
    return show;
}

bool propertiesPageShows(const ClassTest& is, std::string_view p)
{
    if (is("TTimer"))
        return oneOf(p, {"Name", "Interval", "Enabled", "Tag"});
    if (is("TMSAgent"))
        return oneOf(p, {"Name", "Tag"});
    return true;
}

void sortInspectorOrder(std::vector<std::string>& names)
{
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return platform::toUpperAscii(a) < platform::toUpperAscii(b);
    });
}

} // namespace script
