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

} // namespace

TEST(ClassRegistry, BuildsFromTheBuiltInTables)
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
    }
    EXPECT_EQ(reg.findStreamableClass("tnotebook"), reg.findClass("TNotebook"));
    EXPECT_EQ(reg.findStreamableClass("TStringGrid"), nullptr);
    EXPECT_EQ(reg.findStreamableClass("TControl"), nullptr);
}
