// The class table of the stock classes: the base types, the persistent classes and the standard
// controls, with the published properties, defaults and stored rules that forms made with the platform's
// class library carry.
//
// The table language (read by class_table_parser.cpp), one statement per line, '#' starts a comment,
// a line ending with ',' continues on the next:
//   int NAME MIN MAX [idents=colors|cursors|charsets] [shortcut]
//   int64 NAME | char NAME | bool NAME | string NAME [wide] | float NAME single|double|extended|currency|date
//   enum NAME ELEMENT...          set NAME ELEMENTTYPE          forward CLASSNAME
//   event NAME = (PARAMS)[: RESULT]
//   class NAME [: PARENT] [abstract] [streamed] [component|graphic|windowed] [container] [tile]
//         [ownedbyparent] [namesto=PROP] [items=CLASS] [role=strings|picture|graphic|collection]
// and inside a class:
//   published|public|custom NAME: TYPE [ATTRS]       declares a property; "custom" of a published
//                                                   one streams it after the published properties
//   publish NAME [ATTRS], ...                       publishes (or redeclares) inherited properties
//   init PATH = VALUE, ...                          values a new instance starts with
// ATTRS: = VALUE (the default) | nodefault | stored=False | stored=FLAG | stored=!FLAG | stored=@RULE |
//        parent=FLAG | readonly | writeonly. An ordinal or set property without a default is always
// written; a string is written when not empty, a float when not zero.
#include "vcl/class_registry.h"

namespace vcl {

std::string_view stockClassTable()
{
    return R"TABLE(
# ---- simple types --------------------------------------------------------------------------------
int Integer -2147483648 2147483647
int Longint -2147483648 2147483647
int Cardinal 0 4294967295
int LongWord 0 4294967295
int Word 0 65535
int Byte 0 255
int Smallint -32768 32767
int ShortInt -128 127
int THandle 0 4294967295
int hrgn 0 4294967295
int TColor -2147483648 2147483647 idents=colors
int TCursor -32768 32767 idents=cursors
int TFontCharset 0 255 idents=charsets
int TShortCut 0 65535 shortcut
int THelpContext -2147483648 2147483647
int TTabOrder -1 32767
int TBorderWidth 0 2147483647
int TBevelWidth 1 2147483647
int TConstraintSize 0 2147483647
int TModalResult -2147483648 2147483647
int TScrollBarInc 1 32767
int TNumGlyphs 1 4
int TAlphaBlendValue 0 255
int TProgressRange -2147483648 2147483647
int TSynEditorCommand 0 65535
int64 Int64
char Char
bool Boolean
bool WordBool
string string
string TCaption
string TFontName
string TComponentName
string TImeName
string TFileName
string WideString wide
float Single single
float Double double
float Extended extended
float Currency currency
float TDateTime date

enum TAlign alNone alTop alBottom alLeft alRight alClient alCustom
enum TAnchorKind akLeft akTop akRight akBottom
set TAnchors TAnchorKind
enum TAlignment taLeftJustify taRightJustify taCenter
enum TLeftRight taLeftJustify taRightJustify
enum TBiDiMode bdLeftToRight bdRightToLeft bdRightToLeftNoAlign bdRightToLeftReadingOnly
enum TDragKind dkDrag dkDock
enum TDragMode dmManual dmAutomatic
enum THelpType htKeyword htContext
enum TTextLayout tlTop tlCenter tlBottom
enum TBevelCut bvNone bvLowered bvRaised bvSpace
enum TBevelEdge beLeft beTop beRight beBottom
set TBevelEdges TBevelEdge
enum TBevelKind bkNone bkTile bkSoft bkFlat
enum TBorderStyle bsNone bsSingle
enum TFormBorderStyle bsNone bsSingle bsSizeable bsDialog bsToolWindow bsSizeToolWin
enum TBorderIcon biSystemMenu biMinimize biMaximize biHelp
set TBorderIcons TBorderIcon
enum TEditCharCase ecNormal ecUpperCase ecLowerCase
enum TImeMode imDisable imClose imOpen imDontCare imSAlpha imAlpha imHira imSKata imKata imChinese,
     imSHanguel imHanguel
enum TScrollStyle ssNone ssHorizontal ssVertical ssBoth
enum TCheckBoxState cbUnchecked cbChecked cbGrayed
enum TListBoxStyle lbStandard lbOwnerDrawFixed lbOwnerDrawVariable lbVirtual lbVirtualOwnerDraw
enum TComboBoxStyle csDropDown csSimple csDropDownList csOwnerDrawFixed csOwnerDrawVariable
enum TDefaultMonitor dmDesktop dmPrimary dmMainForm dmActiveForm
enum TFormStyle fsNormal fsMDIChild fsMDIForm fsStayOnTop
enum TPosition poDesigned poDefault poDefaultPosOnly poDefaultSizeOnly poScreenCenter poDesktopCenter,
     poMainFormCenter poOwnerFormCenter
enum TPrintScale poNone poProportional poPrintToFit
enum TWindowState wsNormal wsMinimized wsMaximized
enum TFontPitch fpDefault fpVariable fpFixed
enum TFontStyle fsBold fsItalic fsUnderline fsStrikeOut
set TFontStyles TFontStyle
enum TScrollBarStyle ssRegular ssFlat ssHotTrack
enum TBitBtnKind bkCustom bkOK bkCancel bkHelp bkYes bkNo bkClose bkAbort bkRetry bkIgnore bkAll
enum TButtonLayout blGlyphLeft blGlyphRight blGlyphTop blGlyphBottom
enum TButtonStyle bsAutoDetect bsWin31 bsNew
enum TShapeType stRectangle stSquare stRoundRect stRoundSquare stEllipse stCircle
enum TBrushStyle bsSolid bsClear bsHorizontal bsVertical bsFDiagonal bsBDiagonal bsCross bsDiagCross
enum TPenMode pmBlack pmWhite pmNop pmNot pmCopy pmNotCopy pmMergePenNot pmMaskPenNot pmMergeNotPen,
     pmMaskNotPen pmMerge pmNotMerge pmMask pmNotMask pmXor pmNotXor
enum TPenStyle psSolid psDash psDot psDashDot psDashDotDot psClear psInsideFrame
enum TBevelShape bsBox bsFrame bsTopLine bsBottomLine bsLeftLine bsRightLine bsSpacer
enum TBevelStyle bsLowered bsRaised
enum TTrackBarOrientation trHorizontal trVertical
enum TTickMark tmBottomRight tmTopLeft tmBoth
enum TTickStyle tsNone tsAuto tsManual
enum TProgressBarOrientation pbHorizontal pbVertical
enum THKModifier hkShift hkCtrl hkAlt hkExt
set THKModifiers THKModifier
enum THKInvalidKey hcNone hcShift hcCtrl hcAlt hcShiftCtrl hcShiftAlt hcCtrlAlt hcShiftCtrlAlt
set THKInvalidKeys THKInvalidKey
enum TCommonAVI aviNone aviFindFolder aviFindFile aviFindComputer aviCopyFiles aviCopyFile,
     aviRecycleFile aviEmptyRecycle aviDeleteFile

# ---- event types ---------------------------------------------------------------------------------
event TNotifyEvent = (Sender: TObject)
event TMouseEvent = (Sender: TObject; Button: TMouseButton; Shift: TShiftState; X, Y: Integer)
event TMouseMoveEvent = (Sender: TObject; Shift: TShiftState; X, Y: Integer)
event TKeyEvent = (Sender: TObject; var Key: Word; Shift: TShiftState)
event TKeyPressEvent = (Sender: TObject; var Key: Char)
event TDragDropEvent = (Sender, Source: TObject; X, Y: Integer)
event TDragOverEvent = (Sender, Source: TObject; X, Y: Integer; State: TDragState; var Accept: Boolean)
event TEndDragEvent = (Sender, Target: TObject; X, Y: Integer)
event TStartDragEvent = (Sender: TObject; var DragObject: TDragObject)
event TStartDockEvent = (Sender: TObject; var DragObject: TDragDockObject)
event TContextPopupEvent = (Sender: TObject; MousePos: TPoint; var Handled: Boolean)
event TCanResizeEvent = (Sender: TObject; var NewWidth, NewHeight: Integer; var Resize: Boolean)
event TConstrainedResizeEvent = (Sender: TObject; var MinWidth, MinHeight, MaxWidth, MaxHeight: Integer)
event TDockDropEvent = (Sender: TObject; Source: TDragDockObject; X, Y: Integer)
event TDockOverEvent = (Sender: TObject; Source: TDragDockObject; X, Y: Integer; State: TDragState;,
      var Accept: Boolean)
event TUnDockEvent = (Sender: TObject; Client: TControl; NewTarget: TWinControl; var Allow: Boolean)
event TGetSiteInfoEvent = (Sender: TObject; DockClient: TControl; var InfluenceRect: TRect;,
      MousePos: TPoint; var CanDock: Boolean)
event TMouseWheelEvent = (Sender: TObject; Shift: TShiftState; WheelDelta: Integer; MousePos: TPoint;,
      var Handled: Boolean)
event TMouseWheelUpDownEvent = (Sender: TObject; Shift: TShiftState; MousePos: TPoint;,
      var Handled: Boolean)
event THelpEvent = (Command: Word; Data: Longint; var CallHelp: Boolean): Boolean
event TCloseEvent = (Sender: TObject; var Action: TCloseAction)
event TCloseQueryEvent = (Sender: TObject; var CanClose: Boolean)
event TShortCutEvent = (var Msg: TWMKey; var Handled: Boolean)
event TDrawItemEvent = (Control: TWinControl; Index: Integer; Rect: TRect; State: TOwnerDrawState)
event TMeasureItemEvent = (Control: TWinControl; Index: Integer; var Height: Integer)
event TLBGetDataEvent = (Control: TWinControl; Index: Integer; var Data: string)
event TLBFindDataEvent = (Control: TWinControl; FindString: string): Integer
event TLBGetDataObjectEvent = (Control: TWinControl; Index: Integer; var DataObject: TObject)
event TProgressEvent = (Sender: TObject; Stage: TProgressStage; PercentDone: Byte; RedrawNow: Boolean;,
      const R: TRect; const Msg: string)
event TRichEditResizeEvent = (Sender: TObject; Rect: TRect)
event TRichEditProtectChange = (Sender: TObject; StartPos, EndPos: Integer; var AllowChange: Boolean)
event TRichEditSaveClipboard = (Sender: TObject; NumObjects, NumChars: Integer;,
      var SaveClipboard: Boolean)

# ---- base classes --------------------------------------------------------------------------------
class TObject abstract
class TPersistent : TObject abstract
class TComponent : TPersistent abstract component
  published Name: TComponentName stored=False
  published Tag: Longint = 0
class TBasicAction : TComponent abstract
class TMenuItem : TComponent abstract
class TMenu : TComponent abstract
class TMainMenu : TMenu abstract
class TPopupMenu : TMenu abstract

class TStrings : TPersistent abstract role=strings
class TStringList : TStrings
class TGraphic : TPersistent abstract role=graphic
class TBitmap : TGraphic
class TIcon : TGraphic
class TPicture : TPersistent role=picture
class TCollectionItem : TPersistent abstract
class TCollection : TPersistent role=collection items=TCollectionItem

class TFont : TPersistent
  published Charset: TFontCharset
  published Color: TColor
  published Height: Integer
  published Name: TFontName
  published Pitch: TFontPitch = fpDefault
  published Size: Integer stored=False  # points, computed from Height at 96 pixels per inch
  published Style: TFontStyles
  init Charset = DEFAULT_CHARSET, Color = clWindowText, Height = -11, Name = 'MS Sans Serif', Style = []
class TBrush : TPersistent
  published Color: TColor = clWhite
  published Style: TBrushStyle = bsSolid
class TPen : TPersistent
  published Color: TColor = clBlack
  published Mode: TPenMode = pmCopy
  published Style: TPenStyle = psSolid
  published Width: Integer = 1
class TSizeConstraints : TPersistent
  published MaxHeight: TConstraintSize = 0
  published MaxWidth: TConstraintSize = 0
  published MinHeight: TConstraintSize = 0
  published MinWidth: TConstraintSize = 0
class TControlScrollBar : TPersistent
  published ButtonSize: Integer = 0
  published Color: TColor = clBtnHighlight stored=!ParentColor
  published Increment: TScrollBarInc = 8 stored=!Smooth
  published Margin: Word = 0
  published ParentColor: Boolean = True
  published Position: Integer = 0
  published Range: Integer = 0 stored=@IsRangeStored  # an auto-scrolling control computes it
  published Smooth: Boolean = False
  published Size: Integer = 0
  published Style: TScrollBarStyle = ssRegular
  published ThumbSize: Integer = 0
  published Tracking: Boolean = False
  published Visible: Boolean = True

class TControl : TComponent abstract graphic namesto=Caption
  published Left: Integer
  published Top: Integer
  published Width: Integer
  published Height: Integer
  published Cursor: TCursor = crDefault
  published Hint: string
  published HelpType: THelpType = htContext
  published HelpKeyword: string
  published HelpContext: THelpContext = 0
  public Action: TBasicAction
  public Align: TAlign = alNone
  public Anchors: TAnchors = [akLeft, akTop]
  public AutoSize: Boolean = False
  public BiDiMode: TBiDiMode = bdLeftToRight stored=!ParentBiDiMode parent=ParentBiDiMode
  public Caption: TCaption
  public ClientHeight: Integer stored=False
  public ClientWidth: Integer stored=False
  public Color: TColor = clWindow stored=!ParentColor parent=ParentColor
  public Constraints: TSizeConstraints
  public DragCursor: TCursor = crDrag
  public DragKind: TDragKind = dkDrag
  public DragMode: TDragMode = dmManual
  public Enabled: Boolean = True
  public Font: TFont stored=!ParentFont parent=ParentFont
  public ParentBiDiMode: Boolean = True
  public ParentColor: Boolean = True
  public ParentFont: Boolean = True
  public ParentShowHint: Boolean = True
  public PopupMenu: TPopupMenu
  public ShowHint: Boolean stored=!ParentShowHint parent=ParentShowHint
  public Text: TCaption
  public Visible: Boolean = True
  public OnCanResize: TCanResizeEvent
  public OnClick: TNotifyEvent
  public OnConstrainedResize: TConstrainedResizeEvent
  public OnContextPopup: TContextPopupEvent
  public OnDblClick: TNotifyEvent
  public OnDragDrop: TDragDropEvent
  public OnDragOver: TDragOverEvent
  public OnEndDock: TEndDragEvent
  public OnEndDrag: TEndDragEvent
  public OnMouseDown: TMouseEvent
  public OnMouseEnter: TNotifyEvent
  public OnMouseLeave: TNotifyEvent
  public OnMouseMove: TMouseMoveEvent
  public OnMouseUp: TMouseEvent
  public OnMouseWheel: TMouseWheelEvent
  public OnMouseWheelDown: TMouseWheelUpDownEvent
  public OnMouseWheelUp: TMouseWheelUpDownEvent
  public OnResize: TNotifyEvent
  public OnStartDock: TStartDockEvent
  public OnStartDrag: TStartDragEvent

class TWinControl : TControl abstract windowed
  published TabStop: Boolean = False
  public BevelEdges: TBevelEdges = [beLeft, beTop, beRight, beBottom]
  public BevelInner: TBevelCut = bvRaised
  public BevelKind: TBevelKind = bkNone
  public BevelOuter: TBevelCut = bvLowered
  public BevelWidth: TBevelWidth = 1
  public BorderWidth: TBorderWidth = 0
  public Ctl3D: Boolean stored=!ParentCtl3D parent=ParentCtl3D
  public DockSite: Boolean = False
  public ImeMode: TImeMode = imDontCare
  public ImeName: TImeName
  public ParentCtl3D: Boolean = True
  public TabOrder: TTabOrder = -1
  public UseDockManager: Boolean = False
  public OnDockDrop: TDockDropEvent
  public OnDockOver: TDockOverEvent
  public OnEnter: TNotifyEvent
  public OnExit: TNotifyEvent
  public OnGetSiteInfo: TGetSiteInfoEvent
  public OnKeyDown: TKeyEvent
  public OnKeyPress: TKeyPressEvent
  public OnKeyUp: TKeyEvent
  public OnUnDock: TUnDockEvent
  init Ctl3D = True

class TGraphicControl : TControl abstract graphic
class TCustomControl : TWinControl abstract
class TScrollingWinControl : TWinControl abstract
  public AutoScroll: Boolean = True
  public HorzScrollBar: TControlScrollBar
  public VertScrollBar: TControlScrollBar

# ---- the form ------------------------------------------------------------------------------------
class TCustomForm : TScrollingWinControl abstract container
  public ActiveControl: TWinControl
  public AlphaBlend: Boolean = False
  public AlphaBlendValue: TAlphaBlendValue = 255
  public BorderIcons: TBorderIcons = [biSystemMenu, biMinimize, biMaximize]
  public BorderStyle: TFormBorderStyle = bsSizeable
  public DefaultMonitor: TDefaultMonitor = dmActiveForm
  public FormStyle: TFormStyle = fsNormal
  public HelpFile: string
  public Icon: TIcon
  public KeyPreview: Boolean = False
  public Menu: TMainMenu
  public ObjectMenuItem: TMenuItem
  public OldCreateOrder: Boolean
  public PixelsPerInch: Integer
  public Position: TPosition = poDesigned
  public PrintScale: TPrintScale = poProportional
  public Scaled: Boolean = True
  public ScreenSnap: Boolean = False
  public SnapBuffer: Integer = 10
  public TransparentColor: Boolean = False
  public TransparentColorValue: TColor = 0
  public WindowMenu: TMenuItem
  public WindowState: TWindowState = wsNormal
  public OnActivate: TNotifyEvent
  public OnClose: TCloseEvent
  public OnCloseQuery: TCloseQueryEvent
  public OnCreate: TNotifyEvent
  public OnDeactivate: TNotifyEvent
  public OnDestroy: TNotifyEvent
  public OnHelp: THelpEvent
  public OnHide: TNotifyEvent
  public OnPaint: TNotifyEvent
  public OnShortCut: TShortCutEvent
  public OnShow: TNotifyEvent
  init Visible = False, ParentColor = False, ParentFont = False, Color = clBtnFace, Width = 320, Height = 240,
       PixelsPerInch = 96, OldCreateOrder = False

class TForm : TCustomForm streamed
  publish Width stored=@IsFormSizeStored, Height stored=@IsFormSizeStored
  publish Action, ActiveControl, Align, AlphaBlend, AlphaBlendValue, Anchors, AutoScroll, AutoSize,
          BiDiMode, BorderIcons, BorderStyle, BorderWidth, Caption,
          ClientHeight stored=@IsClientSizeStored, ClientWidth stored=@IsClientSizeStored,
          Color nodefault, TransparentColor, TransparentColorValue, Constraints, Ctl3D, UseDockManager,
          DefaultMonitor, DockSite, DragKind, DragMode, Enabled, ParentFont = False, Font, FormStyle,
          HelpFile, HorzScrollBar, Icon, KeyPreview, Menu, OldCreateOrder, ObjectMenuItem,
          ParentBiDiMode, PixelsPerInch stored=False, PopupMenu, Position, PrintScale, Scaled, ScreenSnap,
          SnapBuffer, ShowHint, VertScrollBar, Visible = False, WindowState, WindowMenu,
          OnActivate, OnCanResize, OnClick, OnClose, OnCloseQuery, OnConstrainedResize, OnContextPopup,
          OnCreate, OnDblClick, OnDestroy, OnDeactivate, OnDockDrop, OnDockOver, OnDragDrop, OnDragOver,
          OnEndDock, OnGetSiteInfo, OnHide, OnHelp, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown,
          OnMouseMove, OnMouseUp, OnMouseWheel, OnMouseWheelDown, OnMouseWheelUp, OnPaint, OnResize,
          OnShortCut, OnShow, OnStartDock, OnUnDock
  custom PixelsPerInch: Integer
  custom TextHeight: Integer
  init TextHeight = 13

# ---- standard controls ---------------------------------------------------------------------------
class TCustomLabel : TGraphicControl abstract
  public Alignment: TAlignment = taLeftJustify
  public AutoSize: Boolean = True
  public FocusControl: TWinControl
  public Layout: TTextLayout = tlTop
  public ShowAccelChar: Boolean = True
  public Transparent: Boolean = False
  public WordWrap: Boolean = False
  init Width = 65, Height = 17, AutoSize = True

class TLabel : TCustomLabel streamed
  publish Align, Alignment, Anchors, AutoSize, BiDiMode, Caption, Color nodefault, Constraints,
          DragCursor, DragKind, DragMode, Enabled, FocusControl, Font, ParentBiDiMode, ParentColor,
          ParentFont, ParentShowHint, PopupMenu, ShowAccelChar, ShowHint, Transparent, Layout, Visible,
          WordWrap, OnClick, OnContextPopup, OnDblClick, OnDragDrop, OnDragOver, OnEndDock, OnEndDrag,
          OnMouseDown, OnMouseMove, OnMouseUp, OnMouseEnter, OnMouseLeave, OnStartDock, OnStartDrag

class TCustomEdit : TWinControl abstract namesto=Text
  public AutoSelect: Boolean = True
  public AutoSize: Boolean = True
  public BorderStyle: TBorderStyle = bsSingle
  public CharCase: TEditCharCase = ecNormal
  public HideSelection: Boolean = True
  public MaxLength: Integer = 0
  public OEMConvert: Boolean = False
  public ParentColor: Boolean = False
  public PasswordChar: Char = #0
  public ReadOnly: Boolean = False
  public TabStop: Boolean = True
  public OnChange: TNotifyEvent
  init Width = 121, Height = 21, AutoSize = True, ParentColor = False, TabStop = True

class TEdit : TCustomEdit streamed
  publish Anchors, AutoSelect, AutoSize, BevelEdges, BevelInner, BevelKind, BevelOuter, BiDiMode,
          BorderStyle, CharCase, Color, Constraints, Ctl3D, DragCursor, DragKind, DragMode, Enabled, Font,
          HideSelection, ImeMode, ImeName, MaxLength, OEMConvert, ParentBiDiMode, ParentColor, ParentCtl3D,
          ParentFont, ParentShowHint, PasswordChar, PopupMenu, ReadOnly, ShowHint, TabOrder, TabStop,
          Text, Visible, OnChange, OnClick, OnContextPopup, OnDblClick, OnDragDrop, OnDragOver, OnEndDock,
          OnEndDrag, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseMove, OnMouseUp,
          OnStartDock, OnStartDrag

class TCustomMemo : TCustomEdit abstract namesto=Lines
  public Alignment: TAlignment = taLeftJustify
  public AutoSize: Boolean = False
  public Lines: TStrings
  public ScrollBars: TScrollStyle = ssNone
  public WantReturns: Boolean = True
  public WantTabs: Boolean = False
  public WordWrap: Boolean = True
  init Width = 185, Height = 89, AutoSize = False

class TMemo : TCustomMemo streamed
  publish Align, Alignment, Anchors, BevelEdges, BevelInner, BevelKind, BevelOuter, BiDiMode,
          BorderStyle, Color, Constraints, Ctl3D, DragCursor, DragKind, DragMode, Enabled, Font,
          HideSelection, ImeMode, ImeName, Lines, MaxLength, OEMConvert, ParentBiDiMode, ParentColor,
          ParentCtl3D, ParentFont, ParentShowHint, PopupMenu, ReadOnly, ScrollBars, ShowHint, TabOrder,
          TabStop, Visible, WantReturns, WantTabs, WordWrap, OnChange, OnClick, OnContextPopup, OnDblClick,
          OnDragDrop, OnDragOver, OnEndDock, OnEndDrag, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp,
          OnMouseDown, OnMouseMove, OnMouseUp, OnStartDock, OnStartDrag

class TCustomRichEdit : TCustomMemo abstract
  public HideScrollBars: Boolean = True
  public PlainText: Boolean = False
  public OnProtectChange: TRichEditProtectChange
  public OnResizeRequest: TRichEditResizeEvent
  public OnSaveClipboard: TRichEditSaveClipboard
  public OnSelectionChange: TNotifyEvent

class TRichEdit : TCustomRichEdit streamed
  publish Align, Alignment, Anchors, BevelEdges, BevelInner, BevelOuter, BevelKind, BiDiMode,
          BorderStyle, BorderWidth, Color, Ctl3D, DragCursor, DragKind, DragMode, Enabled, Font,
          HideSelection, HideScrollBars, ImeMode, ImeName, Constraints, Lines, MaxLength, ParentBiDiMode,
          ParentColor, ParentCtl3D, ParentFont, ParentShowHint, PlainText, PopupMenu, ReadOnly,
          ScrollBars, ShowHint, TabOrder, TabStop, Visible, WantTabs, WantReturns, WordWrap, OnChange,
          OnContextPopup, OnDragDrop, OnDragOver, OnEndDock, OnEndDrag, OnEnter, OnExit, OnKeyDown,
          OnKeyPress, OnKeyUp, OnMouseDown, OnMouseMove, OnMouseUp, OnMouseWheel, OnMouseWheelDown,
          OnMouseWheelUp, OnProtectChange, OnResizeRequest, OnSaveClipboard, OnSelectionChange,
          OnStartDock, OnStartDrag

class TButtonControl : TWinControl abstract
  public Checked: Boolean = False
  public TabStop: Boolean = True
  public WordWrap: Boolean = False
  init TabStop = True

class TButton : TButtonControl streamed
  public Cancel: Boolean = False
  public Default: Boolean = False
  public ModalResult: TModalResult = 0
  publish Action, Anchors, BiDiMode, Cancel, Caption, Constraints, Default, DragCursor, DragKind,
          DragMode, Enabled, Font, ModalResult, ParentBiDiMode, ParentFont, ParentShowHint, PopupMenu,
          ShowHint, TabOrder, TabStop, Visible, OnClick, OnContextPopup, OnDragDrop, OnDragOver,
          OnEndDock, OnEndDrag, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseMove,
          OnMouseUp, OnStartDock, OnStartDrag
  init Width = 75, Height = 25

class TCheckBox : TButtonControl streamed
  public Alignment: TLeftRight = taRightJustify
  public AllowGrayed: Boolean = False
  public State: TCheckBoxState = cbUnchecked
  publish Action, Alignment, AllowGrayed, Anchors, BiDiMode, Caption, Checked, Color nodefault,
          Constraints, Ctl3D, DragCursor, DragKind, DragMode, Enabled, Font, ParentBiDiMode, ParentColor,
          ParentCtl3D, ParentFont, ParentShowHint, PopupMenu, ShowHint, State, TabOrder, TabStop, Visible,
          WordWrap, OnClick, OnContextPopup, OnDblClick, OnDragDrop, OnDragOver, OnEndDock, OnEndDrag,
          OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseMove, OnMouseUp,
          OnStartDock, OnStartDrag
  init Width = 97, Height = 17

class TRadioButton : TButtonControl streamed
  public Alignment: TLeftRight = taRightJustify
  publish Action, Alignment, Anchors, BiDiMode, Caption, Checked, Color nodefault, Constraints, Ctl3D,
          DragCursor, DragKind, DragMode, Enabled, Font, ParentBiDiMode, ParentColor, ParentCtl3D,
          ParentFont, ParentShowHint, PopupMenu, ShowHint, TabOrder, TabStop = False, Visible, WordWrap,
          OnClick, OnContextPopup, OnDblClick, OnDragDrop, OnDragOver, OnEndDock, OnEndDrag, OnEnter,
          OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseMove, OnMouseUp, OnStartDock,
          OnStartDrag
  init Width = 113, Height = 17, TabStop = False

class TCustomListBox : TWinControl abstract
  public AutoComplete: Boolean = True
  public BorderStyle: TBorderStyle = bsSingle
  public Columns: Integer = 0
  public ExtendedSelect: Boolean = True
  public IntegralHeight: Boolean = False
  public ItemHeight: Integer = 16
  public Items: TStrings
  public MultiSelect: Boolean = False
  public ParentColor: Boolean = False
  public ScrollWidth: Integer = 0
  public Sorted: Boolean = False
  public Style: TListBoxStyle = lbStandard
  public TabStop: Boolean = True
  public TabWidth: Integer = 0
  public OnData: TLBGetDataEvent
  public OnDataFind: TLBFindDataEvent
  public OnDataObject: TLBGetDataObjectEvent
  public OnDrawItem: TDrawItemEvent
  public OnMeasureItem: TMeasureItemEvent
  init Width = 121, Height = 97, ParentColor = False, TabStop = True, ItemHeight = 16

class TListBox : TCustomListBox streamed
  publish Style, AutoComplete, Align, Anchors, BevelEdges, BevelInner, BevelKind, BevelOuter, BiDiMode,
          BorderStyle, Color, Columns, Constraints, Ctl3D, DragCursor, DragKind, DragMode, Enabled,
          ExtendedSelect, Font, ImeMode, ImeName, IntegralHeight, ItemHeight, Items, MultiSelect,
          ParentBiDiMode, ParentColor, ParentCtl3D, ParentFont, ParentShowHint, PopupMenu, ScrollWidth,
          ShowHint, Sorted, TabOrder, TabStop, TabWidth, Visible, OnClick, OnContextPopup, OnData,
          OnDataFind, OnDataObject, OnDblClick, OnDragDrop, OnDragOver, OnDrawItem, OnEndDock, OnEndDrag,
          OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMeasureItem, OnMouseDown, OnMouseMove,
          OnMouseUp, OnStartDock, OnStartDrag

class TCustomComboBox : TWinControl abstract namesto=Text
  public AutoComplete: Boolean = True
  public AutoCloseUp: Boolean = False
  public AutoDropDown: Boolean = False
  public CharCase: TEditCharCase = ecNormal
  public DropDownCount: Integer = 8
  public ItemHeight: Integer = 16
  public ItemIndex: Integer = -1
  public Items: TStrings
  public MaxLength: Integer = 0
  public ParentColor: Boolean = False
  public Sorted: Boolean = False
  public Style: TComboBoxStyle = csDropDown
  public TabStop: Boolean = True
  public OnChange: TNotifyEvent
  public OnCloseUp: TNotifyEvent
  public OnDrawItem: TDrawItemEvent
  public OnDropDown: TNotifyEvent
  public OnMeasureItem: TMeasureItemEvent
  public OnSelect: TNotifyEvent
  init Width = 145, Height = 21, ParentColor = False, TabStop = True, ItemHeight = 16

class TComboBox : TCustomComboBox streamed
  publish AutoComplete, AutoDropDown, AutoCloseUp, BevelEdges, BevelInner, BevelKind, BevelOuter, Style,
          Anchors, BiDiMode, CharCase, Color, Constraints, Ctl3D, DragCursor, DragKind, DragMode,
          DropDownCount, Enabled, Font, ImeMode, ImeName, ItemHeight, ItemIndex, MaxLength, ParentBiDiMode,
          ParentColor, ParentCtl3D, ParentFont, ParentShowHint, PopupMenu, ShowHint, Sorted, TabOrder,
          TabStop, Text, Visible, OnChange, OnClick, OnCloseUp, OnContextPopup, OnDblClick, OnDragDrop,
          OnDragOver, OnDrawItem, OnDropDown, OnEndDock, OnEndDrag, OnEnter, OnExit, OnKeyDown,
          OnKeyPress, OnKeyUp, OnMeasureItem, OnMouseDown, OnMouseMove, OnMouseUp, OnSelect, OnStartDock,
          OnStartDrag, Items

class TCustomPanel : TCustomControl abstract container
  public Alignment: TAlignment = taCenter
  public BevelInner: TBevelCut = bvNone
  public BevelOuter: TBevelCut = bvRaised
  public BorderStyle: TBorderStyle = bsNone
  public Color: TColor = clBtnFace stored=!ParentColor parent=ParentColor
  public FullRepaint: Boolean = True
  public Locked: Boolean = False
  public UseDockManager: Boolean = True
  init Width = 185, Height = 41, Color = clBtnFace, UseDockManager = True

class TPanel : TCustomPanel streamed
  publish Align, Alignment, Anchors, AutoSize, BevelInner, BevelOuter, BevelWidth, BiDiMode,
          BorderWidth, BorderStyle, Caption, Color, Constraints, Ctl3D, UseDockManager, DockSite,
          DragCursor, DragKind, DragMode, Enabled, FullRepaint, Font, Locked, ParentBiDiMode, ParentColor,
          ParentCtl3D, ParentFont, ParentShowHint, PopupMenu, ShowHint, TabOrder, TabStop, Visible,
          OnCanResize, OnClick, OnConstrainedResize, OnContextPopup, OnDockDrop, OnDockOver, OnDblClick,
          OnDragDrop, OnDragOver, OnEndDock, OnEndDrag, OnEnter, OnExit, OnGetSiteInfo, OnMouseDown,
          OnMouseMove, OnMouseUp, OnResize, OnStartDock, OnStartDrag, OnUnDock

# A kind other than bkCustom gives the button its caption, default and cancel flags, modal result and
# glyph; only a caption of its own is stored then.
class TBitBtn : TButton streamed
  published Glyph: TBitmap stored=@IsCustom
  published Kind: TBitBtnKind = bkCustom
  published Layout: TButtonLayout = blGlyphLeft
  published Margin: Integer = -1
  published NumGlyphs: TNumGlyphs = 1 stored=@IsCustom
  published Style: TButtonStyle = bsAutoDetect
  published Spacing: Integer = 4
  publish Cancel stored=@IsCustom, Caption stored=@IsCustomCaption, Default stored=@IsCustom,
          ModalResult stored=@IsCustom
  init Width = 75, Height = 25

class TSpeedButton : TGraphicControl streamed namesto=
  public AllowAllUp: Boolean = False
  public GroupIndex: Integer = 0
  public Down: Boolean = False
  public Flat: Boolean = False
  public Glyph: TBitmap
  public Layout: TButtonLayout = blGlyphLeft
  public Margin: Integer = -1
  public NumGlyphs: TNumGlyphs = 1
  public Spacing: Integer = 4
  public Transparent: Boolean = True
  publish Action, AllowAllUp, Anchors, BiDiMode, Constraints, GroupIndex, Down, Caption, Enabled, Flat,
          Font, Glyph, Layout, Margin, NumGlyphs, ParentFont, ParentShowHint, ParentBiDiMode, PopupMenu,
          ShowHint, Spacing, Transparent, Visible, OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp
  init Width = 23, Height = 22

class TImage : TGraphicControl streamed namesto=
  public Center: Boolean = False
  public IncrementalDisplay: Boolean = False
  public Picture: TPicture
  public Proportional: Boolean = False
  public Stretch: Boolean = False
  public Transparent: Boolean = False
  public OnProgress: TProgressEvent
  publish Align, Anchors, AutoSize, Center, Constraints, DragCursor, DragKind, DragMode, Enabled,
          IncrementalDisplay, ParentShowHint, Picture, PopupMenu, Proportional, ShowHint, Stretch,
          Transparent, Visible, OnClick, OnContextPopup, OnDblClick, OnDragDrop, OnDragOver, OnEndDock,
          OnEndDrag, OnMouseDown, OnMouseMove, OnMouseUp, OnProgress, OnStartDock, OnStartDrag
  init Width = 105, Height = 105

class TShape : TGraphicControl streamed namesto=
  public Brush: TBrush
  public Pen: TPen
  public Shape: TShapeType = stRectangle
  publish Align, Anchors, Brush, DragCursor, DragKind, DragMode, Enabled, Constraints, ParentShowHint,
          Pen, Shape, ShowHint, Visible, OnContextPopup, OnDragDrop, OnDragOver, OnEndDock, OnEndDrag,
          OnMouseDown, OnMouseMove, OnMouseUp, OnStartDock, OnStartDrag
  init Width = 65, Height = 65

class TBevel : TGraphicControl streamed namesto=
  public Shape: TBevelShape = bsBox
  public Style: TBevelStyle = bsLowered
  publish Align, Anchors, Constraints, ParentShowHint, Shape, ShowHint, Style, Visible
  init Width = 50, Height = 50

class TPaintBox : TGraphicControl streamed namesto=
  public OnPaint: TNotifyEvent
  publish Align, Anchors, Color, Constraints, DragCursor, DragKind, DragMode, Enabled, Font, ParentColor,
          ParentFont, ParentShowHint, PopupMenu, ShowHint, Visible, OnClick, OnContextPopup, OnDblClick,
          OnDragDrop, OnDragOver, OnEndDock, OnEndDrag, OnMouseDown, OnMouseMove, OnMouseUp, OnPaint,
          OnStartDock, OnStartDrag
  init Width = 105, Height = 105

class TCustomGroupBox : TCustomControl abstract container
  init Width = 185, Height = 105

class TGroupBox : TCustomGroupBox streamed
  publish Align, Anchors, BiDiMode, Caption, Color, Constraints, Ctl3D, DockSite, DragCursor, DragKind,
          DragMode, Enabled, Font, ParentBiDiMode, ParentColor, ParentCtl3D, ParentFont, ParentShowHint,
          PopupMenu, ShowHint, TabOrder, TabStop, Visible, OnClick, OnContextPopup, OnDblClick,
          OnDragDrop, OnDockDrop, OnDockOver, OnDragOver, OnEndDock, OnEndDrag, OnEnter, OnExit,
          OnGetSiteInfo, OnMouseDown, OnMouseMove, OnMouseUp, OnStartDock, OnStartDrag, OnUnDock

class TRadioGroup : TCustomGroupBox streamed
  public Columns: Integer = 1
  public ItemIndex: Integer = -1
  public Items: TStrings
  publish Align, Anchors, BiDiMode, Caption, Color, Columns, Constraints, Ctl3D, DragCursor, DragKind,
          DragMode, Enabled, Font, ItemIndex, Items, ParentBiDiMode, ParentColor, ParentCtl3D, ParentFont,
          ParentShowHint, PopupMenu, ShowHint, TabOrder, TabStop, Visible, OnClick, OnContextPopup,
          OnDragDrop, OnDragOver, OnEndDock, OnEndDrag, OnEnter, OnExit, OnStartDock, OnStartDrag
  init Columns = 1

class TNotebook : TCustomControl streamed namesto=
  public ActivePage: string stored=False
  public PageIndex: Integer = 0
  public Pages: TStrings stored=False
  public OnPageChanged: TNotifyEvent
  publish ActivePage, Align, Anchors, Color, Ctl3D, DragCursor, DragKind, DragMode, Font, Enabled,
          Constraints, PageIndex, Pages, ParentColor, ParentCtl3D, ParentFont, ParentShowHint, PopupMenu,
          ShowHint, TabOrder, TabStop, Visible, OnClick, OnContextPopup, OnDragDrop, OnDragOver, OnEndDock,
          OnEndDrag, OnEnter, OnExit, OnMouseDown, OnMouseMove, OnMouseUp, OnPageChanged, OnStartDock,
          OnStartDrag
  init Width = 150, Height = 150

# A page of a notebook; pages are created by their notebook and carry no name of their own.
class TPage : TCustomControl streamed container ownedbyparent namesto=
  publish Caption, Height stored=False, TabOrder stored=False, Visible stored=False, Width stored=False

# ---- Win32 controls ------------------------------------------------------------------------------
class TTrackBar : TWinControl streamed namesto=
  public Frequency: Integer = 1
  public LineSize: Integer = 1
  public Max: Integer = 10
  public Min: Integer = 0
  public Orientation: TTrackBarOrientation = trHorizontal
  public PageSize: Integer = 2
  public Position: Integer = 0
  public SelEnd: Integer = 0
  public SelStart: Integer = 0
  public SliderVisible: Boolean = True
  public ThumbLength: Integer = 20
  public TickMarks: TTickMark = tmBottomRight
  public TickStyle: TTickStyle = tsAuto
  public OnChange: TNotifyEvent
  publish Align, Anchors, BorderWidth, Constraints, Ctl3D, DragCursor, DragKind, DragMode, Enabled,
          Frequency, LineSize, Max, Min, Orientation, ParentCtl3D, ParentShowHint, PageSize, PopupMenu,
          Position, SelEnd, SelStart, ShowHint, SliderVisible, TabOrder, TabStop = True, ThumbLength,
          TickMarks, TickStyle, Visible, OnContextPopup, OnChange, OnDragDrop, OnDragOver, OnEndDock,
          OnEndDrag, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnStartDock, OnStartDrag
  init Width = 150, Height = 45, TabStop = True

# Min and Max have no default: forms always carry both.
class TProgressBar : TWinControl streamed namesto=
  public Min: Integer
  public Max: Integer
  public Orientation: TProgressBarOrientation = pbHorizontal
  public Position: Integer = 0
  public Smooth: Boolean = False
  public Step: Integer = 10
  publish Align, Anchors, BorderWidth, DragCursor, DragKind, DragMode, Enabled, Constraints, Min, Max,
          Orientation, ParentShowHint, PopupMenu, Position, Smooth, Step, ShowHint, TabOrder, TabStop,
          Visible, OnContextPopup, OnDragDrop, OnDragOver, OnEndDock, OnEndDrag, OnEnter, OnExit,
          OnMouseDown, OnMouseMove, OnMouseUp, OnStartDock, OnStartDrag
  init Width = 150, Height = 16, Max = 100

# HotKey, InvalidKeys and Modifiers have no default: forms always carry them ("HotKey = 32833" is Alt+A).
class TCustomHotKey : TWinControl abstract namesto=
  public AutoSize: Boolean = True
  public HotKey: TShortCut
  public InvalidKeys: THKInvalidKeys
  public Modifiers: THKModifiers
  public OnChange: TNotifyEvent
  init Width = 121, Height = 19, TabStop = True, HotKey = 32833, InvalidKeys = [hcNone, hcShift],
       Modifiers = [hkAlt]

class THotKey : TCustomHotKey streamed
  publish Anchors, AutoSize, BiDiMode, Constraints, Enabled, HotKey, InvalidKeys, Modifiers, ParentBiDiMode,
          ParentShowHint, PopupMenu, ShowHint, TabOrder, TabStop = True, Visible, OnChange, OnContextPopup,
          OnEnter, OnExit, OnMouseDown, OnMouseMove, OnMouseUp

class TAnimate : TWinControl streamed namesto=
  public Active: Boolean = False
  public Center: Boolean = True
  public CommonAVI: TCommonAVI = aviNone
  public FileName: TFileName
  public FrameCount: Integer readonly
  public FrameHeight: Integer readonly
  public FrameWidth: Integer readonly
  public Open: Boolean stored=False
  public Repetitions: Integer = 0
  public ResHandle: THandle stored=False
  public ResId: Integer = 0
  public ResName: string
  public StartFrame: Smallint = 1
  public StopFrame: Smallint = 0
  public Timers: Boolean = False
  public Transparent: Boolean = True
  public OnClose: TNotifyEvent
  public OnOpen: TNotifyEvent
  public OnStart: TNotifyEvent
  public OnStop: TNotifyEvent
  publish Align, Active, Anchors, AutoSize = True, BorderWidth, Center, Color, CommonAVI, Constraints,
          FileName, FrameCount, FrameHeight, FrameWidth, Open, ParentColor, ParentShowHint, PopupMenu,
          Repetitions, ResHandle, ResId, ResName, ShowHint, StartFrame, StopFrame, Timers, Transparent,
          Visible, OnClose, OnOpen, OnStart, OnStop
  init Width = 100, Height = 80, AutoSize = True
)TABLE";
}

} // namespace vcl
