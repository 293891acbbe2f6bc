// Class imports registered by the uses callback: the picture, the shaped form, the gradient, the common
// controls, the picture show, the rich text viewer, the text animator, the text fader, the marquee, the
// media player control and the internal play list, each with its own types first.
#include "script/class_imports.h"

namespace script {

using namespace decl;

static constexpr Decl kPicture[] = {
    cls("TPicture", "TPersistent"),
    method("Procedure LoadFromFile( const Filename : string)"),
    method("Procedure SaveToFile( const Filename : string)"),
    method("procedure Assign(Source: TPersistent);"),
};

// The region type's owner is a shaped form, and the shaped form holds region types: the form is named
// first with parent TObject and completed afterwards.
static constexpr Decl kCoolForm[] = {
    cls("TCoolForm", "TObject"),       cls("TRegionType", "TPersistent"),
    prop("owner", "TCoolForm"),        prop("Fregion", "hrgn"),
    cls("TCoolForm", "TImage"),        method("Function LoadMaskFromFile( FileName : String) : Boolean"),
    method("Procedure RefreshRegion"), prop("Mask2", "TRegionType"),
    prop("Mask", "TRegionType"),       prop("Draggable", "boolean"),
};

// The gradient's events are added by the support library (libraryExtensionsImport).
static constexpr Decl kGradient[] = {
    type("TGradientStyle",
         "( gsCustom, gsRadialC, gsRadialT, gsRadialB, gsRadialL, gsRadialR, gsRadialTL, gsRadialTR, "
         "gsRadialBL, gsRadialBR, gsLinearH, gsLinearV, gsReflectedH, gsReflectedV, gsDiagonalLF, "
         "gsDiagonalLB, gsDiagonalRF, gsDiagonalRB, gsArrowL, gsArrowR, gsArrowU, gsArrowD, gsDiamond, "
         "gsButterfly )"),
    cls("TGradient", "TGraphicControl"),
    method("Procedure InvalidatePattern"),
    method("Procedure BeginUpdate"),
    method("Procedure EndUpdate"),
    prop("ColorBegin", "TColor"),
    prop("ColorEnd", "TColor"),
    prop("Reverse", "Boolean"),
    prop("Rotation", "TGradientRotation"),
    prop("Shift", "TGradientShift"),
    prop("Style", "TGradientStyle"),
};

static constexpr Decl kCommonControls[] = {
    type("TTrackBarOrientation", "( trHorizontal, trVertical )"),
    type("TTickMark", "( tmBottomRight, tmTopLeft, tmBoth )"),
    type("TTickStyle", "( tsNone, tsAuto, tsManual )"),
    cls("TTrackBar", "TWinControl"),
    method("Procedure SetTick( Value : Integer)"),
    prop("LineSize", "Integer"),
    prop("Max", "Integer"),
    prop("Min", "Integer"),
    prop("Orientation", "TTrackBarOrientation"),
    prop("PageSize", "Integer"),
    prop("Frequency", "Integer"),
    prop("Position", "Integer"),
    prop("SliderVisible", "Boolean"),
    prop("SelEnd", "Integer"),
    prop("SelStart", "Integer"),
    prop("ThumbLength", "Integer"),
    prop("TickMarks", "TTickMark"),
    prop("TickStyle", "TTickStyle"),
    prop("OnChange", "TNotifyEvent"),
    prop("ONENTER", "TNOTIFYEVENT"),
    prop("OnEXIT", "TNOTIFYEVENT"),
    prop("OnKeyDown", "TKeyEvent"),
    prop("OnKeyUp", "TKeyEvent"),
    prop("OnKeyPress", "TKeyPressEvent"),
    type("TProgressRange", "Integer"),
    type("TProgressBarOrientation", "( pbHorizontal, pbVertical )"),
    cls("TProgressBar", "TWinControl"),
    method("Procedure StepIt"),
    method("Procedure StepBy( Delta : Integer)"),
    prop("Min", "Integer"),
    prop("Max", "Integer"),
    prop("Orientation", "TProgressBarOrientation"),
    prop("Position", "Integer"),
    prop("Smooth", "Boolean"),
    prop("Step", "Integer"),
    type("THKModifier", "( hkShift, hkCtrl, hkAlt, hkExt )"),
    type("THKModifiers", "set of THKModifier"),
    type("THKInvalidKey", "( hcNone, hcShift, hcCtrl, hcAlt, hcShiftCtrl, hcShiftAlt, hcCtrlAlt, "
                          "hcShiftCtrlAlt )"),
    type("THKInvalidKeys", "set of THKInvalidKey"),
    cls("TCustomHotKey", "TWinControl"),
    cls("THotKey", "TCustomHotKey"),
    prop("ONMOUSEDOWN", "TMOUSEEVENT"),
    prop("ONMOUSEUP", "TMOUSEEVENT"),
    prop("ONMOUSEMOVE", "TMOUSEMOVEEVENT"),
    type("TCommonAVI", "( aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, aviCopyFile, "
                       "aviRecycleFile, aviEmptyRecycle, aviDeleteFile )"),
    cls("TAnimate", "TWinControl"),
    method("Procedure Play( FromFrame, ToFrame : Word; Count : Integer)"),
    method("Procedure Reset"),
    method("Procedure Seek( Frame : Smallint)"),
    method("Procedure Stop"),
    propR("FrameCount", "Integer"),
    propR("FrameHeight", "Integer"),
    propR("FrameWidth", "Integer"),
    prop("Open", "Boolean"),
    prop("ResHandle", "THandle"),
    prop("ResId", "Integer"),
    prop("ResName", "string"),
    prop("Active", "Boolean"),
    prop("Center", "Boolean"),
    prop("CommonAVI", "TCommonAVI"),
    prop("FileName", "string"),
    prop("Repetitions", "Integer"),
    prop("StartFrame", "Smallint"),
    prop("StopFrame", "Smallint"),
    prop("Timers", "Boolean"),
    prop("Transparent", "Boolean"),
    prop("OnOpen", "TNotifyEvent"),
    typedConst("ComCtlVersionIE3", "LongWord", 262214),
    typedConst("ComCtlVersionIE4", "LongWord", 262215),
    typedConst("ComCtlVersionIE401", "LongWord", 262216),
    typedConst("ComCtlVersionIE5", "LongWord", 327760),
};

static constexpr Decl kPicShow[] = {
    typedConst("PS_THREADTERMINATED", "LongInt", 1025),
    type("TPercent", "Integer"),
    type("TShowStyle", "Integer"),
    type("TBackgroundMode", "( bmNone, bmTiled, bmStretched, bmCentered )"),
    type("TCustomDrawEvent", "Procedure ( Sender : TObject; Picture, Screen : TBitmap)"),
    cls("TCustomPicShow", "TCustomControl"),
    method("Procedure Execute"),
    method("Procedure Stop"),
    method("Procedure Clear"),
    propR("Busy", "Boolean"),
    propR("Empty", "Boolean"),
    prop("Progress", "TPercent"),
    cls("TPicShow", "TCustomPicShow"),
    prop("BgPicture", "TPicture"),
    prop("Picture", "TPicture"),
    prop("BGMode", "TBackgroundMode"),
    prop("Center", "Boolean"),
    prop("Delay", "Integer"),
    prop("Reverse", "Boolean"),
    prop("Step", "Integer"),
    prop("Stretch", "Boolean"),
    prop("StretchFine", "Boolean"),
    prop("Style", "Integer"),
    prop("StyleName", "String"),
    prop("ONCHANGE", "TNOTIFYEVENT"),
    prop("ONSTOP", "TNOTIFYEVENT"),
    prop("ONCLICK", "TNOTIFYEVENT"),
    prop("ONDBLCLICK", "TNOTIFYEVENT"),
    prop("ONMOUSEDOWN", "TMOUSEEVENT"),
    prop("ONMOUSEUP", "TMOUSEEVENT"),
    prop("ONMOUSEMOVE", "TMOUSEMOVEEVENT"),
    prop("ONMOUSEENTER", "TNOTIFYEVENT"),
    prop("OnMOUSELEAVE", "TNOTIFYEVENT"),
};

// The viewer's published properties in the order of its run-time type information, then its method
// and its write-only property. Those whose types scripts do not know (component name, help type, bevel
// kinds, bidirectional mode, constraints, input method, tab order, context pop-up, docking) drop out.
static constexpr Decl kRichEditViewer[] = {
    cls("TRichEditViewer", "TMemo"),
    prop("Name", "TComponentName"),
    prop("Tag", "Integer"),
    prop("Left", "Integer"),
    prop("Top", "Integer"),
    prop("Width", "Integer"),
    prop("Height", "Integer"),
    prop("Cursor", "TCursor"),
    prop("Hint", "String"),
    prop("HelpType", "THelpType"),
    prop("HelpKeyword", "String"),
    prop("HelpContext", "THelpContext"),
    prop("TabStop", "Boolean"),
    prop("Align", "TAlign"),
    prop("Alignment", "TAlignment"),
    prop("Anchors", "TAnchors"),
    prop("BevelEdges", "TBevelEdges"),
    prop("BevelInner", "TBevelCut"),
    prop("BevelKind", "TBevelKind"),
    prop("BevelOuter", "TBevelCut"),
    prop("BiDiMode", "TBiDiMode"),
    prop("BorderStyle", "TBorderStyle"),
    prop("Color", "TColor"),
    prop("Constraints", "TSizeConstraints"),
    prop("Ctl3D", "Boolean"),
    prop("DragCursor", "TCursor"),
    prop("DragKind", "TDragKind"),
    prop("DragMode", "TDragMode"),
    prop("Enabled", "Boolean"),
    prop("Font", "TFont"),
    prop("HideSelection", "Boolean"),
    prop("ImeMode", "TImeMode"),
    prop("ImeName", "TImeName"),
    prop("Lines", "TStrings"),
    prop("MaxLength", "Integer"),
    prop("OEMConvert", "Boolean"),
    prop("ParentBiDiMode", "Boolean"),
    prop("ParentColor", "Boolean"),
    prop("ParentCtl3D", "Boolean"),
    prop("ParentFont", "Boolean"),
    prop("ParentShowHint", "Boolean"),
    prop("PopupMenu", "TPopupMenu"),
    prop("ReadOnly", "Boolean"),
    prop("ScrollBars", "TScrollStyle"),
    prop("ShowHint", "Boolean"),
    prop("TabOrder", "TTabOrder"),
    prop("Visible", "Boolean"),
    prop("WantReturns", "Boolean"),
    prop("WantTabs", "Boolean"),
    prop("WordWrap", "Boolean"),
    prop("OnChange", "TNotifyEvent"),
    prop("OnClick", "TNotifyEvent"),
    prop("OnContextPopup", "TContextPopupEvent"),
    prop("OnDblClick", "TNotifyEvent"),
    prop("OnDragDrop", "TDragDropEvent"),
    prop("OnDragOver", "TDragOverEvent"),
    prop("OnEndDock", "TEndDragEvent"),
    prop("OnEndDrag", "TEndDragEvent"),
    prop("OnEnter", "TNotifyEvent"),
    prop("OnExit", "TNotifyEvent"),
    prop("OnKeyDown", "TKeyEvent"),
    prop("OnKeyPress", "TKeyPressEvent"),
    prop("OnKeyUp", "TKeyEvent"),
    prop("OnMouseDown", "TMouseEvent"),
    prop("OnMouseMove", "TMouseMoveEvent"),
    prop("OnMouseUp", "TMouseEvent"),
    prop("OnStartDock", "TStartDockEvent"),
    prop("OnStartDrag", "TStartDragEvent"),
    prop("UseRichEdit", "Boolean"),
    prop("RichText", "String"),
    method("Function SetRTFText( const Value : String) : Integer"),
    propW("RTFText", "String"),
};

static constexpr Decl kTextAnimator[] = {
    type("TTextAnimStyle", "( taAll, taRandom, taWave, taWind )"),
    cls("TTextAnimator", "TGraphicControl"),
    method("Procedure AdjustClientSize"),
    method("Procedure NextFrame"),
    prop("Caption", "String"),
    prop("Active", "Boolean"),
    prop("Alignment", "TAlignment"),
    prop("AutoSize", "Boolean"),
    prop("ColorAnimation", "Boolean"),
    prop("ColorStart", "TColor"),
    prop("ColorStop", "TColor"),
    prop("Delay", "Word"),
    prop("MaxStep", "Word"),
    prop("Step", "Word"),
    prop("Style", "TTextAnimStyle"),
    prop("Transparent", "Boolean"),
    prop("ONCLICK", "TNOTIFYEVENT"),
    prop("ONDBLCLICK", "TNOTIFYEVENT"),
    prop("ONMOUSEDOWN", "TMOUSEEVENT"),
    prop("ONMOUSEUP", "TMOUSEEVENT"),
    prop("ONMOUSEMOVE", "TMOUSEMOVEEVENT"),
};

static constexpr Decl kTextFader[] = {
    type("TPercent", "Integer"),
    type("TProgressStep", "Integer"),
    type("TBackgroundMode", "( bmNone, bmTiled, bmStretched, bmCentered )"),
    cls("TTextFader", "TGraphicControl"),
    method("Procedure Reset"),
    propR("ReapeatedCount", "Integer"),
    prop("LineIndex", "Integer"),
    prop("Active", "Boolean"),
    prop("Alignment", "TAlignment"),
    prop("Background", "TPicture"),
    prop("BackgroundMode", "TBackgroundMode"),
    prop("FadeDelay", "Word"),
    prop("FadeStep", "TProgressStep"),
    prop("LineDelay", "Word"),
    prop("Lines", "TStrings"),
    prop("RepeatCount", "TBorderWidth"),
    prop("Transparent", "Boolean"),
    prop("WordWrap", "Boolean"),
    prop("OnComplete", "TNotifyEvent"),
    prop("ONCLICK", "TNOTIFYEVENT"),
    prop("ONDBLCLICK", "TNOTIFYEVENT"),
    prop("ONMOUSEDOWN", "TMOUSEEVENT"),
    prop("ONMOUSEUP", "TMOUSEEVENT"),
    prop("ONMOUSEMOVE", "TMOUSEMOVEEVENT"),
};

// The marquee's TScrollStyle replaces the standard controls' type of that name from here on; members
// registered earlier (a memo's ScrollBars) keep the old one.
static constexpr Decl kMarquee[] = {
    type("TScrollStyle", "( ssScroll, ssBlink, ssBounce )"),
    type("TScrollDelay", "Integer"),
    type("TScrollAmount", "Integer"),
    cls("TMarquee", "TCustomControl"),
    prop("Active", "Boolean"),
    prop("AutoCenter", "Boolean"),
    prop("AutoSizeHeight", "Boolean"),
    prop("BorderStyle", "TBorderStyle"),
    propR("CurrentOutput", "String"),
    prop("NewControlCode", "Char"),
    prop("ScrollAmount", "TScrollAmount"),
    prop("ScrollDelay", "TScrollDelay"),
    prop("ScrollStyle", "TScrollStyle"),
    prop("ScrollText", "String"),
    prop("StripControlCodes", "Boolean"),
    prop("OnResize", "TNotifyEvent"),
    prop("ONCLICK", "TNOTIFYEVENT"),
    prop("ONDBLCLICK", "TNOTIFYEVENT"),
    prop("ONMOUSEDOWN", "TMOUSEEVENT"),
    prop("ONMOUSEUP", "TMOUSEEVENT"),
    prop("ONMOUSEMOVE", "TMOUSEMOVEEVENT"),
};

static constexpr Decl kWindowsMediaPlayer[] = {
    cls("TWindowsMediaPlayer", "TWinControl"),
    method("Procedure Open( FileName : string)"),
    method("Procedure Play"),
    method("Procedure Pause"),
    method("Procedure Stop"),
    method("Function GetCurrentFile : string"),
    method("Procedure AboutBox"),
    method("Function Duration : Double"),
    method("Function CanSeek : boolean"),
    method("Function HasError : boolean"),
    method("Function ErrorDescription : string"),
    method("Function GetInterface : IDispatch"),
    method("Procedure Close"),
    prop("DisplayForeColor", "TColor"),
    prop("DisplayBackColor", "TColor"),
    prop("FullScreen", "boolean"),
    prop("ShowCaptioning", "boolean"),
    prop("ShowDisplay", "boolean"),
    prop("Align", "TAlign"),
    propR("WarningDescription", "string"),
    prop("CurrentPosition", "double"),
    prop("ClickToPlay", "boolean"),
    prop("EnableContextMenu", "boolean"),
    prop("ShowControls", "boolean"),
    prop("EnableTracker", "boolean"),
    prop("Mute", "boolean"),
    prop("ShowStatusBar", "boolean"),
    prop("ShowGotoBar", "boolean"),
    prop("AutoStart", "boolean"),
    prop("AnimationAtStart", "boolean"),
    prop("DisplayMode", "LongWord"),
    prop("OnPlay", "TNotifyEvent"),
    prop("OnStopped", "TNotifyEvent"),
    prop("OnClick", "TNotifyEvent"),
    prop("OnDblClick", "TNotifyEvent"),
    prop("OnKeyDown", "TKeyEvent"),
    prop("OnKeyPress", "TKeyPressEvent"),
    prop("OnKeyUp", "TKeyEvent"),
    prop("OnMouseDown", "TMouseEvent"),
    prop("OnMouseUp", "TMouseEvent"),
    prop("OnMouseMove", "TMouseMoveEvent"),
};

static constexpr Decl kInternalPlayList[] = {
    cls("TInternalPlayList", "TStringList"),
    method("Procedure PlayNextFile"),
    prop("Active", "boolean"),
    prop("ActiveFile", "string"),
    propR("ActiveFileHandle", "integer"),
};

// Events that these components raise and publish but whose imports do not declare them. Without them
// the studio would offer the events, write their handlers and then generate bindings that do not
// compile.
static constexpr Decl kComponentEvents[] = {
    cls("THotKey", "TCustomHotKey"),      prop("OnChange", "TNotifyEvent"),
    cls("TAnimate", "TWinControl"),       prop("OnStart", "TNotifyEvent"),
    prop("OnStop", "TNotifyEvent"),       cls("TWindowsMediaPlayer", "TWinControl"),
    prop("OnPaused", "TNotifyEvent"),     prop("OnClosed", "TNotifyEvent"),
    prop("OnMpError", "TNotifyEvent"),    prop("OnMpWarning", "TNotifyEvent"),
    prop("OnDisconnect", "TNotifyEvent"),
};

std::span<const Decl> pictureImport()
{
    return kPicture;
}
std::span<const Decl> coolFormImport()
{
    return kCoolForm;
}
std::span<const Decl> gradientImport()
{
    return kGradient;
}
std::span<const Decl> commonControlsImport()
{
    return kCommonControls;
}
std::span<const Decl> picShowImport()
{
    return kPicShow;
}
std::span<const Decl> richEditViewerImport()
{
    return kRichEditViewer;
}
std::span<const Decl> textAnimatorImport()
{
    return kTextAnimator;
}
std::span<const Decl> textFaderImport()
{
    return kTextFader;
}
std::span<const Decl> marqueeImport()
{
    return kMarquee;
}
std::span<const Decl> windowsMediaPlayerImport()
{
    return kWindowsMediaPlayer;
}
std::span<const Decl> internalPlayListImport()
{
    return kInternalPlayList;
}
std::span<const Decl> componentEventsImport()
{
    return kComponentEvents;
}

} // namespace script
