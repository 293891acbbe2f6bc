// Class imports that the support library registers at its fixed places: the icon, the extensions of
// library classes, the web browser, the image button, the interactive label, the Flash player, the
// media control, the agent character, the scrolling credits and the form class for scripts.
#include "script/class_imports.h"

namespace script {

using namespace decl;

static constexpr Decl kIcon[] = {
    cls("TICON", "TPICTURE"),
};

// TComboBox is given the parent TWinControl, so the members declared on TCustomComboBox are out of
// its reach; ItemIndex and Items are declared on it again.
static constexpr Decl kLibraryExtensions[] = {
    cls("TFORM", "TSCROLLINGWINCONTROL"),
    prop("ONMOUSEWHEEL", "TMouseWheelEvent"),
    prop("OnMouseWheelDown", "TMouseWheelUpDownEvent"),
    prop("OnMouseWheelUp", "TMouseWheelUpDownEvent"),
    prop("ONHELP", "THELPEVENT"),
    cls("TTimerEx", "TTimer"),
    cls("TWINCONTROL", "TControl"),
    prop("ONENTER", "TNOTIFYEVENT"),
    prop("OnEXIT", "TNOTIFYEVENT"),
    prop("OnKeyDown", "TKeyEvent"),
    prop("OnKeyUp", "TKeyEvent"),
    prop("OnKeyPress", "TKeyPressEvent"),
    cls("TLABEL", "TCUSTOMLABEL"),
    prop("ONMOUSEENTER", "TNOTIFYEVENT"),
    prop("OnMOUSELEAVE", "TNOTIFYEVENT"),
    cls("TCOMBOBOX", "TWINCONTROL"),
    prop("OnSELECT", "TNOTIFYEVENT"),
    prop("ITEMINDEX", "INTEGER"),
    prop("ITEMS", "TSTRINGS"),
    cls("TGradient", "TGraphicControl"),
    prop("ONCLICK", "TNOTIFYEVENT"),
    prop("ONDBLCLICK", "TNOTIFYEVENT"),
    prop("ONMOUSEDOWN", "TMOUSEEVENT"),
    prop("ONMOUSEUP", "TMOUSEEVENT"),
    prop("ONMOUSEMOVE", "TMOUSEMOVEEVENT"),
};

// The browser's published properties (run-time type information order; Name, HelpType and TabOrder
// drop out for want of their types), its methods and read-only properties; its events need the event
// types declared after it, so the class is declared again behind them with its events.
static constexpr Decl kWebBrowser[] = {
    cls("TOleControl", "TWinControl"),
    cls("TWebBrowser", "TOleControl"),
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
    prop("ParentShowHint", "Boolean"),
    prop("PopupMenu", "TPopupMenu"),
    prop("ShowHint", "Boolean"),
    prop("TabOrder", "TTabOrder"),
    prop("Offline", "Boolean"),
    prop("RegisterAsDropTarget", "Boolean"),
    prop("Silent", "Boolean"),
    prop("OnBeforeNavigate2", "TWebBrowserBeforeNavigate2"),
    prop("OnCommandStateChange", "TWebBrowserCommandStateChange"),
    prop("OnDocumentComplete", "TWebBrowserDocumentComplete"),
    prop("OnDownloadBegin", "TNotifyEvent"),
    prop("OnDownloadComplete", "TNotifyEvent"),
    prop("OnFullScreen", "TWebBrowserOnFullScreen"),
    prop("OnMenuBar", "TWebBrowserOnMenuBar"),
    prop("OnNavigateComplete2", "TWebBrowserNavigateComplete2"),
    prop("OnNewWindow2", "TWebBrowserNewWindow2"),
    prop("OnProgressChange", "TWebBrowserProgressChange"),
    prop("OnPropertyChange", "TWebBrowserPropertyChange"),
    prop("OnQuit", "TNotifyEvent"),
    prop("OnStatusBar", "TWebBrowserOnStatusBar"),
    prop("OnStatusTextChange", "TWebBrowserStatusTextChange"),
    prop("OnTheaterMode", "TWebBrowserOnTheaterMode"),
    prop("OnTitleChange", "TWebBrowserTitleChange"),
    prop("OnToolBar", "TWebBrowserOnToolBar"),
    prop("OnVisible", "TWebBrowserOnVisible"),
    method("Procedure GoBack"),
    method("Procedure GoForward"),
    method("Procedure GoHome"),
    method("Procedure GoSearch"),
    method("Procedure Navigate( const URL : WideString);"),
    method("Procedure Refresh"),
    method("Procedure Refresh2"),
    method("Procedure Stop"),
    method("Procedure Quit"),
    method("Procedure PutProperty( const Property_ : WideString; vtValue : OleVariant)"),
    method("Function GetProperty( const Property_ : WideString) : OleVariant"),
    method("Procedure Navigate2( var URL : OleVariant);"),
    propR("Application", "IDispatch"),
    propR("Parent", "IDispatch"),
    propR("Container", "IDispatch"),
    propR("Document", "IDispatch"),
    propR("TopLevelContainer", "WordBool"),
    propR("Type_", "WideString"),
    propR("LocationName", "WideString"),
    propR("LocationURL", "WideString"),
    propR("Busy", "WordBool"),
    propR("Name", "WideString"),
    propR("HWND", "Integer"),
    propR("FullName", "WideString"),
    propR("Path", "WideString"),

    type("TWebBrowserStatusTextChange", "Procedure ( Sender : TObject; const Text : WideString)"),
    type("TWebBrowserProgressChange",
         "Procedure ( Sender : TObject; Progress : Integer; ProgressMax : Integer)"),
    type("TWebBrowserCommandStateChange",
         "Procedure ( Sender : TObject; Command : Integer; Enable : WordBool)"),
    type("TWebBrowserTitleChange", "Procedure ( Sender : TObject; const Text : WideString)"),
    type("TWebBrowserPropertyChange", "Procedure ( Sender : TObject; const szProperty : WideString)"),
    type("TWebBrowserBeforeNavigate2",
         "Procedure ( Sender : TObject; const pDisp : IDispatch; var URL : OleVariant; var Flags : "
         "OleVariant; var TargetFrameName : OleVariant; var PostData : OleVariant; var Headers : OleVariant; "
         "var Cancel : WordBool)"),
    type("TWebBrowserNewWindow2",
         "Procedure ( Sender : TObject; var ppDisp : IDispatch; var Cancel : WordBool)"),
    type("TWebBrowserNavigateComplete2",
         "Procedure ( Sender : TObject; const pDisp : IDispatch; var URL : OleVariant)"),
    type("TWebBrowserDocumentComplete",
         "Procedure ( Sender : TObject; const pDisp : IDispatch; var URL : OleVariant)"),
    type("TWebBrowserOnVisible", "Procedure ( Sender : TObject; Visible : WordBool)"),
    type("TWebBrowserOnToolBar", "Procedure ( Sender : TObject; ToolBar : WordBool)"),
    type("TWebBrowserOnMenuBar", "Procedure ( Sender : TObject; MenuBar : WordBool)"),
    type("TWebBrowserOnStatusBar", "Procedure ( Sender : TObject; StatusBar : WordBool)"),
    type("TWebBrowserOnFullScreen", "Procedure ( Sender : TObject; FullScreen : WordBool)"),
    type("TWebBrowserOnTheaterMode", "Procedure ( Sender : TObject; TheaterMode : WordBool)"),

    cls("TWebBrowser", "TOleControl"),
    prop("OnBeforeNavigate2", "TWebBrowserBeforeNavigate2"),
    prop("OnCommandStateChange", "TWebBrowserCommandStateChange"),
    prop("OnDocumentComplete", "TWebBrowserDocumentComplete"),
    prop("OnFullScreen", "TWebBrowserOnFullScreen"),
    prop("OnMenuBar", "TWebBrowserOnMenuBar"),
    prop("OnNavigateComplete2", "TWebBrowserNavigateComplete2"),
    prop("OnNewWindow2", "TWebBrowserNewWindow2"),
    prop("OnProgressChange", "TWebBrowserProgressChange"),
    prop("OnPropertyChange", "TWebBrowserPropertyChange"),
    prop("OnStatusBar", "TWebBrowserOnStatusBar"),
    prop("OnStatusTextChange", "TWebBrowserStatusTextChange"),
    prop("OnTheaterMode", "TWebBrowserOnTheaterMode"),
    prop("OnTitleChange", "TWebBrowserTitleChange"),
    prop("OnToolBar", "TWebBrowserOnToolBar"),
    prop("OnVisible", "TWebBrowserOnVisible"),
};

static constexpr Decl kImgBtn[] = {
    cls("TImgBtn", "TImage"),  prop("Pic", "TPicture"),      prop("PicDown", "TPicture"),
    prop("PicUp", "TPicture"), prop("Supported", "boolean"),
};

// Nothing declares TBIDIMODE or TSizeConstraints, so BIDIMODE and Constraints drop out; the repeated
// properties add nothing.
static constexpr Decl kInteractiveLabel[] = {
    cls("TInteractiveLabel", "TCustomLabel"),
    prop("ColorNormal", "TColor"),
    prop("ColorOnMouseOver", "TColor"),
    prop("ColorOnMouseClick", "TColor"),
    prop("PlayMusicOnMouseEnter", "string"),
    prop("PlayMusicOnClick", "string"),
    prop("RunFileOnClick", "string"),
    prop("LAYOUT", "TTextLayout"),
    prop("PARENTCOLOR", "Boolean"),
    prop("PARENTFONT", "Boolean"),
    prop("PARENTSHOWHINT", "Boolean"),
    prop("SHOWACCELCHAR", "Boolean"),
    prop("TRANSPARENT", "Boolean"),
    prop("ONCLICK", "TNotifyEvent"),
    prop("OnMouseEnter", "TNotifyEvent"),
    prop("OnMouseLeave", "TNotifyEvent"),
    prop("OnMouseDown", "TMouseEvent"),
    prop("OnMouseMove", "TMouseMoveEvent"),
    prop("OnMouseUp", "TMouseEvent"),
    prop("OnDblClick", "TNotifyEvent"),
    prop("ALIGN", "TALIGN"),
    prop("ALIGNMENT", "TALIGNMENT"),
    prop("ANCHORS", "TANCHORS"),
    prop("AUTOSIZE", "BOOLEAN"),
    prop("BIDIMODE", "TBIDIMODE"),
    prop("Caption", "string"),
    prop("Constraints", "TSizeConstraints"),
    prop("Enabled", "boolean"),
    prop("FocusControl", "TWINCONTROL"),
    prop("FONT", "TFONT"),
    prop("PARENTBIDIMODE", "BOOLEAN"),
    prop("PARENTFONT", "BOOLEAN"),
    prop("PARENTSHOWHINT", "BOOLEAN"),
    prop("POPUPMENU", "TPOPUPMENU"),
    prop("ShowAccelChar", "BOOLEAN"),
    prop("ShowHint", "BOOLEAN"),
    prop("Transparent", "BOOLEAN"),
    prop("VISIBLE", "BOOLEAN"),
    prop("WORDWRAP", "BOOLEAN"),
};

// The player's three events need the event types that follow the class; the class is declared again
// behind them.
static constexpr Decl kShockwaveFlash[] = {
    cls("TShockwaveFlash", "TOleControl"),
    method("Procedure SetZoomRect( left : Integer; top : Integer; right : Integer; bottom : Integer)"),
    method("Procedure Zoom( factor : integer)"),
    method("Procedure Pan( x : Integer; y : Integer; mode : integer)"),
    method("Procedure Play"),
    method("Procedure Stop"),
    method("Procedure Back"),
    method("Procedure Forward"),
    method("Procedure Rewind"),
    method("Procedure StopPlay"),
    method("Procedure GotoFrame( FrameNum : Integer)"),
    method("Function CurrentFrame : Integer"),
    method("Function IsPlaying : WordBool"),
    method("Function PercentLoaded : Integer"),
    method("Function FrameLoaded( FrameNum : Integer) : WordBool"),
    method("Function FlashVersion : Integer"),
    method("Procedure LoadMovie( layer : integer; const url : WideString)"),
    method("Procedure TGotoFrame( const target : WideString; FrameNum : Integer)"),
    method("Procedure TGotoLabel( const target : WideString; const label_ : WideString)"),
    method("Function TCurrentFrame( const target : WideString) : Integer"),
    method("Function TCurrentLabel( const target : WideString) : WideString"),
    method("Procedure TPlay( const target : WideString)"),
    method("Procedure TStopPlay( const target : WideString)"),
    method("Procedure SetVariable( const name : WideString; const value : WideString)"),
    method("Function GetVariable( const name : WideString) : WideString"),
    method(
        "Procedure TSetProperty( const target : WideString; property_ : integer; const value : WideString)"),
    method("Function TGetProperty( const target : WideString; property_ : integer) : WideString"),
    method("Procedure TCallFrame( const target : WideString; FrameNum : integer)"),
    method("Procedure TCallLabel( const target : WideString; const label_ : WideString)"),
    method("Procedure TSetPropertyNum( const target : WideString; property_ : integer; value : Double)"),
    method("Function TGetPropertyNum( const target : WideString; property_ : integer) : Double"),
    method("Function TGetPropertyAsNumber( const target : WideString; property_ : integer) : Double"),
    prop("ONENTER", "TNOTIFYEVENT"),
    prop("OnEXIT", "TNOTIFYEVENT"),
    propR("ControlInterface", "IDispatch"),
    propR("DefaultInterface", "IDispatch"),
    propR("ReadyState", "Integer"),
    propR("TotalFrames", "Integer"),
    prop("Playing", "WordBool"),
    prop("Quality", "Integer"),
    prop("ScaleMode", "Integer"),
    prop("AlignMode", "Integer"),
    prop("FrameNum", "Integer"),
    prop("WMode", "WideString"),
    prop("SAlign", "WideString"),
    prop("DeviceFont", "WordBool"),
    prop("EmbedMovie", "WordBool"),
    prop("BGColor", "WideString"),
    prop("SWRemote", "WideString"),
    prop("FlashVars", "WideString"),
    prop("AllowScriptAccess", "WideString"),
    prop("MovieData", "WideString"),
    prop("Loop", "WordBool"),
    prop("Movie", "WideString"),
    prop("Menu", "WordBool"),
    prop("Base", "WideString"),
    prop("Scale", "WideString"),
    prop("Quality2", "WideString"),
    prop("BackgroundColor", "integer"),
    prop("OnReadyStateChange", "TShockwaveFlashOnReadyStateChange"),
    prop("OnProgress", "TShockwaveFlashOnProgress"),
    prop("OnFSCommand", "TShockwaveFlashFSCommand"),

    type("TShockwaveFlashOnReadyStateChange", "Procedure ( Sender : TObject; newState : Integer)"),
    type("TShockwaveFlashOnProgress", "Procedure ( Sender : TObject; percentDone : Integer)"),
    type("TShockwaveFlashFSCommand",
         "Procedure ( Sender : TObject; const command : WideString; const args : WideString)"),

    cls("TShockwaveFlash", "TOleControl"),
    prop("OnReadyStateChange", "TShockwaveFlashOnReadyStateChange"),
    prop("OnProgress", "TShockwaveFlashOnProgress"),
    prop("OnFSCommand", "TShockwaveFlashFSCommand"),
};

static constexpr Decl kMediaControl[] = {
    type("TMPModes", "( mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen )"),
    type("TMPDeviceTypes",
         "( dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, dtOther, "
         "dtOverlay, dtScanner, dtSequencer, dtVCR, dtVideodisc, dtWaveAudio )"),
    type("TErrorEvent", "Procedure ( Sender : TObject; ErrorMessage : string)"),
    cls("TMCIObject", "TPanel"),
    method("Function BrowseForFile : boolean"),
    method("Procedure Play"),
    method("Procedure Pause"),
    method("Procedure Resume"),
    method("Procedure Stop"),
    method("Procedure Open"),
    method("Procedure Close"),
    method("Procedure Eject"),
    method("Procedure UpdateView"),
    method("Function Tracks : integer"),
    method("Function TrackPosition( TrackNum : Integer) : integer"),
    method("Function TrackLength( TrackNum : Integer) : integer"),
    method("Function Length : integer"),
    method("function CanPlay : boolean"),
    method("function CanEject : boolean"),
    method("Function DeviceID : integer"),
    prop("FileName", "string"),
    prop("Position", "integer"),
    prop("Shareable", "Boolean"),
    propR("Mode", "TMPModes"),
    prop("DeviceType", "TMPDeviceTypes"),
    prop("OnError", "TErrorEvent"),
    propR("Start", "integer"),
    prop("StartPos", "integer"),
    prop("EndPos", "integer"),
};

static constexpr Decl kAgent[] = {
    cls("TMSAgent", "TWinControl"),
    method("Function IsLoaded : boolean"),
    method("Function LoadAgent( FilePath : string) : boolean"),
    method("Procedure Speak( Text : string)"),
    method("Procedure MoveTo( x, y : integer)"),
    method("Procedure Hide"),
    method("Procedure Show"),
    method("Procedure Stop"),
    method("Procedure Play( AnimationName : string)"),
    method("Function GetCurrentAgentName : string"),
    method("Function GetCurrentAgentDescription : string"),
    method("Procedure PropertySheet"),
    propR("AvailableAgents", "string"),
};

static constexpr Decl kScrollingCredits[] = {
    type("TCreditEvent", "Procedure ( Sender : TObject; CreditText : String)"),
    cls("TScrollingCredits", "TGraphicControl"),
    method("Procedure TimerFired( Sender : TObject)"),
    method("Procedure Reset"),
    prop("Credits", "TStringList"),
    prop("CreditsFont", "TFont"),
    prop("BackgroundColor", "TColor"),
    prop("BorderColor", "TColor"),
    prop("Animate", "Boolean"),
    prop("Interval", "Cardinal"),
    prop("Visible", "Boolean"),
    prop("BackgroundImage", "TPicture"),
    prop("ShowBorder", "boolean"),
    prop("OnClick", "TNotifyEvent"),
    prop("OnDblClick", "TNotifyEvent"),
    prop("AfterLastCredit", "TNotifyEvent"),
    prop("OnShowCredit", "TCreditEvent"),
};

static constexpr Decl kAutorunForm[] = {
    cls("TAutorunForm", "TForm"),
};

std::span<const Decl> iconImport()
{
    return kIcon;
}
std::span<const Decl> libraryExtensionsImport()
{
    return kLibraryExtensions;
}
std::span<const Decl> webBrowserImport()
{
    return kWebBrowser;
}
std::span<const Decl> imgBtnImport()
{
    return kImgBtn;
}
std::span<const Decl> interactiveLabelImport()
{
    return kInteractiveLabel;
}
std::span<const Decl> shockwaveFlashImport()
{
    return kShockwaveFlash;
}
std::span<const Decl> mediaControlImport()
{
    return kMediaControl;
}
std::span<const Decl> agentImport()
{
    return kAgent;
}
std::span<const Decl> scrollingCreditsImport()
{
    return kScrollingCredits;
}
std::span<const Decl> autorunFormImport()
{
    return kAutorunForm;
}

} // namespace script
