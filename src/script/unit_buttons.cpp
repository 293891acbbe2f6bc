// Buttons: the speed button and the bitmap button with their glyph layouts and kinds.
#include "script/standard_units.h"

namespace script {

using namespace decl;

static constexpr Decl kButtons[] = {
    type("TButtonLayout", "(blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)"),
    type("TButtonState", "(bsUp, bsDisabled, bsDown, bsExclusive)"),
    type("TButtonStyle", "(bsAutoDetect, bsWin31, bsNew)"),
    type("TNumGlyphs", "Integer"),
    type("TBitBtnKind", "(bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, "
                        "bkIgnore, bkAll)"),

    cls("TSpeedButton", "TGraphicControl"),
    method("procedure Click;"),
    prop("AllowAllUp", "Boolean"),
    prop("Caption", "string"),
    prop("Down", "Boolean"),
    prop("Flat", "Boolean"),
    prop("Font", "TFont"),
    prop("Glyph", "TBitmap"),
    prop("GroupIndex", "Integer"),
    prop("Layout", "TButtonLayout"),
    prop("Margin", "Integer"),
    prop("NumGlyphs", "TNumGlyphs"),
    prop("ParentFont", "Boolean"),
    prop("ParentShowHint", "Boolean"),
    prop("PopupMenu", "TPopupMenu"),
    prop("Spacing", "Integer"),
    prop("Transparent", "Boolean"),
    prop("OnClick", "TNotifyEvent"),
    prop("OnDblClick", "TNotifyEvent"),
    prop("OnMouseDown", "TMouseEvent"),
    prop("OnMouseMove", "TMouseMoveEvent"),
    prop("OnMouseUp", "TMouseEvent"),

    cls("TBitBtn", "TButton"),
    prop("Glyph", "TBitmap"),
    prop("Kind", "TBitBtnKind"),
    prop("Layout", "TButtonLayout"),
    prop("Margin", "Integer"),
    prop("NumGlyphs", "TNumGlyphs"),
    prop("Spacing", "Integer"),
    prop("Style", "TButtonStyle"),
};

std::span<const Decl> buttonsUnit()
{
    return kButtons;
}

} // namespace script
