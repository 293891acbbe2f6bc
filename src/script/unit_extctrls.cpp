// Extended controls: shapes, paint boxes, images, bevels, the timer, panels, notebooks and their pages,
// radio groups. Registered after the studio's TPicture, which TImage uses.
#include "script/standard_units.h"

namespace script {

using namespace decl;

#define LMB_DRAG_PROPS                                                                                       \
    prop("DragCursor", "TCursor"), prop("DragKind", "TDragKind"), prop("DragMode", "TDragMode")
#define LMB_DRAG_EVENTS                                                                                      \
    prop("OnDragDrop", "TDragDropEvent"), prop("OnDragOver", "TDragOverEvent"),                              \
        prop("OnEndDock", "TEndDragEvent"), prop("OnEndDrag", "TEndDragEvent"),                              \
        prop("OnStartDrag", "TStartDragEvent")
#define LMB_MOUSE_EVENTS                                                                                     \
    prop("OnMouseDown", "TMouseEvent"), prop("OnMouseMove", "TMouseMoveEvent"),                              \
        prop("OnMouseUp", "TMouseEvent")

static constexpr Decl kExtCtrls[] = {
    type("TShapeType", "(stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle)"),
    type("TBevelStyle", "(bsLowered, bsRaised)"),
    type("TBevelShape", "(bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)"),
    type("TPanelBevel", "(bvNone, bvLowered, bvRaised, bvSpace)"),
    type("TBevelWidth", "Integer"),

    cls("TShape", "TGraphicControl"),
    method("procedure StyleChanged(Sender: TObject);"),
    prop("Brush", "TBrush"),
    LMB_DRAG_PROPS,
    prop("ParentShowHint", "Boolean"),
    prop("Pen", "TPen"),
    prop("Shape", "TShapeType"),
    LMB_DRAG_EVENTS,
    LMB_MOUSE_EVENTS,

    cls("TPaintBox", "TGraphicControl"),
    propR("Canvas", "TCanvas"),
    prop("Color", "TColor"),
    LMB_DRAG_PROPS,
    prop("Font", "TFont"),
    prop("ParentColor", "Boolean"),
    prop("ParentFont", "Boolean"),
    prop("ParentShowHint", "Boolean"),
    prop("PopupMenu", "TPopupMenu"),
    prop("OnClick", "TNotifyEvent"),
    prop("OnDblClick", "TNotifyEvent"),
    prop("OnPaint", "TNotifyEvent"),
    LMB_DRAG_EVENTS,
    LMB_MOUSE_EVENTS,

    cls("TImage", "TGraphicControl"),
    propR("Canvas", "TCanvas"),
    prop("AutoSize", "Boolean"),
    prop("Center", "Boolean"),
    LMB_DRAG_PROPS,
    prop("IncrementalDisplay", "Boolean"),
    prop("ParentShowHint", "Boolean"),
    prop("Picture", "TPicture"),
    prop("PopupMenu", "TPopupMenu"),
    prop("Proportional", "Boolean"),
    prop("Stretch", "Boolean"),
    prop("Transparent", "Boolean"),
    prop("OnClick", "TNotifyEvent"),
    prop("OnDblClick", "TNotifyEvent"),
    LMB_DRAG_EVENTS,
    LMB_MOUSE_EVENTS,

    cls("TBevel", "TGraphicControl"),
    prop("ParentShowHint", "Boolean"),
    prop("Shape", "TBevelShape"),
    prop("Style", "TBevelStyle"),

    cls("TTimer", "TComponent"),
    prop("Enabled", "Boolean"),
    prop("Interval", "Cardinal"),
    prop("OnTimer", "TNotifyEvent"),

    cls("TCustomPanel", "TCustomControl"),
    cls("TPanel", "TCustomPanel"),
    prop("Alignment", "TAlignment"),
    prop("AutoSize", "Boolean"),
    prop("BevelInner", "TPanelBevel"),
    prop("BevelOuter", "TPanelBevel"),
    prop("BevelWidth", "TBevelWidth"),
    prop("BorderWidth", "TBorderWidth"),
    prop("BorderStyle", "TBorderStyle"),
    prop("Caption", "string"),
    prop("Color", "TColor"),
    prop("Ctl3D", "Boolean"),
    LMB_DRAG_PROPS,
    prop("FullRepaint", "Boolean"),
    prop("Font", "TFont"),
    prop("Locked", "Boolean"),
    prop("ParentColor", "Boolean"),
    prop("ParentCtl3D", "Boolean"),
    prop("ParentFont", "Boolean"),
    prop("ParentShowHint", "Boolean"),
    prop("PopupMenu", "TPopupMenu"),
    prop("TabOrder", "Integer"),
    prop("TabStop", "Boolean"),
    prop("OnClick", "TNotifyEvent"),
    prop("OnDblClick", "TNotifyEvent"),
    prop("OnEnter", "TNotifyEvent"),
    prop("OnExit", "TNotifyEvent"),
    prop("OnResize", "TNotifyEvent"),
    LMB_DRAG_EVENTS,
    LMB_MOUSE_EVENTS,

    cls("TPage", "TCustomControl"),
    prop("Caption", "string"),
    prop("TabOrder", "Integer"),
    prop("OnEnter", "TNotifyEvent"),
    prop("OnExit", "TNotifyEvent"),
    prop("OnResize", "TNotifyEvent"),

    cls("TNotebook", "TCustomControl"),
    prop("ActivePage", "string"),
    prop("Color", "TColor"),
    prop("Ctl3D", "Boolean"),
    LMB_DRAG_PROPS,
    prop("Font", "TFont"),
    prop("PageIndex", "Integer"),
    prop("Pages", "TStrings"),
    prop("ParentColor", "Boolean"),
    prop("ParentCtl3D", "Boolean"),
    prop("ParentFont", "Boolean"),
    prop("ParentShowHint", "Boolean"),
    prop("PopupMenu", "TPopupMenu"),
    prop("TabOrder", "Integer"),
    prop("TabStop", "Boolean"),
    prop("OnClick", "TNotifyEvent"),
    prop("OnDblClick", "TNotifyEvent"),
    prop("OnEnter", "TNotifyEvent"),
    prop("OnExit", "TNotifyEvent"),
    prop("OnPageChanged", "TNotifyEvent"),
    prop("OnDragDrop", "TDragDropEvent"),
    prop("OnDragOver", "TDragOverEvent"),
    prop("OnEndDrag", "TEndDragEvent"),
    prop("OnStartDrag", "TStartDragEvent"),
    LMB_MOUSE_EVENTS,

    cls("TCustomRadioGroup", "TCustomGroupBox"),
    cls("TRadioGroup", "TCustomRadioGroup"),
    prop("Caption", "string"),
    prop("Color", "TColor"),
    prop("Columns", "Integer"),
    prop("Ctl3D", "Boolean"),
    LMB_DRAG_PROPS,
    prop("Font", "TFont"),
    prop("ItemIndex", "Integer"),
    prop("Items", "TStrings"),
    prop("ParentColor", "Boolean"),
    prop("ParentCtl3D", "Boolean"),
    prop("ParentFont", "Boolean"),
    prop("ParentShowHint", "Boolean"),
    prop("PopupMenu", "TPopupMenu"),
    prop("TabOrder", "Integer"),
    prop("TabStop", "Boolean"),
    prop("OnClick", "TNotifyEvent"),
    prop("OnEnter", "TNotifyEvent"),
    prop("OnExit", "TNotifyEvent"),
    prop("OnDragDrop", "TDragDropEvent"),
    prop("OnDragOver", "TDragOverEvent"),
    prop("OnEndDrag", "TEndDragEvent"),
    prop("OnStartDrag", "TStartDragEvent"),
};

#undef LMB_DRAG_PROPS
#undef LMB_DRAG_EVENTS
#undef LMB_MOUSE_EVENTS

std::span<const Decl> extCtrlsUnit()
{
    return kExtCtrls;
}

} // namespace script
