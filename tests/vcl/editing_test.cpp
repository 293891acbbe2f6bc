// The inspectors' editing interface and the selection streams for copy and paste.
#include "platform/errors.h"
#include "vcl/class_registry.h"
#include "vcl/form_editing.h"
#include "vcl/form_stream.h"
#include "vcl/property_editing.h"
#include "vcl/selection_stream.h"
#include "vcl/text_form.h"
#include "vcl_test_util.h"

#include <gtest/gtest.h>

using namespace vcl;

namespace {

std::unique_ptr<Component> newForm()
{
    auto form = Component::create("TForm");
    form->setName("Form1");
    return form;
}

Component& insert(Component& form, const char* cls, Component* into = nullptr)
{
    return insertComponent(form, classes().classNamed(cls), into, 8, 16);
}

std::vector<std::string> paths(const std::vector<PropertyRow>& rows)
{
    std::vector<std::string> out;
    for (const auto& r : rows)
        out.push_back(r.element.empty() ? r.path : r.path + ":" + r.element);
    return out;
}

} // namespace

TEST(PropertyEditing, RowsFollowDeclarationOrderAndTheFilter)
{
    auto form = newForm();
    Component& timer = insert(*form, "TTimer");
    RowOptions options;
    options.filter = [](const Component&, const PropInfo& p) {
        return p.name == "Name" || p.name == "Interval" || p.name == "Enabled" || p.name == "Tag";
    };
    EXPECT_EQ(paths(propertyRows(timer, options)),
              (std::vector<std::string>{"Name", "Tag", "Enabled", "Interval"}));
    options.events = true;
    options.filter = nullptr;
    EXPECT_EQ(paths(propertyRows(timer, options)), std::vector<std::string>{"OnTimer"});

    Component& anim = insert(*form, "TAnimate");
    const auto plain = paths(propertyRows(anim));
    RowOptions withReadOnly;
    withReadOnly.includeReadOnly = true;
    const auto all = paths(propertyRows(anim, withReadOnly));
    EXPECT_EQ(std::count(plain.begin(), plain.end(), "FrameCount"), 0);
    EXPECT_EQ(std::count(all.begin(), all.end(), "FrameCount"), 1);

    Component& label = insert(*form, "TLabel");
    const PropertyRow font = rowFor(label, "Font");
    EXPECT_TRUE(font.expandable);
    EXPECT_EQ(paths(childRows(label, font)),
              (std::vector<std::string>{"Font.Charset", "Font.Color", "Font.Height", "Font.Name",
                                        "Font.Pitch", "Font.Size", "Font.Style"}));
    EXPECT_EQ(paths(childRows(label, rowFor(label, "Font.Style"))),
              (std::vector<std::string>{"Font.Style:fsBold", "Font.Style:fsItalic", "Font.Style:fsUnderline",
                                        "Font.Style:fsStrikeOut"}));
    Component& button = insert(*form, "TButton");
    const auto common = paths(commonPropertyRows({&label, &button}));
    EXPECT_EQ(std::count(common.begin(), common.end(), "Caption"), 1);
    EXPECT_EQ(std::count(common.begin(), common.end(), "TabOrder"), 0);
}

TEST(PropertyEditing, DisplayTextAndTypedValues)
{
    auto form = newForm();
    Component& label = insert(*form, "TLabel");
    Component& edit = insert(*form, "TEdit");
    Component& hot = insert(*form, "THotKey");
    Component& image = insert(*form, "TImage");
    struct Row {
        Component* c;
        const char* path;
        const char* input;
        const char* shown; // nullptr: the input is refused
    } rows[] = {
        {&label, "Caption", "  Hello  ", "  Hello  "},
        {&label, "Color", "clred", "clRed"},
        {&label, "Color", "$00123456", "$00123456"},
        {&label, "Color", "16711680", "clBlue"},
        {&label, "Color", "purple", nullptr},
        {&label, "Cursor", "crHandPoint", "crHandPoint"},
        {&label, "Cursor", "-22", "crSizeAll"},
        {&label, "Width", "120", "120"},
        {&label, "Width", "12x", nullptr},
        {&label, "Tag", "99999999999", nullptr},
        {&label, "Align", "ALCLIENT", "alClient"},
        {&label, "Align", "alMiddle", nullptr},
        {&label, "Visible", "false", "False"},
        {&label, "Visible", "maybe", nullptr},
        {&label, "Anchors", "[akLeft, akBottom]", "[akLeft,akBottom]"},
        {&label, "Anchors", "[akUp]", nullptr},
        {&label, "Font.Style", "[fsBold]", "[fsBold]"},
        {&label, "Font", "x", nullptr},
        {&label, "FocusControl", "Edit1", "Edit1"},
        {&label, "FocusControl", "Label1", nullptr}, // not a windowed control
        {&label, "FocusControl", "Form1", nullptr},  // never the form
        {&label, "FocusControl", "", ""},
        {&label, "OnClick", "x", nullptr},
        {&edit, "PasswordChar", "*", "*"},
        {&edit, "PasswordChar", "#0", "#0"},
        {&edit, "PasswordChar", "ab", nullptr},
        {&edit, "Name", " NameEdit ", "NameEdit"},
        {&edit, "Name", "Label1", nullptr},
        {&hot, "HotKey", "Ctrl+S", "Ctrl+S"},
        {&image, "Picture", "x", nullptr},
    };
    for (const auto& r : rows) {
        if (r.shown) {
            EXPECT_NO_THROW(setFromText(*r.c, r.path, r.input)) << r.path << " " << r.input;
            EXPECT_EQ(displayText(*r.c, r.path), r.shown) << r.path << " " << r.input;
        } else {
            const std::string before = displayText(*r.c, r.path);
            EXPECT_THROW(setFromText(*r.c, r.path, r.input), platform::Error) << r.path << " " << r.input;
            EXPECT_EQ(displayText(*r.c, r.path), before) << r.path;
        }
    }
    EXPECT_EQ(displayText(label, "Font"), "(TFont)");
    EXPECT_EQ(displayText(image, "Picture"), "(None)");
    image.setValue("Picture", Value::binary(std::string("\x07TBitmap\x00\x00\x00\x00", 12)));
    EXPECT_EQ(displayText(image, "Picture"), "(TBitmap)");
    EXPECT_EQ(displayText(label, rowFor(label, "OnClick")), "(TNotifyEvent)");
    setFromText(label, rowFor(label, "Font.Style", "fsItalic"), "True");
    EXPECT_EQ(displayText(label, "Font.Style"), "[fsBold,fsItalic]");
    EXPECT_EQ(displayText(label, rowFor(label, "Font.Style", "fsBold")), "True");
    setFromText(edit, "Name", "Edit9");
    EXPECT_EQ(edit.name(), "Edit9");
    EXPECT_THROW(setFromText(label, "Nothing", "1"), platform::Error);
}

TEST(PropertyEditing, ChoicesAndInitialValues)
{
    auto form = newForm();
    Component& label = insert(*form, "TLabel");
    insert(*form, "TEdit");
    insert(*form, "TPanel");
    const auto cursors = valueChoices(label, rowFor(label, "Cursor"));
    EXPECT_EQ(cursors.front(), "crDefault");
    EXPECT_EQ(cursors.size(), 22u);
    EXPECT_EQ(valueChoices(label, rowFor(label, "Layout")),
              (std::vector<std::string>{"tlTop", "tlCenter", "tlBottom"}));
    EXPECT_EQ(valueChoices(label, rowFor(label, "FocusControl")),
              (std::vector<std::string>{"Edit1", "Panel1"}));
    EXPECT_TRUE(isInitialValue(label, rowFor(label, "Layout")));
    setFromText(label, "Layout", "tlBottom");
    EXPECT_FALSE(isInitialValue(label, rowFor(label, "Layout")));
}

TEST(SelectionStream, CopyAndPasteWithFreshNames)
{
    auto form = newForm();
    Component& panel = insert(*form, "TPanel");
    Component& edit = insert(*form, "TEdit", &panel);
    Component& label = insert(*form, "TLabel", &panel);
    label.setValue("FocusControl", Value::ident("Edit1"));
    panel.setLocks(NoMove);
    Component& locked = insert(*form, "TButton");
    locked.setLocks(NoCopy);

    // The panel takes its children along; the edit inside it is not copied twice; NoCopy stays home.
    const std::string data = copyComponents({&panel, &edit, &locked, form.get()});
    EXPECT_EQ(data.find("Button1"), std::string::npos);
    const auto pasted = pasteComponents(*form, nullptr, data);
    ASSERT_EQ(pasted.size(), 1u);
    Component& copy = *pasted[0];
    EXPECT_EQ(copy.name(), "Panel2");
    EXPECT_EQ(copy.locks(), 0); // lock flags never travel
    ASSERT_EQ(copy.controls().size(), 2u);
    Component* label2 = form->findComponent("Label2");
    ASSERT_NE(label2, nullptr);
    EXPECT_EQ(label2->parent(), &copy);
    EXPECT_EQ(label2->text("FocusControl"), "Edit2"); // follows the pasted edit
    EXPECT_EQ(label.text("FocusControl"), "Edit1");

    // The text notation pastes the same way, into a container.
    const std::string text = copyComponentsAsText({&edit});
    EXPECT_EQ(text.rfind("object Edit1: TEdit\r\n", 0), 0u);
    const auto again = pasteComponents(*form, &copy, text);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0]->name(), "Edit3");
    EXPECT_EQ(again[0]->parent(), &copy);

    // Damaged data changes nothing.
    const std::size_t count = form->components().size();
    std::string damaged = copyComponents({&panel, &locked});
    damaged += damaged.substr(0, damaged.size() / 2);
    EXPECT_THROW(pasteComponents(*form, nullptr, damaged), StreamError);
    EXPECT_THROW(pasteComponents(*form, nullptr, "hello"), platform::Error);
    EXPECT_THROW(pasteComponents(*form, nullptr, "object X: TStringGrid\r\nend"), StreamError);
    EXPECT_EQ(form->components().size(), count);
    EXPECT_EQ(writeComponentStream(*readFormStream(writeComponentStream(*form))),
              writeComponentStream(*form));
}
