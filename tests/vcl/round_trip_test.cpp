// Every streamable class with a non-default value in every property it stores goes through the binary
// stream and the text notation and comes back with the same values and the same bytes.
#include "vcl/class_registry.h"
#include "vcl/form_stream.h"
#include "vcl/text_form.h"
#include "vcl_test_util.h"

#include <gtest/gtest.h>

using namespace vcl;

namespace {

bool skipped(const PropInfo& p)
{
    // Computed from other values; the component's Name is the record's own (stored False); a scroll
    // bar's Increment is not stored once Smooth is set, as it is here; a bitmap button's Kind other than
    // bkCustom stands for several values (tested on its own).
    static const char* const names[] = {"TabOrder",   "ClientWidth", "ClientHeight", "Pages",
                                        "ActivePage", "Increment",   "Kind"};
    for (const char* n : names)
        if (p.name == n)
            return true;
    return p.isEvent() || p.readOnly || p.writeOnly || p.stored == StoredRule::Never ||
           p.name.rfind("Parent", 0) == 0;
}

// A value of the property's type that differs from what a new instance has.
Value otherValue(const PropInfo& p, const Value& initial)
{
    const TypeInfo& t = *p.type;
    switch (t.kind) {
    case TypeKind::Integer:
    case TypeKind::Int64: {
        if (t.shortCut)
            return Value::integerValue(0x4053);
        if (!t.idents.empty()) {
            for (const auto& e : t.idents)
                if (e.value != initial.integer && e.value >= t.minValue && e.value <= t.maxValue &&
                    e.value != 0)
                    return Value::integerValue(e.value);
        }
        std::int64_t v = initial.integer == 7 ? 9 : 7;
        return Value::integerValue(std::clamp(v, t.minValue, t.maxValue) == initial.integer
                                       ? t.maxValue
                                       : std::clamp(v, t.minValue, t.maxValue));
    }
    case TypeKind::Char:
        return Value::string("x");
    case TypeKind::Boolean:
        return Value::boolean(initial.tag != ValueTag::True);
    case TypeKind::Enumeration:
        return Value::ident(initial.text == t.elements.back() ? t.elements.front() : t.elements.back());
    case TypeKind::Set:
        if (initial.elements.empty())
            return Value::set({t.elementType->elements.front(), t.elementType->elements.back()});
        return Value::set({});
    case TypeKind::String:
        return p.name == "Hint" ? Value::string(std::string(300, 'h')) : Value::string("Text \xC3\xA9 1");
    case TypeKind::Float:
        return p.type->floatKind == FloatKind::Currency ? Value::currency(25000) : Value::extended(2.5);
    case TypeKind::Class:
        switch (p.classRole()) {
        case ClassRole::Strings:
            return Value::list({Value::string("one"), Value::string("tw\xC3\xB6")});
        case ClassRole::Picture:
            return Value::binary(std::string("\x07TBitmap\x04\x00\x00\x00"
                                             "BM\x01\x02",
                                             16));
        case ClassRole::Graphic:
            return Value::binary(std::string("\x00\x01\x02\x03\xFF", 5));
        case ClassRole::Collection: {
            Value c;
            c.tag = ValueTag::Collection;
            c.collection.push_back(
                {std::nullopt,
                 {{"Command", Value::integerValue(5)}, {"ShortCut", Value::integerValue(0x4041)}}});
            c.collection.push_back({std::nullopt, {}});
            return c;
        }
        case ClassRole::Reference:
            return p.name == "FocusControl" || p.name == "ActiveControl" ? Value::ident("Edit1") : Value{};
        default:
            return Value{};
        }
    default:
        return Value{};
    }
}

// Sets every property of `obj` (a part of component `c`) that can be set to another value, noting paths.
void fill(Component& c, Persistent& obj, const std::string& prefix, std::vector<std::string>& paths)
{
    const ClassInfo& cls = obj.classInfo();
    for (const PropInfo* p : cls.properties) {
        if (skipped(*p))
            continue;
        if (cls.tile && (p->name == "Width" || p->name == "Height"))
            continue;
        const std::string path = prefix + p->name;
        if (p->type->kind == TypeKind::Class && p->classRole() == ClassRole::Object) {
            fill(c, &obj == &c ? c.ownObject(*p) : *obj.nested(*p), path + ".", paths);
            continue;
        }
        Value v = otherValue(*p, c.propertyValue(obj, *p));
        if (v.tag == ValueTag::Null)
            continue;
        if ((p->name == "Width" || p->name == "Height") && cls.inheritsFrom("TCustomForm"))
            v = Value::integerValue(300);
        c.setValue(path, v);
        paths.push_back(path);
    }
    // The ParentXxx flags off, so that what they guard is stored.
    for (const PropInfo* p : cls.properties)
        if (p->name.rfind("Parent", 0) == 0 && p->type->kind == TypeKind::Boolean) {
            c.setValue(prefix + p->name, Value::boolean(false));
            paths.push_back(prefix + p->name);
        }
}

} // namespace

TEST(RoundTrip, EveryStreamableClassWithEveryPropertyKind)
{
    auto form = Component::create("TForm");
    form->setName("Form1");
    std::vector<std::pair<Component*, std::vector<std::string>>> filled;
    Component* notebook = nullptr;
    for (const ClassInfo* cls : classes().streamingClasses()) {
        if (cls->name == "TForm" || cls->name == "TPage")
            continue;
        Component& c = form->adopt(Component::create(*cls));
        c.setName(cls->name.substr(1) + "1");
        if (c.isControl())
            c.setParent(form.get());
        if (cls->name == "TNotebook")
            notebook = &c;
    }
    ASSERT_NE(form->findComponent("Edit1"), nullptr);
    Component& page = notebook->adopt(Component::create("TPage"));
    page.setParent(notebook);
    for (const auto& owned : form->components()) {
        filled.push_back({owned.get(), {}});
        fill(*owned, *owned, "", filled.back().second);
    }
    filled.push_back({&page, {}});
    fill(page, page, "", filled.back().second);
    filled.push_back({form.get(), {}});
    fill(*form, *form, "", filled.back().second);

    const std::string bytes = writeComponentStream(*form);
    auto back = readFormStream(bytes);
    EXPECT_EQ(vcltest::firstDifference(writeComponentStream(*back), bytes), "");

    for (const auto& [original, paths] : filled) {
        const Component* copy = original == form.get() ? back.get()
                                : original == &page    ? back->findComponent("Notebook1")->controls().front()
                                                       : back->findComponent(original->name());
        ASSERT_NE(copy, nullptr) << original->name();
        for (const auto& path : paths)
            EXPECT_EQ(copy->value(path), original->value(path)) << original->classInfo().name << "." << path;
    }

    const std::string text = componentStreamToText(bytes);
    EXPECT_EQ(vcltest::firstDifference(textToComponentStream(text), bytes), "");
    EXPECT_NE(text.find("object Form1: TForm"), std::string::npos);
    EXPECT_NE(text.find("object TPage"), std::string::npos);
}
