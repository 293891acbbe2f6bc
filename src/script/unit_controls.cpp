// Controls: the control hierarchy (TControl, TWinControl, TGraphicControl, TCustomControl), the cursor
// and modal-result constants, and the mouse, key and drag event types. TPopupMenu is named here ahead
// of the menus unit, which completes it, so that the PopupMenu properties of the controls declared
// before the menus unit register; TControl is completed with Parent once TWinControl exists.
//
// The key of TKeyEvent is an Integer var parameter. The support library declares WORD as an alias of
// integer, so the handlers scripts write ("var Key: Word", as the handler template has it) take an
// Integer; the key events of every control registered with this type accept them. (The support
// library's own TKeyEvent, registered before that alias, keeps the built-in Word.)
#include "script/standard_units.h"

namespace script {

using namespace decl;

static constexpr Decl kControls[] = {
    type("TCursor", "Integer"),
    intConst("crDefault", 0),
    intConst("crNone", -1),
    intConst("crArrow", -2),
    intConst("crCross", -3),
    intConst("crIBeam", -4),
    intConst("crSize", -22),
    intConst("crSizeNESW", -6),
    intConst("crSizeNS", -7),
    intConst("crSizeNWSE", -8),
    intConst("crSizeWE", -9),
    intConst("crUpArrow", -10),
    intConst("crHourGlass", -11),
    intConst("crDrag", -12),
    intConst("crNoDrop", -13),
    intConst("crHSplit", -14),
    intConst("crVSplit", -15),
    intConst("crMultiDrag", -16),
    intConst("crSQLWait", -17),
    intConst("crNo", -18),
    intConst("crAppStart", -19),
    intConst("crHelp", -20),
    intConst("crHandPoint", -21),
    intConst("crSizeAll", -22),
    type("TModalResult", "Integer"),
    intConst("mrNone", 0),
    intConst("mrOk", 1),
    intConst("mrCancel", 2),
    intConst("mrAbort", 3),
    intConst("mrRetry", 4),
    intConst("mrIgnore", 5),
    intConst("mrYes", 6),
    intConst("mrNo", 7),
    intConst("mrAll", 8),
    intConst("mrNoToAll", 9),
    intConst("mrYesToAll", 10),
    type("TAlign", "(alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)"),
    type("TAnchorKind", "(akLeft, akTop, akRight, akBottom)"),
    type("TAnchors", "set of TAnchorKind"),
    type("TMouseButton", "(mbLeft, mbRight, mbMiddle)"),
    type("TDragMode", "(dmManual, dmAutomatic)"),
    type("TDragKind", "(dkDrag, dkDock)"),
    type("TDragState", "(dsDragEnter, dsDragLeave, dsDragMove)"),
    type("TFormBorderStyle", "(bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)"),
    type("TBorderStyle", "TFormBorderStyle"),
    type("TBorderWidth", "Integer"),

    cls("TDragObject", "TObject"),
    method("procedure HideDragImage;"),
    method("procedure ShowDragImage;"),
    prop("Cancelling", "Boolean"),
    prop("DragPos", "TPoint"),
    prop("DragTargetPos", "TPoint"),
    propR("MouseDeltaX", "Double"),
    propR("MouseDeltaY", "Double"),

    type("TMouseEvent",
         "procedure (Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer)"),
    type("TMouseMoveEvent", "procedure (Sender: TObject; Shift: TShiftState; X, Y: Integer)"),
    type("TKeyEvent", "procedure (Sender: TObject; var Key: Integer; Shift: TShiftState)"),
    type("TKeyPressEvent", "procedure (Sender: TObject; var Key: Char)"),
    type("TDragOverEvent", "procedure (Sender, Source: TObject; X, Y: Integer; State: TDragState; "
                           "var Accept: Boolean)"),
    type("TDragDropEvent", "procedure (Sender, Source: TObject; X, Y: Integer)"),
    type("TStartDragEvent", "procedure (Sender: TObject; var DragObject: TDragObject)"),
    type("TEndDragEvent", "procedure (Sender, Target: TObject; X, Y: Integer)"),
    type("TConstrainedResizeEvent",
         "procedure (Sender: TObject; var MinWidth, MinHeight, MaxWidth, MaxHeight: Integer)"),

    cls("TPopupMenu", "TComponent"),

    cls("TControl", "TComponent"),
    method("procedure BeginDrag(Immediate: Boolean);"),
    method("procedure BringToFront;"),
    method("function ClientToScreen(const Point: TPoint): TPoint;"),
    method("function Dragging: Boolean;"),
    method("procedure EndDrag(Drop: Boolean);"),
    method("function GetTextLen: Integer;"),
    method("procedure Hide;"),
    method("procedure Invalidate;"),
    method("function Perform(Msg: Cardinal; WParam, LParam: Longint): Longint;"),
    method("procedure Refresh;"),
    method("procedure Repaint;"),
    method("function ScreenToClient(const Point: TPoint): TPoint;"),
    method("procedure SendToBack;"),
    method("procedure SetBounds(ALeft, ATop, AWidth, AHeight: Integer);"),
    method("procedure Show;"),
    method("procedure Update;"),
    prop("Align", "TAlign"),
    prop("Anchors", "TAnchors"),
    prop("BoundsRect", "TRect"),
    prop("ClientHeight", "Integer"),
    propR("ClientOrigin", "TPoint"),
    propR("ClientRect", "TRect"),
    prop("ClientWidth", "Integer"),
    prop("Enabled", "Boolean"),
    prop("ShowHint", "Boolean"),
    prop("Visible", "Boolean"),
    prop("Left", "Integer"),
    prop("Top", "Integer"),
    prop("Width", "Integer"),
    prop("Height", "Integer"),
    prop("Cursor", "TCursor"),
    prop("Hint", "string"),
    prop("HelpKeyword", "string"),
    prop("HelpContext", "THelpContext"),

    cls("TWinControl", "TControl"),
    method("function CanFocus: Boolean;"),
    method("function ContainsControl(Control: TControl): Boolean;"),
    method("function ControlAtPos(const Pos: TPoint; AllowDisabled: Boolean): TControl;"),
    method("procedure DisableAlign;"),
    method("procedure EnableAlign;"),
    method("function Focused: Boolean;"),
    method("function HandleAllocated: Boolean;"),
    method("procedure HandleNeeded;"),
    method("procedure InsertControl(AControl: TControl);"),
    method("procedure Realign;"),
    method("procedure RemoveControl(AControl: TControl);"),
    method("procedure ScaleBy(M, D: Integer);"),
    method("procedure ScrollBy(DeltaX, DeltaY: Integer);"),
    method("procedure SetFocus;"),
    propR("Brush", "TBrush"),
    propR("Controls", "TControl Integer"),
    propR("ControlCount", "Integer"),
    prop("DoubleBuffered", "Boolean"),
    propR("Handle", "Integer"),
    propR("Showing", "Boolean"),

    cls("TControl", "TComponent"),
    prop("Parent", "TWinControl"),

    cls("TGraphicControl", "TControl"),
    cls("TCustomControl", "TWinControl"),
};

std::span<const Decl> controlsUnit()
{
    return kControls;
}

} // namespace script
