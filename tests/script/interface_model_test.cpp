// What scripts see once the whole sequence has run: dropped properties, classes that changed parent,
// access modes, types replaced by later declarations.
#include "script/interface_model.h"

#include <gtest/gtest.h>

using namespace script;

namespace {

const InterfaceModel& model()
{
    return InterfaceModel::system();
}

bool reaches(const char* cls, const char* member)
{
    return model().findProperty(cls, member) || model().findMethod(cls, member);
}

} // namespace

TEST(InterfaceModel, MembersThatScriptsReachAndThoseTheyDoNot)
{
    struct Row {
        const char* cls;
        const char* member;
        bool reachable;
    };
    const Row rows[] = {
        // a gradient's Rotation and Shift have types nobody declares
        {"TGradient", "Rotation", false},
        {"TGradient", "Shift", false},
        {"TGradient", "ColorBegin", true},
        {"TGradient", "OnMouseMove", true},
        // an interactive label loses Constraints and BIDIMODE but keeps its events
        {"TInteractiveLabel", "Constraints", false},
        {"TInteractiveLabel", "BIDIMODE", false},
        {"TInteractiveLabel", "OnMouseEnter", true},
        {"TInteractiveLabel", "PlayMusicOnClick", true},
        // a combo box hangs under TWinControl: only what is declared on it again stays
        {"TComboBox", "Items", true},
        {"TComboBox", "ItemIndex", true},
        {"TComboBox", "Text", true},
        {"TComboBox", "OnSelect", true},
        {"TComboBox", "DroppedDown", false},
        {"TComboBox", "SelLength", false},
        {"TComboBox", "SelStart", false},
        {"TComboBox", "SelText", false},
        {"TComboBox", "Canvas", false},
        {"TComboBox", "Clear", false},
        {"TComboBox", "SelectAll", false},
        // a web browser has no tab order, a shaped form's region has no handle
        {"TWebBrowser", "TabOrder", false},
        {"TWebBrowser", "HelpType", false},
        {"TWebBrowser", "OnDocumentComplete", true},
        {"TRegionType", "Fregion", false},
        {"TRichEditViewer", "BevelKind", false},
        {"TRichEditViewer", "ScrollBars", true},
        // the common members scripts use
        {"TButton", "Caption", true},
        {"TButton", "SetFocus", true},
        {"TForm", "ShowModal", true},
        {"TForm", "OnMouseWheel", true},
        {"TLabel", "OnMouseEnter", true},
        {"TMemo", "Lines", true},
        {"TMemo", "Text", true},
        {"TImage", "Picture", true},
        {"TApplication", "Terminate", true},
        {"TApplication", "ProcessMessages", true},
        {"TScreen", "Cursor", true},
        {"TStringList", "LoadFromFile", true},
        {"TInternalPlayList", "PlayNextFile", true},
        {"TInternalPlayList", "Add", true},
        {"TAutorunForm", "Caption", true},
        {"TTimerEx", "Interval", true},
    };
    for (const auto& r : rows)
        EXPECT_EQ(reaches(r.cls, r.member), r.reachable) << r.cls << "." << r.member;
}

TEST(InterfaceModel, AccessModesAndRedeclaredProperties)
{
    const auto* name = model().findProperty("TWebBrowser", "Name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->typeText, "WideString");
    EXPECT_EQ(name->access, Access::ReadOnly);

    const auto* rtf = model().findProperty("TRichEditViewer", "RTFText");
    ASSERT_NE(rtf, nullptr);
    EXPECT_EQ(rtf->access, Access::WriteOnly);

    // Repeated registrations of the interactive label add nothing: 32 properties of its own.
    const auto* label = model().findClass("TInteractiveLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->properties.size(), 32u);
}

TEST(InterfaceModel, LaterDeclarationsReplaceEarlierOnes)
{
    const auto* scroll = model().findType("TScrollStyle");
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->text, "( ssScroll, ssBlink, ssBounce )");
    EXPECT_TRUE(model().isA("TComboBox", "TWinControl"));
    EXPECT_FALSE(model().isA("TComboBox", "TCustomComboBox"));
    EXPECT_TRUE(model().isA("TIcon", "TPicture"));
    EXPECT_TRUE(model().isA("TCoolForm", "TImage"));
    EXPECT_TRUE(model().isA("TMCIObject", "TPanel"));
}
