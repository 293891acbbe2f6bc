// Identifier tables of the integer types that streams and inspectors show by name (colours, cursors,
// character sets), and the text form of key combinations.
#include "platform/text_encoding.h"
#include "vcl/class_registry.h"

#include <array>
#include <cstdio>

namespace vcl {
namespace {

constexpr std::int64_t sys(int index)
{
    return static_cast<std::int32_t>(0xFF000000u | static_cast<unsigned>(index));
}

// Enumeration order of the colour names; a value with several names (clSilver, clLtGray) shows the
// first.
constexpr std::array<IdentEntry, 52> kColors = {{
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {sys(10), "clActiveBorder"},
    {sys(2), "clActiveCaption"},
    {sys(12), "clAppWorkSpace"},
    {sys(1), "clBackground"},
    {sys(15), "clBtnFace"},
    {sys(20), "clBtnHighlight"},
    {sys(16), "clBtnShadow"},
    {sys(18), "clBtnText"},
    {sys(9), "clCaptionText"},
    {0x20000000, "clDefault"},
    {sys(27), "clGradientActiveCaption"},
    {sys(28), "clGradientInactiveCaption"},
    {sys(17), "clGrayText"},
    {sys(13), "clHighlight"},
    {sys(14), "clHighlightText"},
    {sys(26), "clHotLight"},
    {sys(11), "clInactiveBorder"},
    {sys(3), "clInactiveCaption"},
    {sys(19), "clInactiveCaptionText"},
    {sys(24), "clInfoBk"},
    {sys(23), "clInfoText"},
    {sys(4), "clMenu"},
    {sys(30), "clMenuBar"},
    {sys(29), "clMenuHighlight"},
    {sys(7), "clMenuText"},
    {0x1FFFFFFF, "clNone"},
    {sys(0), "clScrollBar"},
    {sys(21), "cl3DDkShadow"},
    {sys(22), "cl3DLight"},
    {sys(5), "clWindow"},
    {sys(6), "clWindowFrame"},
    {sys(8), "clWindowText"},
}};

constexpr std::array<IdentEntry, 22> kCursors = {{
    {0, "crDefault"},     {-1, "crNone"},     {-2, "crArrow"},    {-3, "crCross"},     {-4, "crIBeam"},
    {-6, "crSizeNESW"},   {-7, "crSizeNS"},   {-8, "crSizeNWSE"}, {-9, "crSizeWE"},    {-10, "crUpArrow"},
    {-11, "crHourGlass"}, {-12, "crDrag"},    {-13, "crNoDrop"},  {-14, "crHSplit"},   {-15, "crVSplit"},
    {-16, "crMultiDrag"}, {-17, "crSQLWait"}, {-18, "crNo"},      {-19, "crAppStart"}, {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"},
}};

constexpr std::array<IdentEntry, 19> kCharsets = {{
    {0, "ANSI_CHARSET"},      {1, "DEFAULT_CHARSET"},    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},      {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},   {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},   {162, "TURKISH_CHARSET"},  {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},  {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"}, {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
}};

// Modifier bits of a shortcut value: the low byte is the virtual key code.
constexpr std::int64_t kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;

struct KeyName {
    int code;
    const char* name;
};

constexpr KeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

std::string keyName(int code)
{
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
        return std::string(1, static_cast<char>(code));
    if (code >= 0x70 && code <= 0x87) {
        std::string f = "F";
        f += std::to_string(code - 0x6F);
        return f;
    }
    for (const auto& k : kKeyNames)
        if (k.code == code)
            return k.name;
    return {};
}

} // namespace

std::span<const IdentEntry> colorIdents()
{
    return kColors;
}

std::span<const IdentEntry> cursorIdents()
{
    return kCursors;
}

std::span<const IdentEntry> charsetIdents()
{
    return kCharsets;
}

std::string shortCutToText(std::int64_t shortCut)
{
    if (shortCut <= 0 || shortCut > 0xFFFF)
        return {};
    const std::string key = keyName(static_cast<int>(shortCut & 0xFF));
    if (key.empty())
        return std::to_string(shortCut);
    std::string text;
    if (shortCut & kShift)
        text += "Shift+";
    if (shortCut & kCtrl)
        text += "Ctrl+";
    if (shortCut & kAlt)
        text += "Alt+";
    return text + key;
}

bool textToShortCut(std::string_view text, std::int64_t& shortCut)
{
    if (text.empty()) {
        shortCut = 0;
        return true;
    }
    std::int64_t modifiers = 0;
    for (;;) {
        const auto plus = text.find('+', 1); // a lone "+" is not a modifier separator
        if (plus == std::string_view::npos)
            break;
        const auto word = text.substr(0, plus);
        if (platform::equalsNoCase(word, "Shift"))
            modifiers |= kShift;
        else if (platform::equalsNoCase(word, "Ctrl"))
            modifiers |= kCtrl;
        else if (platform::equalsNoCase(word, "Alt"))
            modifiers |= kAlt;
        else
            return false;
        text.remove_prefix(plus + 1);
    }
    for (int code = 1; code < 256; ++code) {
        const std::string name = keyName(code);
        if (!name.empty() && platform::equalsNoCase(name, text)) {
            shortCut = modifiers | code;
            return true;
        }
    }
    return false;
}

} // namespace vcl
