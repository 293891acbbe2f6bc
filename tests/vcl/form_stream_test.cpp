// The binary form stream: a hand-made form byte by byte, malformed streams, raw properties, tiles.
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

// A centred form with a label in bold, a button and a list box with two items, as the writer must lay
// it out.
std::string handMadeForm()
{
    Bytes b;
    b.raw("TPF0").name("TForm").name("Form1");
    b.prop("Left").int8(0).prop("Top").int8(0).prop("Width").int16(490).prop("Height").int16(380);
    b.prop("Caption").str("Form1").prop("Color").ident("clBtnFace");
    b.prop("Font.Charset").ident("DEFAULT_CHARSET").prop("Font.Color").ident("clWindowText");
    b.prop("Font.Height").int8(-11).prop("Font.Name").str("MS Sans Serif").prop("Font.Style").set({});
    // PixelsPerInch is the form's own data, written after the published properties.
    b.prop("OldCreateOrder").boolean(false).prop("Position").ident("poScreenCenter");
    b.prop("PixelsPerInch").int8(96).prop("TextHeight").int8(13);
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
    built->setText("Position", "poScreenCenter");
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

namespace {

// A form with one record of `cls` named `name` holding the raw property bytes `props`, and `children`.
std::string formWith(std::string_view cls, std::string_view name, const std::string& props,
                     const std::string& children = "")
{
    Bytes b;
    b.raw("TPF0").name("TForm").name("Form1").end();
    b.name(cls).name(name).raw(props).end().raw(children).end();
    b.end();
    return b.str();
}

std::string errorOf(const std::string& bytes)
{
    try {
        readFormStream(bytes);
    } catch (const StreamError& e) {
        return e.what();
    }
    return "accepted";
}

} // namespace

TEST(FormStream, MalformedStreamsAreRejectedWithAClearMessage)
{
    struct Row {
        std::string bytes;
        const char* message;
    } rows[] = {
        {Bytes().raw("TPF0").name("TStringGrid").name("G").end().end().str(), "Class TStringGrid not found"},
        {Bytes().raw("TPF0").name("TLabel").name("L").end().end().str(), "holds a TLabel, not a TForm"},
        {Bytes().raw("TPF0").name("TForm").name("1x").end().end().str(),
         "'1x' is not a valid component name"},
        {formWith("TLabel", "L", Bytes().prop("Caption").str("a").prop("caption").str("b").str()),
         "property caption of L appears twice"},
        {formWith("TLabel", "L", Bytes().prop("Caption").int8(5).str()),
         "error reading L.Caption: 5 is not a text"},
        {formWith("TLabel", "L", Bytes().prop("Align").ident("alMiddle").str()),
         "error reading L.Align: 'alMiddle' is not a valid TAlign value"},
        {formWith("TLabel", "L", Bytes().prop("Font.Style").set({"fsWide"}).str()),
         "'fsWide' is not an element of TFontStyles"},
        {formWith("TLabel", "L", Bytes().prop("Tag").u8(19).raw(std::string("\0\0\0\0\1\0\0\0", 8)).str()),
         "Value must be between"},
        {formWith("TLabel", "L", Bytes().prop("Items.Strings").u8(1).end().str()),
         "accepted"}, // unknown: kept
        {formWith("TLabel", "L", "", Bytes().name("TButton").name("B").end().end().str()),
         "control B cannot be inside L (TLabel)"},
        {formWith("TPanel", "P", "", Bytes().name("TForm").name("Inner").end().end().str()),
         "a form (TForm) cannot be inside another component"},
        {formWith("TLabel", "L", "", Bytes().name("TSynEditorOptionsContainer").name("O").end().end().str()),
         "accepted"}, // a component without parent may sit in any record
        {Bytes()
             .raw("TPF0")
             .name("TForm")
             .name("Form1")
             .end()
             .name("TLabel")
             .name("L")
             .end()
             .end()
             .name("TButton")
             .name("l")
             .end()
             .end()
             .end()
             .str(),
         "A component named l already exists"},
        {Bytes().raw("TPF0").u8(0xF8).name("TForm").name("F").end().end().str(), "unknown record flags"},
        {Bytes().raw("TPF1").str(), "signature TPF0 expected"},
    };
    for (const auto& r : rows)
        EXPECT_NE(errorOf(r.bytes).find(r.message), std::string::npos)
            << r.message << " / " << errorOf(r.bytes);
}

TEST(FormStream, EveryTruncationIsAnErrorNotACrash)
{
    const std::string bytes = handMadeForm();
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(readFormStream(std::string_view(bytes).substr(0, n)), StreamError) << n;
}

TEST(FormStream, DeepNestingIsRefused)
{
    Bytes b;
    b.raw("TPF0").name("TForm").name("F").end();
    const int depth = 1000;
    for (int i = 0; i < depth; ++i)
        b.name("TPanel").name(std::string(1, 'P').append(std::to_string(i))).end();
    for (int i = 0; i <= depth; ++i)
        b.end();
    EXPECT_NE(errorOf(b.str()).find("nested more than"), std::string::npos);
}

TEST(FormStream, UnknownPropertiesSurviveAndEventsAreDropped)
{
    const std::string props = Bytes()
                                  .prop("Caption")
                                  .str("x")
                                  .prop("DesignSize")
                                  .u8(1)
                                  .int8(1)
                                  .int16(300)
                                  .end()
                                  .prop("Font.Quality")
                                  .ident("fqClearType")
                                  .prop("OnClick")
                                  .ident("Button1Click")
                                  .str();
    auto form = readFormStream(formWith("TLabel", "L", props));
    const Component& label = *form->findComponent("L");
    ASSERT_EQ(label.unknownProperties().size(), 1u);
    EXPECT_EQ(label.unknownProperties()[0].name, "DesignSize");
    EXPECT_EQ(label.object("Font").unknownProperties()[0].name, "Quality");
    const std::string again = writeComponentStream(*form);
    EXPECT_NE(again.find("DesignSize"), std::string::npos);
    EXPECT_NE(again.find("Font.Quality"), std::string::npos);
    EXPECT_EQ(again.find("OnClick"), std::string::npos);
    EXPECT_EQ(writeComponentStream(*readFormStream(again)), again);
}

TEST(FormStream, PrefixFlagsAndPlaceholderTiles)
{
    // An inherited record with a child position reads like any other.
    Bytes b;
    b.raw("TPF0").name("TForm").name("F").end();
    b.u8(0xF3).int8(0).name("TTimer").name("Timer1");
    b.prop("Width")
        .int8(50)
        .prop("Height")
        .int8(70)
        .prop("Enabled")
        .boolean(false)
        .prop("Interval")
        .int16(250);
    b.end().end().end();
    auto form = readFormStream(b.str());
    const Component& timer = *form->findComponent("Timer1");
    EXPECT_EQ(timer.integer("Width"), 32);
    EXPECT_EQ(timer.integer("Height"), 32);
    EXPECT_FALSE(timer.boolean("Visible"));
    EXPECT_FALSE(timer.boolean("Enabled"));
    EXPECT_EQ(timer.integer("Interval"), 250);
    Component& t = const_cast<Component&>(timer);
    t.setInteger("Width", 100); // a tile cannot be resized
    EXPECT_EQ(t.integer("Width"), 32);
    const std::string written = writeComponentStream(*form);
    EXPECT_EQ(written.find("Visible"), std::string::npos); // not a published property of the timer
    EXPECT_NE(written.find("Interval"), std::string::npos);
}

TEST(FormStream, UnsignedPropertiesTravelAsTheInt32OfTheirBits)
{
    // 3,000,000,000 ms is 0xB2D05E00: an Int32 on the stream, as every 32-bit ordinal is written.
    const std::string interval = Bytes().prop("Interval").u8(4).raw(std::string("\x00\x5E\xD0\xB2", 4)).str();
    const std::string stream =
        formWith("TTimer", "Timer1",
                 Bytes().prop("Left").int8(0).prop("Top").int8(0).str() +
                     Bytes().prop("Width").int8(32).prop("Height").int8(32).str() + interval);
    auto form = readFormStream(stream);
    EXPECT_EQ(form->findComponent("Timer1")->integer("Interval"), 3000000000);
    EXPECT_NE(writeComponentStream(*form).find(interval), std::string::npos);
}

TEST(FormStream, BitmapButtonsOfAStandardKindTakeItsValues)
{
    const std::string head = Bytes().prop("Left").int8(0).prop("Top").int8(0).prop("Width").int8(75).str() +
                             Bytes().prop("Height").int8(25).prop("TabOrder").int8(0).str();
    const std::string ok = formWith("TBitBtn", "B", head + Bytes().prop("Kind").ident("bkOK").str());
    auto form = readFormStream(ok);
    const Component& b = *form->findComponent("B");
    EXPECT_EQ(b.text("Caption"), "OK");
    EXPECT_EQ(b.integer("ModalResult"), 1);
    EXPECT_TRUE(b.boolean("Default"));
    EXPECT_EQ(b.integer("NumGlyphs"), 2);
    const std::string written = writeComponentStream(*form);
    EXPECT_EQ(written.find("Caption", written.find("TBitBtn")), std::string::npos);

    const std::string own = Bytes().prop("Caption").str("Go").str();
    auto form2 = readFormStream(formWith("TBitBtn", "B", own + Bytes().prop("Kind").ident("bkYes").str()));
    EXPECT_EQ(form2->findComponent("B")->text("Caption"), "Go");
    EXPECT_EQ(form2->findComponent("B")->integer("ModalResult"), 6);
}
