#include "vcl/class_registry.h"
#include "vcl/form_stream.h"

#include <gtest/gtest.h>

using namespace vcl;

namespace {

// Stream bytes spelled out one value at a time, independent of the writer under test.
class Bytes {
public:
    Bytes& raw(std::string_view s)
    {
        m_s.append(s);
        return *this;
    }
    Bytes& u8(int v)
    {
        m_s.push_back(static_cast<char>(v));
        return *this;
    }
    Bytes& name(std::string_view s) { return u8(static_cast<int>(s.size())).raw(s); }
    Bytes& end() { return u8(0); }
    Bytes& prop(std::string_view n) { return name(n); }
    Bytes& int8(int v) { return u8(2).u8(v & 0xFF); }
    Bytes& int16(int v) { return u8(3).u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Bytes& str(std::string_view s) { return u8(6).name(s); }
    Bytes& ident(std::string_view s) { return u8(7).name(s); }
    Bytes& boolean(bool b) { return u8(b ? 9 : 8); }
    Bytes& set(std::initializer_list<std::string_view> names)
    {
        u8(11);
        for (auto n : names)
            name(n);
        return u8(0);
    }
    const std::string& str() const { return m_s; }

private:
    std::string m_s;
};

// A form with a label in bold, a button and a list box with two items, as the writer must lay it out.
std::string handMadeForm()
{
    Bytes b;
    b.raw("TPF0").name("TForm").name("Form1");
    b.prop("Left").int8(0).prop("Top").int8(0).prop("Width").int16(490).prop("Height").int16(380);
    b.prop("Caption").str("Form1").prop("Color").ident("clBtnFace");
    b.prop("Font.Charset").ident("DEFAULT_CHARSET").prop("Font.Color").ident("clWindowText");
    b.prop("Font.Height").int8(-11).prop("Font.Name").str("MS Sans Serif").prop("Font.Style").set({});
    b.prop("OldCreateOrder").boolean(false).prop("PixelsPerInch").int8(96).prop("TextHeight").int8(13);
    b.end();
    b.name("TLabel").name("Label1");
    b.prop("Left").int8(8).prop("Top").int8(8).prop("Width").int8(32).prop("Height").int8(13);
    b.prop("Caption").str("Hello");
    b.prop("Font.Charset").ident("DEFAULT_CHARSET").prop("Font.Color").ident("clWindowText");
    b.prop("Font.Height").int8(-11).prop("Font.Name").str("MS Sans Serif").prop("Font.Style").set({"fsBold"});
    b.prop("ParentFont").boolean(false);
    b.end().end();
    b.name("TButton").name("Button1");
    b.prop("Left").int8(8).prop("Top").int8(40).prop("Width").int8(75).prop("Height").int8(25);
    b.prop("Caption").str("OK").prop("TabOrder").int8(0);
    b.end().end();
    b.name("TListBox").name("ListBox1");
    b.prop("Left").int8(8).prop("Top").int8(72).prop("Width").int8(121).prop("Height").int8(97);
    b.prop("Items.Strings").u8(1).str("a").str("b").end();
    b.prop("TabOrder").int8(1);
    b.end().end();
    b.end(); // children of the form
    return b.str();
}

} // namespace

TEST(FormStream, HandMadeBytesReadBackAndAreWrittenTheSameWay)
{
    const std::string bytes = handMadeForm();
    auto form = readFormStream(bytes);
    ASSERT_EQ(form->name(), "Form1");
    ASSERT_EQ(form->controls().size(), 3u);
    const Component& label = *form->findComponent("label1");
    EXPECT_EQ(label.text("Caption"), "Hello");
    EXPECT_EQ(label.value("Font.Style"), Value::set({"fsBold"}));
    EXPECT_FALSE(label.boolean("ParentFont"));
    const Component& button = *form->findComponent("Button1");
    EXPECT_EQ(button.integer("TabOrder"), 0);
    EXPECT_EQ(button.integer("Width"), 75);
    EXPECT_EQ(button.text("Font.Name"), "MS Sans Serif"); // follows the form
    const Component& list = *form->findComponent("ListBox1");
    EXPECT_EQ(list.strings("Items"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(list.integer("TabOrder"), 1);
    EXPECT_EQ(writeComponentStream(*form), bytes);

    // The same form built through the editing interface gives the same bytes.
    auto built = Component::create("TForm");
    built->setName("Form1");
    built->setText("Caption", "Form1");
    built->setInteger("Width", 490);
    built->setInteger("Height", 380);
    built->setInteger("Left", 0);
    built->setInteger("Top", 0);
    auto add = [&](const char* cls, const char* name, int left, int top) -> Component& {
        Component& c = built->adopt(Component::create(cls));
        c.setName(name);
        c.setParent(built.get());
        c.setInteger("Left", left);
        c.setInteger("Top", top);
        return c;
    };
    Component& l = add("TLabel", "Label1", 8, 8);
    l.setInteger("Width", 32);
    l.setInteger("Height", 13);
    l.setText("Caption", "Hello");
    l.setValue("Font.Style", Value::set({"fsBold"}));
    add("TButton", "Button1", 8, 40).setText("Caption", "OK");
    add("TListBox", "ListBox1", 8, 72).setStrings("Items", {"a", "b"});
    EXPECT_EQ(writeComponentStream(*built), bytes);
}
