// The class registry built from the class tables: registration, declaration order, defaults, types.
#include "platform/errors.h"
#include "vcl/class_registry.h"

#include <gtest/gtest.h>

using namespace vcl;

namespace {

std::vector<std::string> names(const std::vector<const PropInfo*>& props)
{
    std::vector<std::string> out;
    for (const auto* p : props)
        out.push_back(p->name);
    return out;
}

std::vector<std::string> split(std::string_view s)
{
    std::vector<std::string> out;
    std::size_t b = 0;
    while (b < s.size()) {
        const auto e = std::min(s.find(' ', b), s.size());
        if (e > b)
            out.emplace_back(s.substr(b, e - b));
        b = e + 1;
    }
    return out;
}

const std::string kControlHead =
    "Name Tag Left Top Width Height Cursor Hint HelpType HelpKeyword HelpContext ";

} // namespace

TEST(ClassRegistry, RegistersTheStreamingClasses)
{
    const auto& reg = classes();
    EXPECT_EQ(reg.streamingClasses().size(), 42u); // the 41 of the registration list and the notebook page
    for (const char* name : {"TSynEditorOptionsContainer",
                             "TForm",
                             "TLabel",
                             "TEdit",
                             "TMemo",
                             "TButton",
                             "TCheckBox",
                             "TRadioButton",
                             "TListBox",
                             "TComboBox",
                             "TPanel",
                             "TBitBtn",
                             "TSpeedButton",
                             "TRichEdit",
                             "TImage",
                             "TShape",
                             "TBevel",
                             "TTrackBar",
                             "TProgressBar",
                             "THotKey",
                             "TAnimate",
                             "TWebBrowser",
                             "TNotebook",
                             "TGradient",
                             "TTextAnimator",
                             "TTextFader",
                             "TCoolForm",
                             "TRichEditViewer",
                             "TGroupBox",
                             "TRadioGroup",
                             "TPicShow",
                             "TMarquee",
                             "TImgBtn",
                             "TInteractiveLabel",
                             "TShockwaveFlash",
                             "TMCIObject",
                             "TMSAgent",
                             "TScrollingCredits",
                             "TPaintBox",
                             "TWindowsMediaPlayer",
                             "TTimer"}) {
        const ClassInfo* c = reg.findStreamableClass(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_FALSE(c->abstract) << name;
        EXPECT_TRUE(c->isComponent()) << name;
    }
    EXPECT_EQ(reg.findStreamableClass("tnotebook"), reg.findClass("TNotebook"));
    EXPECT_EQ(reg.findStreamableClass("TStringGrid"), nullptr);
    EXPECT_EQ(reg.findStreamableClass("TControl"), nullptr);
    EXPECT_THROW(reg.classNamed("TStringGrid"), platform::Error);
}

TEST(ClassRegistry, PublishedPropertiesKeepDeclarationOrderInheritedFirst)
{
    const auto& reg = classes();
    // The memo's published properties, as the rich text viewer's class import walks them.
    EXPECT_EQ(names(reg.classNamed("TMemo").publishedProperties()),
              split(kControlHead +
                    "TabStop Align Alignment Anchors BevelEdges BevelInner BevelKind BevelOuter "
                    "BiDiMode BorderStyle Color Constraints Ctl3D DragCursor DragKind DragMode "
                    "Enabled Font HideSelection ImeMode ImeName Lines MaxLength OEMConvert "
                    "ParentBiDiMode ParentColor ParentCtl3D ParentFont ParentShowHint PopupMenu "
                    "ReadOnly ScrollBars ShowHint TabOrder Visible WantReturns WantTabs "
                    "WordWrap"));
    EXPECT_EQ(names(reg.classNamed("TRichEditViewer").publishedProperties()).back(), "RichText");
    EXPECT_EQ(names(reg.classNamed("TWebBrowser").publishedProperties()),
              split(kControlHead + "TabStop Align ParentShowHint PopupMenu ShowHint TabOrder Offline "
                                   "RegisterAsDropTarget Silent"));
    EXPECT_EQ(names(reg.classNamed("TTimer").publishedProperties()),
              split(kControlHead + "TabStop Enabled Interval"));
    EXPECT_EQ(names(reg.classNamed("TTimer").events()), split("OnTimer"));
    EXPECT_EQ(names(reg.classNamed("TMSAgent").events()).size(), 0u);
    EXPECT_EQ(names(reg.classNamed("TFont").publishedProperties()),
              split("Charset Color Height Name Pitch Size Style"));
    const auto gradient = names(reg.classNamed("TGradient").publishedProperties());
    EXPECT_EQ(std::vector<std::string>(gradient.begin() + 11, gradient.end()),
              split("ColorBegin ColorEnd Reverse Rotation Shift Style"));
    EXPECT_EQ(names(reg.classNamed("TForm").properties).back(), "TextHeight"); // custom data last
}

TEST(ClassRegistry, DefaultsInitialValuesAndStoredRules)
{
    const auto& reg = classes();
    const ClassInfo& timer = reg.classNamed("TTimer");
    EXPECT_EQ(timer.initialValue(*timer.findProperty("Enabled")), Value::boolean(true));
    EXPECT_EQ(timer.initialValue(*timer.findProperty("Interval")).integer, 1000);
    EXPECT_EQ(timer.initialValue(*timer.findProperty("Width")).integer, 32);
    EXPECT_TRUE(timer.tile);
    EXPECT_EQ(timer.findProperty("Interval")->type->name, "Cardinal");

    const ClassInfo& hover = reg.classNamed("TInteractiveLabel");
    EXPECT_EQ(hover.initialValue(*hover.findProperty("Cursor")).integer, -21);
    EXPECT_EQ(hover.initialValue(*hover.findProperty("Transparent")), Value::boolean(true));
    EXPECT_EQ(hover.findProperty("ColorNormal")->defaultValue.integer, 0);

    const ClassInfo& button = reg.classNamed("TButton");
    const PropInfo& tabStop = *button.findProperty("TabStop");
    EXPECT_TRUE(tabStop.hasDefault);
    EXPECT_EQ(tabStop.defaultValue, Value::boolean(true));
    EXPECT_EQ(tabStop.root, reg.classNamed("TWinControl").findProperty("TabStop")); // one storage

    const PropInfo& color = *reg.classNamed("TLabel").findProperty("Color");
    EXPECT_FALSE(color.hasDefault); // "Color nodefault": written whenever stored
    EXPECT_EQ(color.stored, StoredRule::WhenFlagFalse);
    EXPECT_EQ(color.storedFlag->name, "ParentColor");
    EXPECT_EQ(color.parentFlag->name, "ParentColor");
    EXPECT_EQ(reg.classNamed("TForm").findProperty("Width")->storedPredicate, "IsFormSizeStored");
    EXPECT_EQ(reg.classNamed("TEdit").nameProperty, "Text");
    EXPECT_EQ(reg.classNamed("TSpeedButton").nameProperty, "");
}

TEST(ClassRegistry, TypesCarryElementsIdentifiersAndEventParameters)
{
    const auto& reg = classes();
    const TypeInfo& anchors = *reg.classNamed("TLabel").findProperty("Anchors")->type;
    ASSERT_EQ(anchors.kind, TypeKind::Set);
    EXPECT_EQ(anchors.elementType->elements, split("akLeft akTop akRight akBottom"));
    // The marquee's scroll style and the memo's share a name, not their values.
    const TypeInfo& memoScroll = *reg.classNamed("TMemo").findProperty("ScrollBars")->type;
    const TypeInfo& marqueeScroll = *reg.classNamed("TMarquee").findProperty("ScrollStyle")->type;
    EXPECT_EQ(memoScroll.name, "TScrollStyle");
    EXPECT_EQ(marqueeScroll.name, "TScrollStyle");
    EXPECT_EQ(memoScroll.elements, split("ssNone ssHorizontal ssVertical ssBoth"));
    EXPECT_EQ(marqueeScroll.elements, split("ssScroll ssBlink ssBounce"));
    EXPECT_EQ(reg.findType("TGradientStyle")->elements.size(), 24u);
    EXPECT_EQ(reg.findType("TCommonAVI")->elements.size(), 9u);

    std::int64_t v = 0;
    const TypeInfo& colour = reg.typeNamed("TColor");
    EXPECT_TRUE(colour.valueOfIdent("clbtnface", v));
    EXPECT_EQ(v, -16777201);
    EXPECT_EQ(colour.identFor(0xC0C0C0)->name, "clSilver");
    EXPECT_EQ(reg.typeNamed("TCursor").identFor(-21)->name, "crHandPoint");

    const TypeInfo& mouse = *reg.classNamed("TButton").findProperty("OnMouseDown")->type;
    EXPECT_EQ(mouse.name, "TMouseEvent");
    EXPECT_EQ(mouse.params, "(Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer)");
    const TypeInfo& help = *reg.classNamed("TForm").findProperty("OnHelp")->type;
    EXPECT_EQ(help.params, "(Command: Word; Data: Longint; var CallHelp: Boolean)");
    EXPECT_EQ(help.resultType, "Boolean");
    EXPECT_EQ(reg.typeNamed("TWebBrowserBeforeNavigate2").params.find(";,"), std::string::npos);
    EXPECT_EQ(reg.classNamed("TWebBrowser").findProperty("OnDocumentComplete")->type->name,
              "TWebBrowserDocumentComplete");
}

TEST(ClassRegistry, TableMistakesNameTheirLine)
{
    struct Row {
        const char* table;
        const char* message;
    } rows[] = {
        {"int I 0 9\nclass A\n  published X: Nothing", "line 3: unknown type Nothing"},
        {"class A\nclass A", "line 2: class A is declared twice"},
        {"bool B\nclass A\n  published X: B = 3", "line 3: X: 3 is not a valid Boolean value"},
        {"class A\n  publish Missing", "line 2: Missing is not declared in an ancestor of A"},
        {"forward B", "class B was declared forward but never defined"},
        {"enum E a b\nclass A\n  published X: E = c", "line 3: X: 'c' is not a valid E value"},
    };
    for (const auto& r : rows) {
        try {
            ClassRegistry::fromTables({r.table});
            ADD_FAILURE() << r.table;
        } catch (const platform::Error& e) {
            EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos) << e.what();
        }
    }
}

TEST(ShortCuts, TextAndValueBothWays)
{
    struct Row {
        std::int64_t value;
        const char* text;
    } rows[] = {{0, ""},
                {0x41, "A"},
                {0x4000 | 0x53, "Ctrl+S"},
                {0x8000 | 0x41, "Alt+A"},
                {0x2000 | 0x4000 | 0x74, "Shift+Ctrl+F5"},
                {0x2E, "Del"}};
    for (const auto& r : rows) {
        EXPECT_EQ(shortCutToText(r.value), r.text);
        std::int64_t back = -1;
        EXPECT_TRUE(textToShortCut(r.text, back));
        EXPECT_EQ(back, r.value);
    }
    std::int64_t v = 0;
    EXPECT_TRUE(textToShortCut("ctrl+j", v));
    EXPECT_EQ(v, 0x4000 | 0x4A);
    EXPECT_FALSE(textToShortCut("Hyper+A", v));
    EXPECT_FALSE(textToShortCut("Ctrl+", v));
}
