// The component tree: palette resolution, insertion names, name checks, class rules, stacking and
// tab order, deletion, lock flags.
#include "platform/errors.h"
#include "vcl/class_registry.h"
#include "vcl/component.h"
#include "vcl/form_editing.h"
#include "vcl/naming.h"
#include "vcl/palette.h"
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
    return insertComponent(form, classes().classNamed(cls), into, 8, 8);
}

struct Recorder : ComponentObserver {
    std::vector<std::string> events;
    void propertyChanged(Component& c, std::string_view path) override
    {
        events.push_back("set " + c.name() + "." + std::string(path));
    }
    void componentInserted(Component& c) override { events.push_back("insert " + c.name()); }
    void componentRemoving(Component& c) override { events.push_back("remove " + c.name()); }
    void componentRenamed(Component& c, const std::string& old) override
    {
        events.push_back("rename " + old + " " + c.name());
    }
};

} // namespace

TEST(Palette, ListsResolveAndCategories)
{
    EXPECT_EQ(insertableClasses().size(), 37u);
    EXPECT_EQ(paletteCategories().front().command, "All Controls");
    EXPECT_EQ(paletteCategories().front().entries.size(), 37u);
    EXPECT_EQ(paletteList("ActiveX"),
              "Selector\r\nTWebBrowser\r\nTShockwaveFlash\r\nTMSAgent\r\nTWindowsMediaPlayer");
    EXPECT_EQ(paletteList("Nothing"), "");
    EXPECT_EQ(insertableClassFor("TNoteBook"), classes().findClass("TNotebook"));
    EXPECT_EQ(insertableClassFor("Selector"), nullptr);
    EXPECT_EQ(insertableClassFor("TRichEdit"), nullptr); // readable, not insertable
    for (const auto& cat : paletteCategories())
        for (auto e : cat.entries)
            EXPECT_NE(insertableClassFor(e), nullptr) << e;
}

TEST(Naming, InsertionNamesAreTheSmallestFreeNumber)
{
    auto form = newForm();
    EXPECT_EQ(insert(*form, "TLabel").name(), "Label1");
    Component& second = insert(*form, "TLabel");
    EXPECT_EQ(second.name(), "Label2");
    EXPECT_EQ(second.text("Caption"), "Label2");
    Component::destroy(*form->findComponent("Label1"));
    EXPECT_EQ(insert(*form, "TLabel").name(), "Label1");
    form->findComponent("Label2")->setName("LABEL3"); // compared without regard to case
    EXPECT_EQ(uniqueComponentName(*form, "Label"), "Label2");
    EXPECT_EQ(insert(*form, "TEdit").text("Text"), "Edit1");
    EXPECT_EQ(insert(*form, "TMemo").strings("Lines"), std::vector<std::string>{"Memo1"});
    EXPECT_EQ(insert(*form, "TSpeedButton").text("Caption"), "");
    Component& nb = insert(*form, "TNotebook");
    EXPECT_EQ(nb.strings("Pages"), std::vector<std::string>{"Default"});
    EXPECT_EQ(nb.text("ActivePage"), "Default");
    EXPECT_EQ(insert(*form, "TButton", &nb).parent()->classInfo().name, "TPage");
    EXPECT_THROW(insert(*form, "TForm"), platform::Error); // a form holds no other form
}

TEST(Naming, ValidityAndTheErrorsShown)
{
    auto form = newForm();
    Component& b = insert(*form, "TButton");
    insert(*form, "TLabel");
    struct Row {
        const char* name;
        const char* error;
    } rows[] = {
        {"OkButton", ""},
        {"_x1", ""},
        {"1abc", "'1abc' is not a valid component name"},
        {"a b", "'a b' is not a valid component name"},
        {"Caf\xC3\xA9", "is not a valid component name"},
        {"label1", "A component named label1 already exists"},
        {"FORM1", "A component named FORM1 already exists"},
        {"BUTTON1", ""}, // its own name in other letter case
    };
    for (const auto& r : rows) {
        const std::string e = nameError(*form, &b, r.name);
        if (*r.error)
            EXPECT_NE(e.find(r.error), std::string::npos) << r.name << ": " << e;
        else
            EXPECT_EQ(e, "") << r.name;
    }
    EXPECT_THROW(b.setName("label1"), platform::Error);
    EXPECT_EQ(b.name(), "Button1");
    b.setName("OkButton");
    EXPECT_EQ(b.text("Caption"), "OkButton"); // the caption showed the name, so it follows
    b.setText("Caption", "Go");
    b.setName("GoButton");
    EXPECT_EQ(b.text("Caption"), "Go");
}

TEST(ComponentTree, ParentLinkedPropertiesFollowUntilSet)
{
    auto form = newForm();
    Component& panel = insert(*form, "TPanel");
    Component& label = insert(*form, "TLabel", &panel);
    form->setText("Font.Name", "Arial");
    EXPECT_EQ(label.text("Font.Name"), "Arial"); // through the panel
    EXPECT_TRUE(label.boolean("ParentFont"));
    label.setInteger("Font.Size", 12);
    EXPECT_FALSE(label.boolean("ParentFont"));
    EXPECT_EQ(label.text("Font.Name"), "Arial"); // took its own copy
    EXPECT_EQ(label.integer("Font.Height"), -16);
    form->setText("Font.Name", "Tahoma");
    EXPECT_EQ(label.text("Font.Name"), "Arial");
    label.setBoolean("ParentFont", true);
    EXPECT_EQ(label.text("Font.Name"), "Tahoma");

    EXPECT_EQ(label.value("Color"), panel.value("Color"));
    label.setValue("Color", Value::ident("clRed"));
    EXPECT_EQ(label.integer("Color"), 0x0000FF);
    EXPECT_FALSE(label.boolean("ParentColor"));
    label.setBoolean("ShowHint", true);
    EXPECT_FALSE(label.boolean("ParentShowHint"));
}

TEST(ComponentTree, ClassRulesTiePropertiesTogether)
{
    auto form = newForm();
    Component& box = insert(*form, "TCheckBox");
    box.setBoolean("Checked", true);
    EXPECT_EQ(box.text("State"), "cbChecked");
    box.setValue("State", Value::ident("cbGrayed"));
    EXPECT_FALSE(box.boolean("Checked"));

    Component& r1 = insert(*form, "TRadioButton");
    Component& r2 = insert(*form, "TRadioButton");
    r1.setBoolean("Checked", true);
    r2.setBoolean("Checked", true);
    EXPECT_FALSE(r1.boolean("Checked"));
    EXPECT_FALSE(r1.boolean("TabStop"));
    EXPECT_TRUE(r2.boolean("TabStop"));

    form->setBoolean("AutoScroll", false);
    form->setInteger("ClientWidth", 400);
    EXPECT_EQ(form->integer("Width"), 408);
    EXPECT_EQ(form->integer("ClientWidth"), 400);

    EXPECT_EQ(insert(*form, "TInteractiveLabel").integer("Font.Size"), 10);
    EXPECT_EQ(form->integer("Font.Size"), 8);

    EXPECT_THROW(box.setValue("Align", Value::ident("alMiddle")), platform::Error);
    EXPECT_THROW(box.setInteger("Caption", 3), platform::Error);
    EXPECT_THROW(box.setValue("OnClick", Value::ident("X")), platform::Error);
    EXPECT_THROW(box.setValue("Nothing", Value::integerValue(1)), platform::Error);
    EXPECT_THROW(insert(*form, "TAnimate").setInteger("FrameCount", 3), platform::Error); // read-only
}

TEST(ComponentTree, StackingTabOrderAndDeletion)
{
    auto form = newForm();
    Recorder rec;
    form->addObserver(&rec);
    Component& e1 = insert(*form, "TEdit");
    Component& label = insert(*form, "TLabel");
    Component& e2 = insert(*form, "TEdit");
    // Controls without a window stay below windowed ones.
    EXPECT_EQ(form->controls(), (std::vector<Component*>{&label, &e1, &e2}));
    e1.bringToFront();
    label.bringToFront();
    EXPECT_EQ(form->controls(), (std::vector<Component*>{&label, &e2, &e1}));
    e1.sendToBack();
    EXPECT_EQ(form->controls(), (std::vector<Component*>{&label, &e1, &e2}));
    EXPECT_EQ(e2.integer("TabOrder"), 1);
    e2.setInteger("TabOrder", 0);
    EXPECT_EQ(e1.integer("TabOrder"), 1);

    label.setValue("FocusControl", Value::ident("Edit1"));
    EXPECT_EQ(label.referenced("FocusControl"), &e1);
    e1.setName("First");
    EXPECT_EQ(label.text("FocusControl"), "First"); // references follow a rename
    Component& panel = insert(*form, "TPanel");
    e1.setParent(&panel);
    EXPECT_THROW(panel.setParent(&e1), platform::Error); // not inside itself
    EXPECT_THROW(panel.setParent(&label), platform::Error);
    EXPECT_EQ(deleteComponents(*form, {&panel, &e1, form.get()}), 1);
    EXPECT_EQ(form->findComponent("First"), nullptr);
    EXPECT_EQ(label.value("FocusControl"), Value::nil());
    form->removeObserver(&rec);
    const std::vector<std::string> expected = {"insert Edit1", "insert Label1", "insert Edit2"};
    EXPECT_EQ(std::vector<std::string>(rec.events.begin(), rec.events.begin() + 3), expected);
    EXPECT_NE(std::find(rec.events.begin(), rec.events.end(), "rename Edit1 First"), rec.events.end());
    EXPECT_NE(std::find(rec.events.begin(), rec.events.end(), "remove First"), rec.events.end());
    EXPECT_NE(std::find(rec.events.begin(), rec.events.end(), "set Edit2.TabOrder"), rec.events.end());
}

TEST(ComponentTree, LocksStayInMemoryAndGuardTheDesigner)
{
    auto form = newForm();
    Component& panel = insert(*form, "TPanel");
    panel.setLocks(NoDelete | NoInsertIn);
    form->setLocks(NoMove);
    EXPECT_EQ(form->locks(), 0); // the form never carries any
    EXPECT_TRUE(panel.hasLock(NoInsertIn));
    EXPECT_EQ(insert(*form, "TButton", &panel).parent(), form.get());
    EXPECT_EQ(deleteComponents(*form, {&panel}), 0);
    panel.setLocks(panel.locks() ^ NoDelete);
    EXPECT_EQ(deleteComponents(*form, {&panel}), 1);
}
