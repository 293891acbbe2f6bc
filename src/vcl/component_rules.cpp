// Class behaviour that ties properties together. The properties concerned are found once in the
// built-in registry and compared by identity, so the common case (a property without a rule) costs a
// few pointer comparisons.
#include "vcl/component_rules.h"

#include "platform/errors.h"
#include "platform/path_macros.h"
#include "platform/text_encoding.h"
#include "vcl/class_registry.h"

#include <cmath>
#include <filesystem>

namespace vcl::rules {

namespace {

struct Known {
    const PropInfo* name = nullptr;
    const PropInfo* tabOrder = nullptr;
    const PropInfo* clientWidth = nullptr;
    const PropInfo* clientHeight = nullptr;
    const PropInfo* width = nullptr;
    const PropInfo* height = nullptr;
    const PropInfo* fontSize = nullptr;
    const PropInfo* fontHeight = nullptr;
    const PropInfo* pages = nullptr;
    const PropInfo* activePage = nullptr;
    const PropInfo* pageIndex = nullptr;
    const PropInfo* checked = nullptr;
    const PropInfo* state = nullptr;
    const PropInfo* tabStop = nullptr;
    const ClassInfo* customForm = nullptr;
    const ClassInfo* checkBox = nullptr;
    const ClassInfo* radioButton = nullptr;
    const ClassInfo* notebook = nullptr;
    const ClassInfo* page = nullptr;
    const ClassInfo* font = nullptr;
    const PropInfo* availableAgents = nullptr;
    const ClassInfo* bitBtn = nullptr;
    const PropInfo* kind = nullptr;
};

const Known& known()
{
    static const Known k = [] {
        const ClassRegistry& r = classes();
        Known k;
        auto root = [&](const char* cls, const char* prop) {
            return r.classNamed(cls).findProperty(prop)->root;
        };
        k.name = root("TComponent", "Name");
        k.tabOrder = root("TWinControl", "TabOrder");
        k.clientWidth = root("TControl", "ClientWidth");
        k.clientHeight = root("TControl", "ClientHeight");
        k.width = root("TControl", "Width");
        k.height = root("TControl", "Height");
        k.fontSize = root("TFont", "Size");
        k.fontHeight = root("TFont", "Height");
        k.pages = root("TNotebook", "Pages");
        k.activePage = root("TNotebook", "ActivePage");
        k.pageIndex = root("TNotebook", "PageIndex");
        k.checked = root("TButtonControl", "Checked");
        k.state = root("TCheckBox", "State");
        k.tabStop = root("TWinControl", "TabStop");
        k.customForm = &r.classNamed("TCustomForm");
        k.checkBox = &r.classNamed("TCheckBox");
        k.radioButton = &r.classNamed("TRadioButton");
        k.notebook = &r.classNamed("TNotebook");
        k.page = &r.classNamed("TPage");
        k.font = &r.classNamed("TFont");
        k.availableAgents = root("TMSAgent", "AvailableAgents");
        k.bitBtn = &r.classNamed("TBitBtn");
        k.kind = root("TBitBtn", "Kind");
        return k;
    }();
    return k;
}

// Integer a * b / c rounded half away from zero, as the platform scales font sizes.
std::int64_t mulDiv(std::int64_t a, std::int64_t b, std::int64_t c)
{
    const double r = static_cast<double>(a) * static_cast<double>(b) / static_cast<double>(c);
    return static_cast<std::int64_t>(r < 0 ? r - 0.5 : r + 0.5);
}

constexpr std::int64_t kPixelsPerInch = 96;

std::vector<Component*> pagesOf(const Component& notebook)
{
    std::vector<Component*> out;
    for (Component* c : notebook.controls())
        if (c->classInfo().inheritsFrom(known().page))
            out.push_back(c);
    return out;
}

void setPages(Component& notebook, const Value& list)
{
    std::vector<Component*> pages = pagesOf(notebook);
    const std::size_t n = list.items.size();
    for (std::size_t i = 0; i < n; ++i) {
        Component* page = nullptr;
        if (i < pages.size()) {
            page = pages[i];
        } else {
            page = &notebook.adopt(Component::create(*known().page));
            page->setParent(&notebook);
        }
        page->setText("Caption", list.items[i].text);
    }
    for (std::size_t i = n; i < pages.size(); ++i)
        Component::destroy(*pages[i]);
    if (notebook.integer("PageIndex") >= static_cast<std::int64_t>(n))
        notebook.setInteger("PageIndex", n == 0 ? 0 : static_cast<std::int64_t>(n) - 1);
}

// What a kind of bitmap button sets: its caption and modal result, in TBitBtnKind order.
struct BitBtnKind {
    const char* name;
    const char* caption;
    int modalResult;
};
constexpr BitBtnKind kBitBtnKinds[] = {
    {"bkCustom", "", 0},      {"bkOK", "OK", 1},          {"bkCancel", "Cancel", 2}, {"bkHelp", "&Help", 0},
    {"bkYes", "&Yes", 6},     {"bkNo", "&No", 7},         {"bkClose", "&Close", 0},  {"bkAbort", "Abort", 3},
    {"bkRetry", "&Retry", 4}, {"bkIgnore", "&Ignore", 5}, {"bkAll", "&All", 8},
};

const BitBtnKind& bitBtnKind(const std::string& name)
{
    for (const auto& k : kBitBtnKinds)
        if (name == k.name)
            return k;
    return kBitBtnKinds[0];
}

// A new kind fills in what it stands for. While a stream is read, a caption that came with the stream
// stays: only a button without one takes the kind's.
void applyBitBtnKind(Component& c)
{
    const std::string kind = c.text("Kind");
    if (kind == "bkCustom")
        return;
    const BitBtnKind& k = bitBtnKind(kind);
    const ClassInfo& cls = c.classInfo();
    const bool loading = c.isLoading();
    c.storeValue(*cls.findProperty("Default"), Value::boolean(kind == "bkOK" || kind == "bkYes"));
    c.storeValue(*cls.findProperty("Cancel"), Value::boolean(kind == "bkCancel" || kind == "bkNo"));
    if (!loading || c.text("Caption").empty())
        c.storeValue(*cls.findProperty("Caption"), Value::string(k.caption));
    c.storeValue(*cls.findProperty("ModalResult"), Value::integerValue(k.modalResult));
    c.storeValue(*cls.findProperty("NumGlyphs"), Value::integerValue(2));
    if (!loading)
        for (const char* path : {"Default", "Cancel", "Caption", "ModalResult", "NumGlyphs"})
            c.notifyPropertyChanged(path);
}

// The agent character files of the system, one full path per line: "*.acs" in msagent/chars under
// the system folder, as the agent placeholder reports them.
std::string availableAgents()
{
    std::string out;
    std::error_code ec;
    const std::filesystem::path dir =
        std::filesystem::path(platform::ExpandPathMacros("%WIN%")) / "msagent" / "chars";
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string ext = platform::toLowerAscii(it->path().extension().string());
        if (ext != ".acs" || !it->is_regular_file(ec))
            continue;
        if (!out.empty())
            out += "\r\n";
        out += it->path().string();
    }
    return out;
}

} // namespace

void formFrame(const Component& form, int& width, int& height)
{
    const std::string style = form.text("BorderStyle");
    if (style == "bsNone") {
        width = height = 0;
    } else if (style == "bsToolWindow") {
        width = 6;
        height = 22;
    } else if (style == "bsSizeToolWin") {
        width = 8;
        height = 24;
    } else if (style == "bsSizeable") {
        width = 8;
        height = 27;
    } else {
        width = 6;
        height = 25;
    }
}

bool derivedValue(const Component& c, const Persistent& obj, const PropInfo& prop, Value& out)
{
    const Known& k = known();
    const PropInfo* r = prop.root;
    if (&obj == &c) {
        if (r == k.name) {
            out = Value::string(c.name());
            return true;
        }
        if (r == k.tabOrder) {
            const int i = c.tabIndex();
            out = Value::integerValue(i >= 0 ? i : c.m_pendingTabOrder);
            return true;
        }
        if (r == k.clientWidth || r == k.clientHeight) {
            int fw = 0, fh = 0;
            if (c.classInfo().inheritsFrom(k.customForm))
                formFrame(c, fw, fh);
            const bool w = r == k.clientWidth;
            const std::int64_t outer = obj.storedValue(w ? *k.width : *k.height).integer;
            out = Value::integerValue(std::max<std::int64_t>(0, outer - (w ? fw : fh)));
            return true;
        }
        if (r == k.availableAgents) {
            out = Value::string(availableAgents());
            return true;
        }
        if (r == k.pages) {
            out = Value::list({});
            for (Component* p : pagesOf(c))
                out.items.push_back(Value::string(p->text("Caption")));
            return true;
        }
        if (r == k.activePage) {
            const auto pages = pagesOf(c);
            const std::int64_t i = obj.storedValue(*k.pageIndex).integer;
            out = Value::string(i >= 0 && i < static_cast<std::int64_t>(pages.size())
                                    ? pages[static_cast<std::size_t>(i)]->text("Caption")
                                    : std::string());
            return true;
        }
        return false;
    }
    if (r == k.fontSize) {
        out = Value::integerValue(mulDiv(-obj.storedValue(*k.fontHeight).integer, 72, kPixelsPerInch));
        return true;
    }
    return false;
}

bool assignDerived(Component& c, Persistent& obj, const PropInfo& prop, const Value& v)
{
    const Known& k = known();
    const PropInfo* r = prop.root;
    if (&obj == &c) {
        if (r == k.name) {
            c.setName(v.text);
            return true;
        }
        if (c.classInfo().tile && (r == k.width || r == k.height))
            return true; // a tile keeps its 32 x 32
        if (r == k.tabOrder) {
            if (c.isLoading() || !c.parent())
                c.m_pendingTabOrder = static_cast<int>(v.integer);
            else
                c.setTabIndex(static_cast<int>(v.integer));
            return true;
        }
        if (r == k.clientWidth || r == k.clientHeight) {
            int fw = 0, fh = 0;
            if (c.classInfo().inheritsFrom(k.customForm))
                formFrame(c, fw, fh);
            const bool w = r == k.clientWidth;
            c.setPropertyValue(c, *c.classInfo().findProperty(w ? "Width" : "Height"),
                               Value::integerValue(v.integer + (w ? fw : fh)), w ? "Width" : "Height");
            return true;
        }
        if (r == k.pages) {
            setPages(c, v);
            return true;
        }
        if (r == k.activePage) {
            const auto pages = pagesOf(c);
            for (std::size_t i = 0; i < pages.size(); ++i) {
                if (platform::equalsNoCase(pages[i]->text("Caption"), v.text)) {
                    c.setInteger("PageIndex", static_cast<std::int64_t>(i));
                    return true;
                }
            }
            if (!c.isLoading())
                throw platform::Error("Page '" + v.text + "' not found");
            return true;
        }
        return false;
    }
    if (r == k.fontSize) {
        obj.storeValue(*k.fontHeight, Value::integerValue(-mulDiv(v.integer, kPixelsPerInch, 72)));
        return true;
    }
    return false;
}

void afterAssign(Component& c, Persistent& obj, const PropInfo& prop, const Value& previous)
{
    if (&obj != &c)
        return;
    const Known& k = known();
    const PropInfo* r = prop.root;
    const ClassInfo& cls = c.classInfo();
    if (cls.inheritsFrom(k.bitBtn) && r == k.kind && !(previous == c.storedValue(prop))) {
        applyBitBtnKind(c);
    } else if (cls.inheritsFrom(k.checkBox)) {
        if (r == k.checked)
            c.storeValue(*k.state, Value::ident(c.boolean("Checked") ? "cbChecked" : "cbUnchecked"));
        else if (r == k.state)
            c.storeValue(*k.checked, Value::boolean(c.text("State") == "cbChecked"));
    } else if (cls.inheritsFrom(k.radioButton) && r == k.checked && !(previous == c.storedValue(prop))) {
        const bool on = c.boolean("Checked");
        c.storeValue(*k.tabStop, Value::boolean(on));
        if (on && c.parent()) {
            // Only one radio button of a parent is checked.
            for (Component* sibling : c.parent()->controls()) {
                if (sibling != &c && sibling->classInfo().inheritsFrom(k.radioButton) &&
                    sibling->boolean("Checked")) {
                    sibling->storeValue(*k.checked, Value::boolean(false));
                    sibling->storeValue(*k.tabStop, Value::boolean(false));
                    if (!c.isLoading())
                        sibling->notifyPropertyChanged("Checked");
                }
            }
        }
    }
}

bool storedByRule(const Persistent& obj, const std::string& rule)
{
    const Component* c = obj.owningComponent();
    if (!c)
        return true;
    if (rule == "IsFormSizeStored" || rule == "IsClientSizeStored") {
        const bool formSize = c->boolean("AutoScroll") || c->integer("HorzScrollBar.Range") != 0 ||
                              c->integer("VertScrollBar.Range") != 0;
        return rule == "IsFormSizeStored" ? formSize : !formSize;
    }
    if (rule == "IsRangeStored")
        return !c->boolean("AutoScroll");
    if (rule == "IsCustom")
        return c->text("Kind") == "bkCustom";
    if (rule == "IsCustomCaption")
        return c->text("Caption") != bitBtnKind(c->text("Kind")).caption;
    throw platform::Error("Unknown stored rule " + rule);
}

} // namespace vcl::rules
