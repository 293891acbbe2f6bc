// The class table of the components beyond the stock controls: the component packs (gradient, text
// animator and fader, shaped form, picture show, marquee, image button, scrolling credits, rich text
// viewer), the studio's own components (hover label, MCI panel, media player, play list), the
// design-time placeholders of the timer and the ActiveX controls, and the code editor's options object.
// The table language is described in class_table_stock.cpp.
//
// The packs publish exactly the properties that the script interface imports for them. Where those
// classes do not say what a property starts with, the defaults below are this system's choice; a form
// stores every value that differs from them, so the runtime, which creates its components from the same
// table, reads back what the designer showed.
#include "vcl/class_registry.h"

namespace vcl {

std::string_view studioClassTable()
{
    return R"TABLE(
# ---- types of the packs and studio components -----------------------------------------------------
enum TGradientStyle gsCustom gsRadialC gsRadialT gsRadialB gsRadialL gsRadialR gsRadialTL gsRadialTR,
     gsRadialBL gsRadialBR gsLinearH gsLinearV gsReflectedH gsReflectedV gsDiagonalLF gsDiagonalLB,
     gsDiagonalRF gsDiagonalRB gsArrowL gsArrowR gsArrowU gsArrowD gsDiamond gsButterfly
int TGradientRotation -100 100
int TGradientShift -100 100
int TPercent 0 100
int TShowStyle -2147483648 2147483647
int TProgressStep 1 100
enum TBackgroundMode bmNone bmTiled bmStretched bmCentered
enum TTextAnimStyle taAll taRandom taWave taWind
# The marquee's own scroll style; it shares its name with the memo's TScrollStyle but not its values.
enum TScrollStyle@Marquee ssScroll ssBlink ssBounce
int TScrollDelay -2147483648 2147483647
int TScrollAmount -2147483648 2147483647
enum TMPModes mpNotReady mpStopped mpPlaying mpRecording mpSeeking mpPaused mpOpen
enum TMPDeviceTypes dtAutoSelect dtAVIVideo dtCDAudio dtDAT dtDigitalVideo dtMMMovie dtOther dtOverlay,
     dtScanner dtSequencer dtVCR dtVideodisc dtWaveAudio

event TErrorEvent = (Sender: TObject; ErrorMessage: string)
event TCreditEvent = (Sender: TObject; CreditText: String)
event TCustomDrawEvent = (Sender: TObject; Picture, Screen: TBitmap)
event TWebBrowserStatusTextChange = (Sender: TObject; const Text: WideString)
event TWebBrowserProgressChange = (Sender: TObject; Progress: Integer; ProgressMax: Integer)
event TWebBrowserCommandStateChange = (Sender: TObject; Command: Integer; Enable: WordBool)
event TWebBrowserTitleChange = (Sender: TObject; const Text: WideString)
event TWebBrowserPropertyChange = (Sender: TObject; const szProperty: WideString)
event TWebBrowserBeforeNavigate2 = (Sender: TObject; const pDisp: IDispatch; var URL: OleVariant;,
      var Flags: OleVariant; var TargetFrameName: OleVariant; var PostData: OleVariant;,
      var Headers: OleVariant; var Cancel: WordBool)
event TWebBrowserNewWindow2 = (Sender: TObject; var ppDisp: IDispatch; var Cancel: WordBool)
event TWebBrowserNavigateComplete2 = (Sender: TObject; const pDisp: IDispatch; var URL: OleVariant)
event TWebBrowserDocumentComplete = (Sender: TObject; const pDisp: IDispatch; var URL: OleVariant)
event TWebBrowserOnVisible = (Sender: TObject; Visible: WordBool)
event TWebBrowserOnToolBar = (Sender: TObject; ToolBar: WordBool)
event TWebBrowserOnMenuBar = (Sender: TObject; MenuBar: WordBool)
event TWebBrowserOnStatusBar = (Sender: TObject; StatusBar: WordBool)
event TWebBrowserOnFullScreen = (Sender: TObject; FullScreen: WordBool)
event TWebBrowserOnTheaterMode = (Sender: TObject; TheaterMode: WordBool)
event TShockwaveFlashOnReadyStateChange = (Sender: TObject; newState: Integer)
event TShockwaveFlashOnProgress = (Sender: TObject; percentDone: Integer)
event TShockwaveFlashFSCommand = (Sender: TObject; const command: WideString; const args: WideString)

# ---- component packs ------------------------------------------------------------------------------
class TGradient : TGraphicControl streamed namesto=
  published ColorBegin: TColor = clWhite
  published ColorEnd: TColor = clBlack
  published Reverse: Boolean = False
  published Rotation: TGradientRotation = 0
  published Shift: TGradientShift = 0
  published Style: TGradientStyle = gsLinearH
  publish OnClick, OnDblClick, OnMouseDown, OnMouseUp, OnMouseMove
  init Width = 100, Height = 100

class TTextAnimator : TGraphicControl streamed
  public Active: Boolean = False
  public Alignment: TAlignment = taLeftJustify
  public ColorAnimation: Boolean = True
  public ColorStart: TColor = clBlue
  public ColorStop: TColor = clRed
  public Delay: Word = 70
  public MaxStep: Word = 10
  public Step: Word = 1
  public Style: TTextAnimStyle = taAll
  public Transparent: Boolean = True
  publish Caption, Active, Alignment, AutoSize = True, ColorAnimation, ColorStart, ColorStop, Delay,
          MaxStep, Step, Style, Transparent, OnClick, OnDblClick, OnMouseDown, OnMouseUp, OnMouseMove
  init Width = 120, Height = 30, AutoSize = True

class TTextFader : TGraphicControl streamed namesto=Lines
  published ReapeatedCount: Integer readonly
  published LineIndex: Integer = 0
  published Active: Boolean = False
  published Alignment: TAlignment = taCenter
  published Background: TPicture
  published BackgroundMode: TBackgroundMode = bmTiled
  published FadeDelay: Word = 50
  published FadeStep: TProgressStep = 5
  published LineDelay: Word = 1000
  published Lines: TStrings
  published RepeatCount: TBorderWidth = 0
  published Transparent: Boolean = False
  published WordWrap: Boolean = True
  published OnComplete: TNotifyEvent
  publish OnClick, OnDblClick, OnMouseDown, OnMouseUp, OnMouseMove
  init Width = 200, Height = 60

forward TCoolForm
class TRegionType : TPersistent
  public owner: TCoolForm readonly
  public Fregion: hrgn readonly

class TCoolForm : TImage streamed
  published Mask2: TRegionType
  published Mask: TRegionType
  published Draggable: Boolean = True

class TCustomPicShow : TCustomControl abstract
  published Busy: Boolean readonly
  published Empty: Boolean readonly
  published Progress: TPercent = 0

class TPicShow : TCustomPicShow streamed namesto=
  published BgPicture: TPicture
  published Picture: TPicture
  published BGMode: TBackgroundMode = bmTiled
  published Center: Boolean = False
  published Delay: Integer = 40
  published Reverse: Boolean = False
  published Step: Integer = 4
  published Stretch: Boolean = False
  published StretchFine: Boolean = False
  published Style: TShowStyle = 1
  published StyleName: string
  published OnChange: TNotifyEvent
  published OnStop: TNotifyEvent
  publish OnClick, OnDblClick, OnMouseDown, OnMouseUp, OnMouseMove, OnMouseEnter, OnMouseLeave
  init Width = 100, Height = 100

class TMarquee : TCustomControl streamed namesto=
  published Active: Boolean = False
  published AutoCenter: Boolean = False
  published AutoSizeHeight: Boolean = False
  published BorderStyle: TBorderStyle = bsNone
  published CurrentOutput: string readonly
  published NewControlCode: Char = '|'
  published ScrollAmount: TScrollAmount = 1
  published ScrollDelay: TScrollDelay = 50
  published ScrollStyle: TScrollStyle@Marquee = ssScroll
  published ScrollText: string
  published StripControlCodes: Boolean = False
  publish OnResize, OnClick, OnDblClick, OnMouseDown, OnMouseUp, OnMouseMove
  init Width = 200, Height = 24

class TImgBtn : TImage streamed
  published Pic: TPicture
  published PicDown: TPicture
  published PicUp: TPicture
  published Supported: Boolean = True

class TScrollingCredits : TGraphicControl streamed namesto=Credits
  published Credits: TStringList
  published CreditsFont: TFont
  published BackgroundColor: TColor = clBlack
  published BorderColor: TColor = clWhite
  published Animate: Boolean = False
  published Interval: Cardinal = 50
  publish Visible
  published BackgroundImage: TPicture
  published ShowBorder: Boolean = True
  publish OnClick, OnDblClick
  published AfterLastCredit: TNotifyEvent
  published OnShowCredit: TCreditEvent
  init Width = 200, Height = 200, CreditsFont.Color = clWhite

class TRichEditViewer : TMemo streamed
  published UseRichEdit: Boolean = True
  published RichText: string
  public RTFText: string writeonly

# ---- the studio's components ----------------------------------------------------------------------
class TInteractiveLabel : TCustomLabel streamed
  public ColorNormal: TColor = clBlack
  public ColorOnMouseOver: TColor = clBlack
  public ColorOnMouseClick: TColor = clBlack
  public PlayMusicOnMouseEnter: string
  public PlayMusicOnClick: string
  public RunFileOnClick: string
  publish ColorNormal, ColorOnMouseOver, ColorOnMouseClick, PlayMusicOnMouseEnter, PlayMusicOnClick,
          RunFileOnClick, OnMouseEnter, OnMouseLeave, Align, Alignment, Anchors, AutoSize, BiDiMode,
          Caption, Constraints, Enabled, FocusControl, Font, ParentBiDiMode, ParentColor, ParentFont,
          ParentShowHint, PopupMenu, ShowAccelChar, ShowHint, Transparent, Layout, Visible, WordWrap,
          OnClick, OnMouseDown, OnMouseMove, OnMouseUp, OnDblClick
  init Transparent = True, Cursor = crHandPoint, ParentFont = False, Font.Height = -13

class TMCIObject : TPanel streamed
  published FileName: string
  published DeviceType: TMPDeviceTypes = dtAutoSelect
  published Shareable: Boolean = False
  published Position: Integer = 0
  published StartPos: Integer = 0
  published EndPos: Integer = 0
  published Start: Integer readonly
  published Mode: TMPModes readonly
  published OnError: TErrorEvent
  init Color = clBlack, ParentColor = False, BevelInner = bvNone, BevelOuter = bvNone

class TWindowsMediaPlayer : TWinControl streamed namesto=
  published DisplayForeColor: TColor = clWhite
  published DisplayBackColor: TColor = clBlack
  published ClickToPlay: Boolean = True
  published EnableContextMenu: Boolean = True
  published ShowControls: Boolean = True
  published ShowPositionControls: Boolean = True
  published ShowTracker: Boolean = True
  published EnableFullScreenControls: Boolean = False
  published EnablePositionControls: Boolean = True
  published EnableTracker: Boolean = True
  published Mute: Boolean = False
  published ShowStatusBar: Boolean = False
  published ShowGotoBar: Boolean = False
  published AutoStart: Boolean = True
  published AnimationAtStart: Boolean = True
  published ShowCaptioning: Boolean = False
  published ShowDisplay: Boolean = False
  published FullScreen: Boolean = False
  published DisplayMode: LongWord = 0
  published CurrentPosition: Double
  published WarningDescription: string readonly
  publish OnClick, OnDblClick, OnMouseMove, OnMouseUp, OnMouseDown, OnKeyPress, OnKeyUp, OnKeyDown
  published OnStopped: TNotifyEvent
  published OnPaused: TNotifyEvent
  published OnPlay: TNotifyEvent
  published OnClosed: TNotifyEvent
  published OnMpError: TNotifyEvent
  published OnMpWarning: TNotifyEvent
  published OnDisconnect: TNotifyEvent
  publish Align
  init Width = 320, Height = 220, Color = clBlack, ParentColor = False

# The play list that scripts reach as InternalPlayList; it is never part of a form.
class TInternalPlayList : TStringList
  published Active: Boolean = False
  published ActiveFile: string
  published ActiveFileHandle: Integer readonly

# ---- design-time placeholders ---------------------------------------------------------------------
class TDesignComponent : TWinControl abstract tile namesto=
  init Width = 32, Height = 32, BorderWidth = 3

class TTimer : TDesignComponent streamed
  publish Enabled
  published Interval: Cardinal = 1000
  published OnTimer: TNotifyEvent

class TMSAgent : TDesignComponent streamed
  published AvailableAgents: string readonly

class TOleControl : TWinControl abstract namesto=

class TWebBrowser : TOleControl streamed
  public Offline: Boolean
  public RegisterAsDropTarget: Boolean
  public Silent: Boolean
  public OnBeforeNavigate2: TWebBrowserBeforeNavigate2
  public OnCommandStateChange: TWebBrowserCommandStateChange
  public OnDocumentComplete: TWebBrowserDocumentComplete
  public OnDownloadBegin: TNotifyEvent
  public OnDownloadComplete: TNotifyEvent
  public OnFullScreen: TWebBrowserOnFullScreen
  public OnMenuBar: TWebBrowserOnMenuBar
  public OnNavigateComplete2: TWebBrowserNavigateComplete2
  public OnNewWindow2: TWebBrowserNewWindow2
  public OnProgressChange: TWebBrowserProgressChange
  public OnPropertyChange: TWebBrowserPropertyChange
  public OnQuit: TNotifyEvent
  public OnStatusBar: TWebBrowserOnStatusBar
  public OnStatusTextChange: TWebBrowserStatusTextChange
  public OnTheaterMode: TWebBrowserOnTheaterMode
  public OnTitleChange: TWebBrowserTitleChange
  public OnToolBar: TWebBrowserOnToolBar
  public OnVisible: TWebBrowserOnVisible
  publish TabStop = False, Align, ParentShowHint, PopupMenu, ShowHint, TabOrder, Offline,
          RegisterAsDropTarget, Silent, OnBeforeNavigate2, OnCommandStateChange, OnDocumentComplete,
          OnDownloadBegin, OnDownloadComplete, OnFullScreen, OnMenuBar, OnNavigateComplete2, OnNewWindow2,
          OnProgressChange, OnPropertyChange, OnQuit, OnStatusBar, OnStatusTextChange, OnTheaterMode,
          OnTitleChange, OnToolBar, OnVisible
  init Width = 216, Height = 70, Color = clWhite, ParentColor = False, TabStop = False

class TShockwaveFlash : TOleControl streamed
  public OnReadyStateChange: TShockwaveFlashOnReadyStateChange
  public OnProgress: TShockwaveFlashOnProgress
  public OnFSCommand: TShockwaveFlashFSCommand
  publish TabStop = False, Align, ParentShowHint, PopupMenu, ShowHint, TabOrder, Visible, OnEnter, OnExit,
          OnReadyStateChange, OnProgress, OnFSCommand
  init Width = 200, Height = 200, Color = clWhite, ParentColor = False, TabStop = False

# ---- the code editor's options object -------------------------------------------------------------
enum TSynEditorOption eoAltSetsColumnMode eoAutoIndent eoAutoSizeMaxScrollWidth eoDisableScrollArrows,
     eoDragDropEditing eoDropFiles eoEnhanceHomeKey eoEnhanceEndKey eoGroupUndo eoHalfPageScroll,
     eoHideShowScrollbars eoKeepCaretX eoNoCaret eoNoSelection eoRightMouseMovesCursor eoScrollByOneLess,
     eoScrollHintFollows eoScrollPastEof eoScrollPastEol eoShowScrollHint eoShowSpecialChars,
     eoSmartTabDelete eoSmartTabs eoSpecialLineDefaultFg eoTabIndent eoTabsToSpaces eoTrimTrailingSpaces
set TSynEditorOptions TSynEditorOption
enum TSynEditCaretType ctVerticalLine ctHorizontalLine ctHalfBlock ctBlock
enum TSynGutterBorderStyle gbsNone gbsMiddle gbsRight

class TSynGutter : TPersistent
  published AutoSize: Boolean = False
  published BorderStyle: TSynGutterBorderStyle = gbsMiddle
  published Color: TColor = clBtnFace
  published Cursor: TCursor = crDefault
  published DigitCount: Integer = 4
  published Font: TFont
  published LeadingZeros: Boolean = False
  published LeftOffset: Integer = 16
  published RightOffset: Integer = 2
  published ShowLineNumbers: Boolean = False
  published UseFontStyle: Boolean = True
  published Visible: Boolean = True
  published Width: Integer = 30
  published ZeroStart: Boolean = False
  init Font.Name = 'Courier New', Font.Height = -11

class TSynSelectedColor : TPersistent
  published Background: TColor = clHighlight
  published Foreground: TColor = clHighlightText

class TSynBookMarkOpt : TPersistent
  published EnableKeys: Boolean = True
  published GlyphsVisible: Boolean = True
  published LeftMargin: Integer = 2
  published Visible: Boolean = True
  published Xoffset: Integer = 12

class TSynEditKeyStroke : TCollectionItem
  published Command: TSynEditorCommand
  published ShortCut: TShortCut = 0
  published ShortCut2: TShortCut = 0
  init Command = 0

class TSynEditKeyStrokes : TCollection items=TSynEditKeyStroke

class TSynEditorOptionsContainer : TComponent streamed
  published Options: TSynEditorOptions = [eoAutoIndent, eoDragDropEditing, eoDropFiles, eoGroupUndo,
            eoScrollPastEol, eoShowScrollHint, eoSmartTabDelete, eoSmartTabs, eoTabsToSpaces]
  published BookMarkOptions: TSynBookMarkOpt
  published Color: TColor = clWindow
  published Font: TFont
  published ExtraLineSpacing: Integer = 0
  published Gutter: TSynGutter
  published RightEdge: Integer = 80
  published RightEdgeColor: TColor = clSilver
  published WantTabs: Boolean = False
  published InsertCaret: TSynEditCaretType = ctVerticalLine
  published OverwriteCaret: TSynEditCaretType = ctBlock
  published HideSelection: Boolean = False
  published MaxScrollWidth: Integer = 1024
  published MaxUndo: Integer = 1024
  published SelectedColor: TSynSelectedColor
  published TabWidth: Integer = 8
  published Keystrokes: TSynEditKeyStrokes
  init Font.Name = 'Courier New', Font.Height = -13
)TABLE";
}

} // namespace vcl
