// Making the list files from the interface model.
#include "script/list_generator.h"

#include "platform/text_encoding.h"
#include "script/decl_line.h"
#include "script/event_handlers.h"
#include "script/list_files.h"
#include "vcl/class_registry.h"

#include <algorithm>
#include <map>

namespace script {

using platform::equalsNoCase;
using platform::toUpperAscii;

const std::vector<std::string>& completionAncestorClasses()
{
    static const std::vector<std::string> names = {
        "TWinControl",     "TObject",
        "TStrings",        "TStringList",
        "TStream",         "TSpeedButton",
        "TShape",          "TScrollingWinControl",
        "TScrollBox",      "TScrollBar",
        "TResourceStream", "TPersistent",
        "TPaintBox",       "TPage",
        "TMemoryStream",   "THandleStream",
        "TGraphicsObject", "TGraphic",
        "TForm",           "TFont",
        "TFileStream",     "TEdit",
        "TDragObject",     "TCustomMemoryStream",
        "TCustomMemo",     "TCustomListBox",
        "TCustomLabel",    "TCustomEdit",
        "TCustomComboBox", "TControlScrollBar",
        "TControl",        "TComponent",
        "TComboBox",       "TCheckBox",
        "TCanvas",         "TButton",
        "TBrush",          "TBits",
        "TBitmap",         "TBitBtn",
        "TBevel",          "TTrackBar",
        "TPanel",
    };
    return names;
}

namespace {

// The engine's own routines that scripts call most, in the form completion and parameter hints show
// them (the engine declares them itself; generic ones such as Low, High or SizeOf are left out).
constexpr std::string_view kEngineRoutines[] = {
    "function Length(S: string): Integer;",
    "procedure SetLength(var S: string; NewLength: Integer);",
    "function Copy(S: string; Index, Count: Integer): string;",
    "function Pos(SubStr, S: string): Integer;",
    "procedure Delete(var S: string; Index, Count: Integer);",
    "procedure Insert(Source: string; var S: string; Index: Integer);",
    "function UpperCase(S: string): string;",
    "function LowerCase(S: string): string;",
    "function AnsiUpperCase(S: string): string;",
    "function AnsiLowerCase(S: string): string;",
    "function Trim(S: string): string;",
    "function TrimLeft(S: string): string;",
    "function TrimRight(S: string): string;",
    "function StringOfChar(Ch: Char; Count: Integer): string;",
    "function CompareStr(S1, S2: string): Integer;",
    "function CompareText(S1, S2: string): Integer;",
    "function IntToStr(Value: Int64): string;",
    "function StrToInt(S: string): Integer;",
    "function StrToIntDef(S: string; Default: Integer): Integer;",
    "function StrToInt64(S: string): Int64;",
    "function StrToFloat(S: string): Extended;",
    "function FloatToStr(Value: Extended): string;",
    "function Chr(X: Integer): Char;",
    "function Ord(X: Char): Integer;",
    "procedure Inc(var X: Integer);",
    "procedure Dec(var X: Integer);",
    "function Abs(X: Extended): Extended;",
    "function Sqr(X: Extended): Extended;",
    "function Sqrt(X: Extended): Extended;",
    "function Sin(X: Extended): Extended;",
    "function Cos(X: Extended): Extended;",
    "function ArcTan(X: Extended): Extended;",
    "function Exp(X: Extended): Extended;",
    "function Ln(X: Extended): Extended;",
    "function Round(X: Extended): Int64;",
    "function Trunc(X: Extended): Int64;",
    "function Int(X: Extended): Extended;",
    "function Frac(X: Extended): Extended;",
    "function Pi: Extended;",
    "procedure Randomize;",
    "function VarIsEmpty(V: Variant): Boolean;",
    "function VarIsNull(V: Variant): Boolean;",
    "procedure RaiseException(Msg: string);",
    "function GetExceptionMessage: string;",
};

// The routines completion offers: the engine's, then those of the interface (a later one of the same
// name wins).
std::vector<Signature> completionRoutines(const InterfaceModel& model)
{
    std::vector<Signature> out;
    std::map<std::string, std::size_t> index;
    auto add = [&](std::string_view line) {
        auto sig = parseSignature(line);
        if (!sig)
            return;
        auto [it, fresh] = index.emplace(toUpperAscii(sig->name), out.size());
        if (fresh)
            out.push_back(std::move(*sig));
        else
            out[it->second] = std::move(*sig);
    };
    for (auto line : kEngineRoutines)
        add(line);
    for (const auto& r : model.routines())
        add(r.line);
    return out;
}

bool isAncestorList(std::string_view cls)
{
    for (const auto& n : completionAncestorClasses())
        if (equalsNoCase(n, cls))
            return true;
    return false;
}

std::string trimSemicolon(std::string s)
{
    while (!s.empty() && (s.back() == ';' || s.back() == ' '))
        s.pop_back();
    return s;
}

// The signature of a procedural type, or nothing for any other type.
std::optional<Signature> eventSignature(const TypeEntry& type)
{
    return parseSignature(type.text);
}

std::string routineRemainder(const Signature& sig)
{
    std::string out = sig.paramText();
    if (!sig.result.empty())
        out += ": " + sig.result;
    return out + ";";
}

void sortByName(std::vector<CompletionRecord>& records)
{
    std::stable_sort(records.begin(), records.end(),
                     [](const CompletionRecord& a, const CompletionRecord& b) {
                         return toUpperAscii(a.name) < toUpperAscii(b.name);
                     });
}

std::vector<std::string> elEvents(const InterfaceModel& model)
{
    std::vector<std::string> lines;
    for (const auto& t : model.types()) {
        const auto sig = eventSignature(t);
        if (!sig || !sig->name.empty())
            continue;
        lines.push_back(eventTypeKey(t.name));
        lines.push_back(sig->keyword + " %PROCNAME%" + routineRemainder(*sig));
    }
    return lines;
}

// Counts of the spellings of one name, first seen first.
using Tally = std::vector<std::pair<std::string, int>>;

void count(Tally& tally, const std::string& spelling, bool exact)
{
    auto it = std::find_if(tally.begin(), tally.end(), [&](const auto& e) {
        return exact ? e.first == spelling : equalsNoCase(e.first, spelling);
    });
    if (it == tally.end())
        tally.emplace_back(spelling, 1);
    else
        ++it->second;
}

const std::string& mostCommon(const Tally& tally)
{
    return std::max_element(tally.begin(), tally.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

std::vector<std::string> eventsByNames(const InterfaceModel& model, std::vector<PublishedEvent> events)
{
    if (events.empty()) {
        for (const auto& c : model.classes())
            for (const auto& p : c.properties) {
                const TypeEntry* t = model.findType(p.typeName());
                if (t && !p.indexed() && eventSignature(*t))
                    events.push_back({p.name, t->name});
            }
    }
    struct Event {
        Tally spellings; // of the event's name
        Tally types;     // of its type
    };
    std::vector<Event> order;
    std::map<std::string, std::size_t> index;
    for (const auto& e : events) {
        auto [it, fresh] = index.emplace(toUpperAscii(e.name), order.size());
        if (fresh)
            order.emplace_back();
        count(order[it->second].spellings, e.name, true);
        count(order[it->second].types, e.typeName, false);
    }
    auto hasTemplate = [&](const std::string& type) {
        const TypeEntry* t = model.findType(type);
        return t && eventSignature(*t);
    };
    std::vector<std::string> lines;
    for (const auto& e : order) {
        Tally preferred;
        for (const auto& t : e.types)
            if (hasTemplate(t.first))
                preferred.push_back(t);
        lines.push_back(mostCommon(e.spellings));
        lines.push_back(mostCommon(preferred.empty() ? e.types : preferred));
    }
    return lines;
}

std::vector<std::string> funcs(const InterfaceModel& model)
{
    std::vector<CompletionRecord> records;
    for (const auto& sig : completionRoutines(model))
        records.push_back({sig.keyword, sig.name, routineRemainder(sig)});
    for (const auto& t : model.types())
        records.push_back({"type", t.name, " = " + trimSemicolon(t.text) + ";"});
    for (const auto& c : model.constants())
        records.push_back({"constant", c.name, ": " + c.typeName + " = " + c.valueText + ";"});
    records.push_back({"var", "Self", " : TForm;"});
    records.push_back({"var", "Application", " : TApplication;"});
    records.push_back({"var", "InternalPlayList", " : TInternalPlayList;"});
    for (const auto& [name, cls] : model.variables())
        records.push_back({"var", name, " : " + cls + ";"});
    sortByName(records);
    return completionRecordLines(records);
}

void addMembers(const ClassEntry& c, std::vector<CompletionRecord>& records, std::vector<std::string>& seen)
{
    auto fresh = [&](const std::string& name) {
        for (const auto& s : seen)
            if (equalsNoCase(s, name))
                return false;
        seen.push_back(name);
        return true;
    };
    for (const auto& m : c.methods)
        if (const auto sig = parseSignature(m); sig && fresh(sig->name))
            records.push_back({sig->keyword, sig->name, routineRemainder(*sig)});
    for (const auto& p : c.properties)
        if (fresh(p.name))
            records.push_back({"property", p.name, propertyRemainder(p)});
}

std::vector<std::string> classList(const InterfaceModel& model, const ClassEntry& cls)
{
    std::vector<CompletionRecord> records;
    std::vector<std::string> seen;
    addMembers(cls, records, seen);
    // Ancestors without a list of their own in completion are folded in, nearest first.
    const ClassEntry* a = cls.parent.empty() ? nullptr : model.findClass(cls.parent);
    for (std::size_t steps = 0; a && steps <= model.classes().size(); ++steps) {
        if (!isAncestorList(a->name))
            addMembers(*a, records, seen);
        a = a->parent.empty() ? nullptr : model.findClass(a->parent);
    }
    sortByName(records);
    return completionRecordLines(records);
}

std::vector<std::string> paramCompletion(const InterfaceModel& model)
{
    std::vector<std::string> lines;
    for (const auto& sig : completionRoutines(model)) {
        if (sig.params.empty())
            continue;
        lines.push_back(sig.name);
        lines.push_back(toCommaText(sig.paramItems()));
    }
    return lines;
}

std::vector<std::string> repMaj(const InterfaceModel& model)
{
    std::vector<std::string> lines;
    for (const auto& c : model.classes())
        lines.push_back(c.name);
    for (const auto& t : model.types())
        lines.push_back(t.name);
    return lines;
}

} // namespace

std::string propertyRemainder(const PropertyEntry& p)
{
    std::vector<std::string> w;
    std::size_t i = 0;
    const std::string& t = p.typeText;
    while (i < t.size()) {
        while (i < t.size() && t[i] == ' ')
            ++i;
        std::size_t j = i;
        while (j < t.size() && t[j] != ' ')
            ++j;
        if (j > i)
            w.push_back(t.substr(i, j - i));
        i = j;
    }
    std::string out;
    if (w.size() > 1) {
        out = "[";
        for (std::size_t k = 1; k < w.size(); ++k)
            out += (k > 1 ? ", " : "") + w[k];
        out += "]";
    }
    out += ": " + (w.empty() ? std::string() : w.front());
    if (p.access == Access::ReadOnly)
        out += " (read-only)";
    else if (p.access == Access::WriteOnly)
        out += " (write-only)";
    return out;
}

std::vector<PublishedEvent> formClassEvents()
{
    std::vector<PublishedEvent> events;
    for (const vcl::ClassInfo* cls : vcl::classes().streamingClasses())
        for (const vcl::PropInfo* e : cls->events())
            events.push_back({e->name, e->type->name});
    return events;
}

std::vector<GeneratedList> generateStudioLists()
{
    return generateDataLists(InterfaceModel::system(), formClassEvents());
}

std::vector<GeneratedList> generateDataLists(const InterfaceModel& model,
                                             const std::vector<PublishedEvent>& events)
{
    std::vector<GeneratedList> lists;
    lists.push_back({"ELEvents.lst", elEvents(model)});
    lists.push_back({"EventsByNames.lst", eventsByNames(model, events)});
    lists.push_back({"funcs.lst", funcs(model)});
    lists.push_back({"ParamCompletion.lst", paramCompletion(model)});
    lists.push_back({"RepMaj.lst", repMaj(model)});
    for (const auto& c : model.classes())
        lists.push_back({"code/" + c.name + ".lst", classList(model, c)});
    return lists;
}

} // namespace script
