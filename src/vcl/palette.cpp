// Palette tables.
#include "vcl/palette.h"

#include "platform/text_encoding.h"
#include "vcl/class_registry.h"

#include <array>

namespace vcl {

namespace {

using K = PaletteKind;

constexpr std::array<PaletteEntry, 37> kInsertable = {{
    {"TLabel", K::Stock, "Standard"},
    {"TEdit", K::Stock, "Standard"},
    {"TMemo", K::Stock, "Standard"},
    {"TButton", K::Stock, "Standard"},
    {"TCheckBox", K::Stock, "Standard"},
    {"TRadioButton", K::Stock, "Standard"},
    {"TListBox", K::Stock, "Standard"},
    {"TComboBox", K::Stock, "Standard"},
    {"TPanel", K::Stock, "Standard"},
    {"TBitBtn", K::Stock, "Additional"},
    {"TSpeedButton", K::Stock, "Additional"},
    {"TRichEditViewer", K::Pack, "Win32"},
    {"TImage", K::Stock, "Additional"},
    {"TShape", K::Stock, "Additional"},
    {"TBevel", K::Stock, "Additional"},
    {"TTrackBar", K::Stock, "Win32"},
    {"TProgressBar", K::Stock, "Win32"},
    {"THotKey", K::Stock, "Win32"},
    {"TAnimate", K::Stock, "Win32"},
    {"TWebBrowser", K::Placeholder, "ActiveX"},
    {"TNotebook", K::Stock, "Extra"},
    {"TGradient", K::Pack, "Extra"},
    {"TTextAnimator", K::Pack, "Extra"},
    {"TTextFader", K::Pack, "Extra"},
    {"TCoolForm", K::Pack, "Extra"},
    {"TGroupBox", K::Stock, "Standard"},
    {"TRadioGroup", K::Stock, "Standard"},
    {"TPicShow", K::Pack, "Extra"},
    {"TMarquee", K::Pack, "Extra"},
    {"TImgBtn", K::Pack, "Extra"},
    {"TInteractiveLabel", K::Studio, "Extra"},
    {"TShockwaveFlash", K::Placeholder, "ActiveX"},
    {"TMCIObject", K::Studio, "Win32"},
    {"TMSAgent", K::Placeholder, "ActiveX"},
    {"TScrollingCredits", K::Pack, "Extra"},
    {"TWindowsMediaPlayer", K::Placeholder, "ActiveX"},
    {"TTimer", K::Placeholder, "Win32"},
}};

const std::vector<PaletteCategory>& categories()
{
    static const std::vector<PaletteCategory> c = {
        {"All Controls",
         {"TLabel",
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
          "TRichEditViewer",
          "TImage",
          "TShape",
          "TBevel",
          "TTrackBar",
          "TProgressBar",
          "THotKey",
          "TAnimate",
          "TWebBrowser",
          "TNoteBook",
          "TGradient",
          "TTextAnimator",
          "TTextFader",
          "TCoolForm",
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
          "TWindowsMediaPlayer",
          "TTimer"}},
        {"Standard",
         {"TLabel", "TEdit", "TMemo", "TButton", "TCheckBox", "TRadioButton", "TListBox", "TComboBox",
          "TPanel", "TGroupBox", "TRadioGroup"}},
        {"Additional", {"TBitBtn", "TSpeedButton", "TImage", "TShape", "TBevel"}},
        {"Win32",
         {"TTrackBar", "TProgressBar", "THotKey", "TAnimate", "TRichEditViewer", "TMCIObject", "TTimer"}},
        {"Extra",
         {"TNoteBook", "TGradient", "TTextAnimator", "TTextFader", "TCoolForm", "TInteractiveLabel",
          "TMarquee", "TImgBtn", "TPicShow", "TScrollingCredits"}},
        {"ActiveX", {"TWebBrowser", "TShockwaveFlash", "TMSAgent", "TWindowsMediaPlayer"}},
    };
    return c;
}

} // namespace

std::span<const PaletteEntry> insertableClasses()
{
    return kInsertable;
}

std::span<const PaletteCategory> paletteCategories()
{
    return categories();
}

std::string paletteList(std::string_view command)
{
    for (const auto& c : categories()) {
        if (c.command != command)
            continue;
        std::string list(kPaletteSelector);
        for (auto e : c.entries) {
            list += "\r\n";
            list += e;
        }
        return list;
    }
    return {};
}

const ClassInfo* insertableClassFor(std::string_view paletteText)
{
    for (const auto& e : kInsertable)
        if (platform::equalsNoCase(e.className, paletteText))
            return classes().findClass(e.className);
    return nullptr;
}

} // namespace vcl
