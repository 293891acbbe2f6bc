// Form resource and text form files, the format test, and the editor options object through text.
#include "support/temp_home.h"
#include "vcl/class_registry.h"
#include "vcl/form_file.h"
#include "vcl/form_stream.h"
#include "vcl/text_form.h"
#include "vcl_test_util.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace vcl;

namespace {

std::unique_ptr<Component> smallForm()
{
    auto form = Component::create("TForm");
    form->setName("Form1");
    form->setText("Caption", "Hello");
    Component& b = form->adopt(Component::create("TButton"));
    b.setName("Button1");
    b.setParent(form.get());
    b.setText("Caption", "OK");
    return form;
}

} // namespace

TEST(FormFile, FormatTestTellsTheKindsApart)
{
    struct Row {
        std::string bytes;
        FormFileFormat format;
    } rows[] = {
        {"\xFF\x0A\x00TFORM", FormFileFormat::Resource},
        {"TPF0\x05TForm", FormFileFormat::Stream},
        {"object Form1: TForm\r\nend", FormFileFormat::Text},
        {"  \r\n\tOBJECT Form1: TForm", FormFileFormat::Text},
        {"\xEF\xBB\xBFinherited Form1: TForm", FormFileFormat::Text},
        {"inline X: TFrame", FormFileFormat::Text},
        {"objects are here", FormFileFormat::Unknown},
        {"PK\x03\x04", FormFileFormat::Unknown},
        {"", FormFileFormat::Unknown},
    };
    for (const auto& r : rows)
        EXPECT_EQ(detectFormFileFormat(r.bytes), r.format) << r.bytes;
}

TEST(FormFile, ResourceHeaderLayoutAndDamage)
{
    auto form = smallForm();
    const std::string file = writeFormResource(*form);
    const std::string stream = writeComponentStream(*form);
    std::string header("\xFF\x0A\x00TFORM\x00\x30\x10", 11);
    header += std::string(1, static_cast<char>(stream.size() & 0xFF)) +
              std::string(1, static_cast<char>(stream.size() >> 8)) + std::string(2, '\0');
    EXPECT_EQ(file, header + stream);
    EXPECT_EQ(formResourceStream(file), stream);

    std::string tooShort = file.substr(0, file.size() - 1);
    EXPECT_THROW(formResourceStream(tooShort), StreamError);
    std::string noName = "\xFF\x0A";
    noName += std::string(1, '\0') + std::string(400, 'A');
    EXPECT_THROW(formResourceStream(noName), StreamError);
    EXPECT_THROW(readFormFileBytes("\xFF\x0B\x00X"), StreamError);
    EXPECT_THROW(readFormFileBytes("hello"), platform::Error);
}

TEST(FormFile, SaveAndLoadInBothFormats)
{
    lmbtest::TempHome home;
    auto form = smallForm();
    const auto bin = home.root() / "form.dfm";
    const auto txt = home.root() / "form.txt.dfm";
    saveFormFile(bin, *form, FormFileFormat::Resource);
    saveFormFile(txt, *form, FormFileFormat::Text);
    EXPECT_EQ(detectFormFileFormat(lmbtest::readFile(bin)), FormFileFormat::Resource);
    const std::string text = lmbtest::readFile(txt);
    EXPECT_EQ(text.rfind("object Form1: TForm\r\n", 0), 0u);
    for (const auto& path : {bin, txt}) {
        auto back = loadFormFile(path);
        EXPECT_EQ(back->text("Caption"), "Hello");
        EXPECT_EQ(back->findComponent("Button1")->text("Caption"), "OK");
        EXPECT_EQ(writeComponentStream(*back), writeComponentStream(*form));
    }
    // No temporary file is left beside them.
    for (const auto& e : std::filesystem::directory_iterator(home.root()))
        EXPECT_NE(e.path().extension(), ".tmp") << e.path();

    // A text form whose root is not a form, and a file that cannot be written, change nothing.
    home.writeFile("panel.txt", "object P: TPanel\r\nend\r\n");
    EXPECT_THROW(loadFormFile(home.root() / "panel.txt"), StreamError);
    EXPECT_THROW(saveFormFile(home.root() / "missing" / "x.dfm", *form, FormFileFormat::Resource),
                 platform::Error);
    EXPECT_THROW(loadFormFile(home.root() / "missing.dfm"), platform::Error);
    EXPECT_EQ(lmbtest::readFile(txt), text);
}

TEST(FormFile, EditorOptionsObjectThroughTheTextNotation)
{
    // The code editor's options file is the text form of one options object, not of a form.
    const ClassInfo& cls = classes().classNamed("TSynEditorOptionsContainer");
    auto options = Component::create(cls);
    options->setName("EditorOptions");
    options->setInteger("TabWidth", 4);
    options->setText("Gutter.Font.Name", "Consolas");
    Value keys;
    keys.tag = ValueTag::Collection;
    keys.collection.push_back(
        {std::nullopt,
         {{"Command", Value::integerValue(601)}, {"ShortCut", Value::integerValue(0x4000 | 'J')}}});
    options->setValue("Keystrokes", keys);
    const std::string text = componentStreamToText(writeComponentStream(*options));
    EXPECT_NE(text.find("Keystrokes = <"), std::string::npos);
    auto back = readComponentStream(textToComponentStream(text), &cls);
    EXPECT_EQ(back->integer("TabWidth"), 4);
    EXPECT_EQ(back->text("Gutter.Font.Name"), "Consolas");
    EXPECT_EQ(back->text("Font.Name"), "Courier New");
    EXPECT_EQ(back->integer("Font.Size"), 10);
    EXPECT_EQ(back->value("Keystrokes"), keys);
    EXPECT_THROW(readFormStream(textToComponentStream(text)), StreamError); // not a form
}
