// What a component writes, property by property, compared with what the platform's class library
// writes for the same component: which values are left out as defaults, which are always there, and in
// which order they come. Each row is a component as inserted, a few values set as the inspector sets
// them, and the property lines of its record in the text notation.
#include "vcl/form_stream.h"
#include "vcl/property_editing.h"
#include "vcl/text_form.h"

#include <gtest/gtest.h>

using namespace vcl;

namespace {

struct Row {
    const char* cls;
    std::vector<std::pair<const char*, const char*>> set; // path, text as typed in the inspector
    const char* expected;                                 // the record's property lines
};

// The property lines of `name`'s record in the text notation of `form`, indentation removed.
std::string recordLines(const Component& form, const std::string& name)
{
    const std::string text = componentStreamToText(writeComponentStream(form), "\n");
    const std::string head = "object " + name + ":";
    std::size_t at = text.find(head);
    if (at == std::string::npos)
        return "(no record)";
    at = text.find('\n', at) + 1;
    std::string out;
    while (at < text.size()) {
        const std::size_t eol = text.find('\n', at);
        std::string_view line(text.data() + at, eol - at);
        while (!line.empty() && line.front() == ' ')
            line.remove_prefix(1);
        if (line == "end" || line.rfind("object ", 0) == 0)
            break;
        out.append(line).push_back('\n');
        at = eol + 1;
    }
    return out;
}

} // namespace

TEST(ClassLibraryStreams, ControlsWriteTheirPropertiesAsTheClassLibraryDoes)
{
    const Row rows[] = {
        {"TProgressBar",
         {},
         "Left = 0\nTop = 0\nWidth = 150\nHeight = 16\nMin = 0\nMax = 100\nTabOrder = 0\n"},
        {"THotKey",
         {},
         "Left = 0\nTop = 0\nWidth = 121\nHeight = 19\nHotKey = 32833\nInvalidKeys = [hcNone, hcShift]\n"
         "Modifiers = [hkAlt]\nTabOrder = 0\n"},
        {"TComboBox",
         {{"Style", "csDropDownList"}, {"AutoComplete", "False"}, {"Text", ""}},
         "Left = 0\nTop = 0\nWidth = 145\nHeight = 21\nAutoComplete = False\nStyle = csDropDownList\n"
         "TabOrder = 0\n"},
        // A standard kind stands for its caption, modal result, flags and glyph; a caption of one's
        // own is kept.
        {"TBitBtn",
         {{"Kind", "bkOK"}},
         "Left = 0\nTop = 0\nWidth = 75\nHeight = 25\nTabOrder = 0\nKind = bkOK\n"},
        {"TBitBtn",
         {{"Kind", "bkCancel"}, {"Caption", "Stop"}},
         "Left = 0\nTop = 0\nWidth = 75\nHeight = 25\nCaption = 'Stop'\nTabOrder = 0\nKind = bkCancel\n"},
    };
    for (const Row& r : rows) {
        auto form = Component::create("TForm");
        form->setName("Form1");
        Component& c = form->adopt(Component::create(r.cls));
        c.setParent(form.get());
        c.setName(std::string(r.cls + 1) + "1");
        c.setInteger("Left", 0);
        c.setInteger("Top", 0);
        for (const auto& [path, text] : r.set)
            setFromText(c, path, text);
        EXPECT_EQ(recordLines(*form, c.name()), r.expected) << r.cls;
    }
}

TEST(ClassLibraryStreams, ScrollBarsStoreRangeOnlyWithoutAutoScrollAndIncrementOnlyWhenNotSmooth)
{
    auto form = Component::create("TForm");
    form->setName("Form1");
    form->setInteger("HorzScrollBar.Range", 600);
    form->setInteger("VertScrollBar.Increment", 16);
    form->setBoolean("VertScrollBar.Smooth", true);
    std::string lines = recordLines(*form, "Form1");
    EXPECT_EQ(lines.find("HorzScrollBar.Range"), std::string::npos); // computed while AutoScroll is on
    EXPECT_EQ(lines.find("VertScrollBar.Increment"), std::string::npos);
    EXPECT_NE(lines.find("VertScrollBar.Smooth = True"), std::string::npos);
    form->setBoolean("AutoScroll", false);
    form->setBoolean("VertScrollBar.Smooth", false);
    lines = recordLines(*form, "Form1");
    EXPECT_NE(lines.find("HorzScrollBar.Range = 600\n"), std::string::npos);
    EXPECT_NE(lines.find("VertScrollBar.Increment = 16\n"), std::string::npos);
}
