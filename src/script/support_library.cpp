// The lists of the support library. The declaration texts are passed to the compiler as they stand,
// odd spacing and spelling included (" function PlayMusicLoop", "OwervritePrompt"): scripts and the
// runtime were written against exactly these texts.
#include "script/support_library.h"

namespace script {

using namespace decl;

static constexpr Decl kEventTypes[] = {
    type("TMouseWheelEvent", "procedure (Sender: TObject; Shift: TShiftState; WheelDelta: Integer; "
                             "MousePos: TPoint; var Handled: Boolean);"),
    type("TMouseWheelUpDownEvent",
         "procedure (Sender: TObject; Shift: TShiftState; MousePos: TPoint; var Handled: Boolean);"),
    type("TKeyEvent", "procedure (Sender: TObject; var Key: Word; Shift: TShiftState);"),
    type("TKeyPressEvent", "procedure (Sender: TObject; var Key: Char)"),
    type("THelpEvent", "function (Command: Word; Data: Longint; var CallHelp: Boolean): Boolean;"),
};

static constexpr Decl kBasicRoutines[] = {
    routine("procedure SaveImage(var control:Timage; filename:string);"),
    routine("procedure LoadImage(var control:Timage; filename:string);"),
    routine("function InputBox(const ACaption, APrompt, ADefault: string): string;"),
    routine("function SelectDirectory(Prompt:String):string;"),
    routine("procedure Writeln(Msg:string);"),
    routine("procedure ShowMessage(Msg:string);"),
    routine("function Readln(Msg:string):string;"),
    routine("function TimeToStr(D:TdateTime):string;"),
    routine("function StrToTime(const S: string): TDateTime;"),
    routine("function FileExists(const FileName: string): Boolean;"),
    routine("function GetOpenFileName(Title,Filename,InitialDir,Filter,DefaultExt:string;FileMustExists,"
            "OwervritePrompt:boolean;var executed: boolean):string;"),
    routine("function GetSaveFileName(Title,Filename,InitialDir,Filter,DefaultExt:string;FileMustExists,"
            "OwervritePrompt:boolean;var executed: boolean):string;"),
    routine("function MsgBox(AText,ACaption:string;Flags:integer):integer;"),
    routine("function MessageBox(AText,ACaption:string;Flags:integer):integer;"),
    routine("procedure StopMusic(MusicHandle:integer);"),
    routine("Procedure PauseMusic(MusicHandle:integer);"),
    routine("function PlayMusic(Afile:string):integer;"),
    routine(" function PlayMusicLoop(Afile:string):integer;"),
    routine("function CreateOleObject(const ClassName: string): Variant;"),
    routine("function GetActiveOleObject(const ClassName: string): Variant;"),
    routine("procedure CoFreeUnusedLibraries;"),
    routine("function IntToHex(Value: Integer; Digits: Integer): string;"),
    routine("procedure Beep;"),
    routine("function Odd(X: Longint): Boolean;"),
    routine("procedure AboutMe(App,OtherStuff:string; windowhandle:integer);"),
};

static constexpr Decl kTypeAliases[] = {
    type("DWORD", "integer"), type("HWND", "integer"),  type("PGUID", "string"),
    type("WORD", "integer"),  type("BOOL", "LongBool"), type("FLOAT", "Single"),
    type("REAL", "Single"),   type("QWORD", "int64"),   type("Byte", "integer"),
    type("HIcon", "integer"), type("HDC", "integer"),   type("OLEVARIANT", "VARIANT"),
    type("HKEY", "integer"),  type("WordBool", "WORD"),
};

static constexpr Decl kIntegerConstants[] = {
    // colours
    intConst("clMoneyGreen", 12639424),
    intConst("clSkyBlue", 15780518),
    intConst("clCream", 15793151),
    intConst("clMedGray", 10789024),
    // text encodings of EncodeStr and DecodeStr
    intConst("ctDefault", 0),
    intConst("ctHex", 1),
    intConst("ctPrintable", 2),
    intConst("ctLatin", 3),
    intConst("ctBase64", 4),
    intConst("ctUUE", 5),
    intConst("ctXX", 6),
    // virtual keys
    intConst("VK_LBUTTON", 1),
    intConst("VK_RBUTTON", 2),
    intConst("VK_CANCEL", 3),
    intConst("VK_MBUTTON", 4),
    intConst("VK_BACK", 8),
    intConst("VK_TAB", 9),
    intConst("VK_CLEAR", 12),
    intConst("VK_RETURN", 13),
    intConst("VK_SHIFT", 16),
    intConst("VK_CONTROL", 17),
    intConst("VK_MENU", 18),
    intConst("VK_PAUSE", 19),
    intConst("VK_CAPITAL", 20),
    intConst("VK_KANA", 21),
    intConst("VK_HANGUL", 21),
    intConst("VK_JUNJA", 23),
    intConst("VK_FINAL", 24),
    intConst("VK_HANJA", 25),
    intConst("VK_KANJI", 25),
    intConst("VK_CONVERT", 28),
    intConst("VK_NONCONVERT", 29),
    intConst("VK_ACCEPT", 30),
    intConst("VK_MODECHANGE", 31),
    intConst("VK_ESCAPE", 27),
    intConst("VK_SPACE", 32),
    intConst("VK_PRIOR", 33),
    intConst("VK_NEXT", 34),
    intConst("VK_END", 35),
    intConst("VK_HOME", 36),
    intConst("VK_LEFT", 37),
    intConst("VK_UP", 38),
    intConst("VK_RIGHT", 39),
    intConst("VK_DOWN", 40),
    intConst("VK_SELECT", 41),
    intConst("VK_PRINT", 42),
    intConst("VK_EXECUTE", 43),
    intConst("VK_SNAPSHOT", 44),
    intConst("VK_INSERT", 45),
    intConst("VK_DELETE", 46),
    intConst("VK_HELP", 47),
    intConst("VK_LWIN", 91),
    intConst("VK_RWIN", 92),
    intConst("VK_APPS", 93),
    intConst("VK_NUMPAD0", 96),
    intConst("VK_NUMPAD1", 97),
    intConst("VK_NUMPAD2", 98),
    intConst("VK_NUMPAD3", 99),
    intConst("VK_NUMPAD4", 100),
    intConst("VK_NUMPAD5", 101),
    intConst("VK_NUMPAD6", 102),
    intConst("VK_NUMPAD7", 103),
    intConst("VK_NUMPAD8", 104),
    intConst("VK_NUMPAD9", 105),
    intConst("VK_MULTIPLY", 106),
    intConst("VK_ADD", 107),
    intConst("VK_SEPARATOR", 108),
    intConst("VK_SUBTRACT", 109),
    intConst("VK_DECIMAL", 110),
    intConst("VK_DIVIDE", 111),
    intConst("VK_F1", 112),
    intConst("VK_F2", 113),
    intConst("VK_F3", 114),
    intConst("VK_F4", 115),
    intConst("VK_F5", 116),
    intConst("VK_F6", 117),
    intConst("VK_F7", 118),
    intConst("VK_F8", 119),
    intConst("VK_F9", 120),
    intConst("VK_F10", 121),
    intConst("VK_F11", 122),
    intConst("VK_F12", 123),
    intConst("VK_F13", 124),
    intConst("VK_F14", 125),
    intConst("VK_F15", 126),
    intConst("VK_F16", 127),
    intConst("VK_F17", 128),
    intConst("VK_F18", 129),
    intConst("VK_F19", 130),
    intConst("VK_F20", 131),
    intConst("VK_F21", 132),
    intConst("VK_F22", 133),
    intConst("VK_F23", 134),
    intConst("VK_F24", 135),
    intConst("VK_NUMLOCK", 144),
    intConst("VK_SCROLL", 145),
    intConst("VK_LSHIFT", 160),
    intConst("VK_RSHIFT", 161),
    intConst("VK_LCONTROL", 162),
    intConst("VK_RCONTROL", 163),
    intConst("VK_LMENU", 164),
    intConst("VK_RMENU", 165),
    intConst("VK_PROCESSKEY", 229),
    intConst("VK_ATTN", 246),
    intConst("VK_CRSEL", 247),
    intConst("VK_EXSEL", 248),
    intConst("VK_EREOF", 249),
    intConst("VK_PLAY", 250),
    intConst("VK_ZOOM", 251),
    intConst("VK_NONAME", 252),
    intConst("VK_PA1", 253),
    intConst("VK_OEM_CLEAR", 254),
    // message box styles
    intConst("MB_OK", 0),
    intConst("MB_OKCANCEL", 1),
    intConst("MB_ABORTRETRYIGNORE", 2),
    intConst("MB_YESNOCANCEL", 3),
    intConst("MB_YESNO", 4),
    intConst("MB_RETRYCANCEL", 5),
    intConst("MB_SETFOREGROUND", 0x10000),
    intConst("MB_ICONWARNING", 48),
    intConst("MB_ICONEXCLAMATION", 48),
    intConst("MB_ICONINFORMATION", 64),
    intConst("MB_ICONASTERISK", 64),
    intConst("MB_ICONQUESTION", 32),
    intConst("MB_ICONSTOP", 16),
    intConst("MB_ICONERROR", 16),
    intConst("MB_ICONHAND", 16),
    intConst("MB_DEFBUTTON1", 0),
    intConst("MB_DEFBUTTON2", 256),
    intConst("MB_DEFBUTTON3", 512),
    intConst("MB_DEFBUTTON4", 768),
    intConst("MB_APPLMODAL", 0),
    intConst("MB_SYSTEMMODAL", 4096),
    intConst("MB_TASKMODAL", 8192),
    intConst("MB_TOPMOST", 0x40000),
    // dialog results
    intConst("IDOK", 1),
    intConst("IDCANCEL", 2),
    intConst("IDABORT", 3),
    intConst("IDRETRY", 4),
    intConst("IDIGNORE", 5),
    intConst("IDYES", 6),
    intConst("IDNO", 7),
    // registry roots
    intConst("HKEY_CLASSES_ROOT", 0x80000000),
    intConst("HKEY_CURRENT_USER", 0x80000001),
    intConst("HKEY_LOCAL_MACHINE", 0x80000002),
    intConst("HKEY_USERS", 0x80000003),
    intConst("HKEY_PERFORMANCE_DATA", 0x80000004),
    intConst("HKEY_CURRENT_CONFIG", 0x80000005),
    intConst("HKEY_DYN_DATA", 0x80000006),
    intConst("HKCR", 0x80000000),
    intConst("HKCU", 0x80000001),
    intConst("HKLM", 0x80000002),
    intConst("HKU", 0x80000003),
    intConst("HKCC", 0x80000005),
    // show commands
    intConst("SW_SHOWNORMAL", 1),
    intConst("SW_SHOWMAXIMIZED", 3),
    intConst("SW_SHOWMINNOACTIVE", 7),
    intConst("SW_HIDE", 0),
};

// The two enumerations come from the runtime's own code; the shell folder constants repeat the
// elements of the second as plain integers.
static constexpr Decl kNativeEnums[] = {
    nativeEnum("TMsgBoxType", "mbInformation,mbConfirmation,mbError,mbCriticalError"),
    nativeEnum("TShellFolderID", "sfDesktop,sfStartMenu,sfPrograms,sfStartup,sfSendTo,sfFonts,sfAppData,"
                                 "sfDocs,sfTemplates,sfFavorites,sfLocalAppData"),
    intConst("sfDesktop", 0),
    intConst("sfStartMenu", 1),
    intConst("sfPrograms", 2),
    intConst("sfStartup", 3),
    intConst("sfSendTo", 4),
    intConst("sfFonts", 5),
    intConst("sfAppData", 6),
    intConst("sfDocs", 7),
    intConst("sfTemplates", 8),
    intConst("sfFavorites", 9),
    intConst("sfLocalAppData", 10),
};

static constexpr Decl kStringConstants[] = {
    strConst("REGSTR_PATH_SETUP", "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"),
    strConst("UNINSTALLER_DISPLAYNAME", "DisplayName"),
    strConst("UNINSTALLER_COMMANDLINE", "UninstallString"),
    strConst("AUDIOFILTER",
             "All Supported Formats|*.wav;*.mp3;*.mp2;*.mp1;*.ogg;*.xm;*.mod;*.s3m;*.it;*.mtm;*.mo3;*.cda|"
             "Streamable files (wav/ogg/mp1/mp2/mp3)|*.wav;*.mp3;*.mp2;*.mp1;*.ogg|"
             "Music modules (xm/mod/s3m/it/mtm/mo3)|*.xm;*.mod;*.s3m;*.it;*.mtm;*.mo3|"
             "CD Audio Tracks(*.cda)|*.cda|All files|*.*"),
    strConst("AUDIOWAV", "WAV Files (*.wav)|*.wav"),
    strConst("AUDIOSTREAM", "Streamable files (wav/ogg/mp1/mp2/mp3)|*.wav;*.mp3;*.mp2;*.mp1;*.ogg"),
    strConst("AUDIOMOD", "Music modules (xm/mod/s3m/it/mtm/mo3)|*.xm;*.mod;*.s3m;*.it;*.mtm;*.mo3"),
    strConst("AUDIOCD", "CD Audio Tracks(*.cda)|*.cda"),
    strConst("IMAGEFILTER",
             "All (*.png;*.tga;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.gif)|"
             "*.png;*.tga;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.gif|"
             "Portable Network Graphics (*.png)|*.png|Targa Image (*.tga)|*.tga|"
             "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
             "Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|"
             "Gif Image File (*.gif)|*.gif"),
    strConst("IMAGEICO", "Icons (*.ico)|*.ico"),
    strConst("IMAGEBITMAP", "Bitmaps (*.bmp)|*.bmp"),
    strConst("IMAGEMETA", "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf"),
    strConst("IMAGEGIF", "Gif Image File (*.gif)|*.gif"),
    strConst("IMAGEJPG", "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg"),
    strConst("IMAGETGA", "Targa Image (*.tga)|*.tga"),
    strConst("IMAGEPNG", "Portable Network Graphics (*.png)|*.png"),
};

static constexpr Decl kMusicExtras[] = {
    routine("function GetMusicTags(MusicHandle:integer):TMUSICTag"),
    routine("function SetVolume(Vol:integer):boolean;"),
    routine("function GetVolume:integer;"),
    routine("function GetBitRate(MusicHandle:integer):integer"),
    routine("function BassSettingsDialog:boolean;"),
    routine("function IsMono(MusicHandle:integer):boolean;"),
    routine("function GetMusicFormat(MusicHandle:integer):string;"),
    routine("function GetLengthInSeconds(MusicHandle:integer):integer;"),
    routine("function GetPosition(MusicHandle:integer):integer;"),
    routine("procedure SetPosition(MusicHandle:integer;Position:integer);"),
    routine("function UnzipFile(ZipFileName,TargetDirectory,FilesToExtract:string):Integer;"),
    routine("function IsZip( filename : string):boolean;"),
    routine("function DownloadFile(URL,LocalFile : string):boolean;"),
    routine("function SelectColor(DefaultColor : TColor) : TColor;"),
    routine("function SelectFont(DefaultFont : TFont) : TFont;"),
    routine(
        "function CopyDirectory(Directory, DestinationFolder: String; const GUI, SimpleGUI, "
        "CopyConfirmation, MkDirConfirmation, ErrorGUI: Boolean; var UserHasCancelled: Boolean): Boolean;"),
};

static constexpr Decl kMusicRoutines[] = {
    routine("Function PlayMusicLoopEx( AFile : string; Volume : cardinal; Panning : integer) : integer"),
    routine("Function PlayMusicEx( AFile : string; Volume : cardinal; Panning : integer) : integer"),
    routine("Function GetLastBassError : integer"),
    routine("Function GetChannelSampleRate( MusicHandle : integer; var SampleRate : cardinal) : boolean"),
    routine("Function GetChannelPanning( MusicHandle : integer; var Panning : integer) : boolean"),
    routine("Function GetChannelVolume( MusicHandle : integer; var Volume : cardinal) : boolean"),
    routine("Function SetChannelSampleRate( MusicHandle, SampleRate : cardinal) : boolean"),
    routine("Function SetChannelPanning( MusicHandle, Panning : integer) : boolean"),
    routine("Function SetChannelVolume( MusicHandle, Volume : cardinal) : boolean"),
    routine("Function GetCPUUsedByMusic : single"),
    routine("function PlayCDTrack(Drive,Track : DWORD):integer;"),
    routine("function PlayCDTrackLoop(Drive,Track : DWORD):integer;"),
    routine("function GetTracks(DRIVE : DWORD) : DWORD;"),
    routine("function GetCDDriveDescription(DRIVE : DWORD) : string;"),
    routine("function GetCDDriveLetter(DRIVE : DWORD) : string;"),
    intConst("CD_DOOR_CLOSE", 0),
    intConst("CD_DOOR_OPEN", 1),
    intConst("CD_DOOR_LOCK", 2),
    intConst("CD_DOOR_UNLOCK", 3),
    routine("function CD_DoorIsOpen(DRIVE : DWORD) : boolean;"),
    routine("function CD_DoorIsLocked(DRIVE : DWORD) : boolean;"),
    routine("function CD_Door(DRIVE,ACTION : DWORD) : boolean;"),
    routine("function MusicStatus(MusicHandle : integer) : integer;"),
    routine("function MusicSlideAttributes(MusicHandle,Freq,Volume,Pan,Time : integer) : boolean;"),
};

static constexpr Decl kProgramRoutines[] = {
    routine("procedure ExitProcess(ExitCode : integer)"),
    type("TDebugCommand", "( DC_HINT, DC_ERROR, DC_WARNING )"),
    routine("function IsDebuggerAttached : boolean"),
    routine("procedure SendCommandToDebugger(Command : TDebugCommand; Param : string)"),
    routine("Function ParamCount : Integer"),
    routine("Function ParamStr( Index : Integer) : string"),
    routine("function SendMCIString(command : string; var ResultMsg : string; var ResultCode: integer) : "
            "boolean;"),
    routine("function ExtractFileDir(const FileName: string): string;"),
    routine("function ExtractFileDrive(const FileName: string): string;"),
    routine("function ExtractFileExt(const FileName: string): string;"),
    routine("function ExtractFileName(const FileName: string): string;"),
};

static constexpr Decl kScreenRoutines[] = {
    routine("function MouseX : integer;"),
    routine("function MouseY : integer;"),
    routine("function ScreenHeight : integer;"),
    routine("function ScreenWidth : integer;"),
};

static constexpr Decl kSystemRoutines[] = {
    routine("function ClearImage(var Control : TImage) : boolean;"),
    routine("function Fonts : TStrings;"),
    routine("procedure CopyTextToClipboard(Text : string);"),
    routine("function GetTextFromClipboard : string;"),
    routine("function AddCursor(Filename : string) : integer;"),
    routine("procedure SetDefaultCursor(NewCursor : integer);"),
    routine("function ProcessorCount : integer;"),
    routine("function ProcessorName(index : integer) : string;"),
    routine("function ProcessorSpeedMHZ(index : integer) : string;"),
    routine("function ProcessorSpeed(index : integer) : string;"),
    routine("procedure ProcessorVendor(index : integer; var Name,Signature : string);"),
    routine("function ProcessorSignature(index : integer) : string;"),
    routine("function ProcessorUsage(index : integer) : string;"),
    routine("procedure ShowTrayIcon(Show  : boolean);"),
    routine("procedure SetTrayIconHint(Hint : string);"),
    routine("function GetTrayIconHint : string;"),
    routine("procedure GetSetTrayIconPopupMenu(_Set : boolean; var Pop : TPopupMenu);"),
    routine("procedure HideTaskBarButton(Hide : boolean);"),
    routine("procedure CreateMutex(Name : string);"),
    routine("procedure FreeGraphic(G : TPicture);"),
    routine("procedure CopyWindowTo(Dest : TPicture; WinHandle,Left,Top,Width,Height : integer);"),
    routine("function SecondsToString(sec : integer) : string;"),
    routine("function ReadFileVersion(FileName : string) : string;"),
    routine("procedure Sleep(Milisecs : cardinal);"),
    routine("function ConvertAudioToWAV(Files : TStrings) : boolean;"),
    routine("function ChangeFileExt(const FileName, Extension: string): string;"),
    routine("function ISVersionOlder(OldVersion ,NewVersion : string) : boolean;"),
    routine("procedure LoadWinIco(ID : integer; Picture : TPicture);"),
    routine("function DownloadFileEx(URL,LocalFile,Message : string):boolean;"),
    routine("function SelectStringFromList(Caption,Prompt,Default : string; List : TStrings) : string;"),
    routine("function InputQuery(const ACaption, APrompt: string; var Value: string): Boolean;"),
    routine("function PromptForFileName(var AFileName: string; const AFilter: string; const ADefaultExt: "
            "string; const ATitle: string; const AInitialDir: string; SaveDialog: Boolean): Boolean;"),
    routine("function GetVariable(Global : boolean; Name : string; Default : Variant) : Variant;"),
    routine("procedure SetVariable(Global : boolean; Name : string; Value : Variant);"),
    routine("procedure SplashScreen(FileName : string; Picture : TPicture; Reverse : boolean; "
            "Style1,Style2,Time : integer);"),
    routine("function SelectDirectoryEX(Prompt : string; var Dir : string) : boolean;"),
    routine("function SelectColorEX(DefaultColor : TColor) : TColor;"),
    routine("function PrinterSetupDialog : boolean;"),
    routine("function SearchForMusic(const Path : string; Recursive : boolean) : TStringList;"),
};

static constexpr Decl kFileExtras[] = {
    routine("function ForceDirectories(const Dir: string): Boolean;"),
    routine("function RegGetSubkeyNames(const RootKey: Integer; const SubKeyName: String; var Names: "
            "TStrings): Boolean;"),
    routine("function RegGetValueNames(const RootKey: Integer; const SubKeyName: String; var Names: "
            "TStrings): Boolean;"),
    routine("function RegWriteStringValue(const RootKey: Integer; const SubKeyName, ValueName, Value: "
            "String): Boolean;"),
    routine("function RegWriteMultiStringValue(const RootKey: Integer; const SubKeyName, ValueName, Value: "
            "String): Boolean;"),
    routine("function RegWriteDWordValue(const RootKey: Integer; const SubKeyName, ValueName: String; const "
            "Value: Cardinal): Boolean;"),
    routine("function RegWriteBinaryValue(const RootKey: Integer; const SubKeyName, ValueName, Value: "
            "String): Boolean;"),
    routine("function RegDeleteValue(const RootKey: Integer; const SubKeyName, ValueName: String): Boolean;"),
    routine("function RemoveDir(const Dir: string): Boolean;"),
    routine("function Format(const S: string; const Args: array of Variant): string;"),
    routine("function StrToBool(const S: string): Boolean;"),
    routine("function BoolToStr(B: Boolean): string;"),
    routine("procedure GetFormImage(AForm : TForm; DestPicture : TPicture);"),
};

static constexpr Decl kSpeech[] = {
    type("TMSpeechEngineInfo",
         "record Name : String; Language : String; Manufacturer : String; Product : String; ModeID : String; "
         "EngineID : String; Speaker : String; Style : String; Gender : String; Age : Integer; Features : "
         "Integer; Interfaces : Integer; MaxPitch : Word; MinPitch : Word; MaxRealTime : LongWord; "
         "MinRealTime : LongWord; MaxSpeed : LongWord; MinSpeed : LongWord; MaxVolume : LongWord; MinVolume "
         ": LongWord; end"),
    type("TSpeechDialog", "( sdAbout, sdGeneral, sdLexicon, sdTranslate )"),
    routine("Function TTS_GetEngines : TStrings"),
    routine("Procedure TTS_SelectEngine( EngineName : String)"),
    routine("Function TTS_SelectedEngineInfo : TMSpeechEngineInfo"),
    routine("Procedure TTS_Dialog( DialogType : TSpeechDialog; ParentWnd : integer)"),
    routine("Procedure TTS_Speak( Text : string)"),
    routine("Procedure TTS_Inject( Command : String)"),
    routine("Procedure TTS_Pause"),
    routine("Procedure TTS_Resume"),
    routine("Procedure TTS_Stop"),
    routine("Function TTS_Paused : boolean"),
    routine("Function TTS_GetPosition : integer"),
    routine("Function TTS_RealTime : integer"),
    routine("Procedure TTS_SetSpeed( Value : integer)"),
    routine("Function TTS_GetSpeed : integer"),
    routine("Procedure TTS_SetPitch( Value : integer)"),
    routine("Function TTS_GetPitch : integer"),
    routine("Procedure TTS_SetVolume( Value : integer)"),
    routine("Function TTS_GetVolume : integer"),
    routine("Procedure TTS_SetOutput( WavFile : string)"),
    routine("function TTS_CheckInstallation : boolean;"),
};

static constexpr Decl kDrawingRoutines[] = {
    routine("Procedure DrawTiled( Canvas : TCanvas; Rect : TRect; G : TGraphic)"),
    routine("Procedure DrawTransparent( dstBitmap, srcBitmap : TBitmap; Transparency : TPercent)"),
};

std::span<const Decl> supportEventTypes()
{
    return kEventTypes;
}
std::span<const Decl> supportBasicRoutines()
{
    return kBasicRoutines;
}
std::span<const Decl> supportTypeAliases()
{
    return kTypeAliases;
}
std::span<const Decl> supportIntegerConstants()
{
    return kIntegerConstants;
}
std::span<const Decl> supportNativeEnums()
{
    return kNativeEnums;
}
std::span<const Decl> supportStringConstants()
{
    return kStringConstants;
}
std::span<const Decl> supportMusicExtras()
{
    return kMusicExtras;
}
std::span<const Decl> supportMusicRoutines()
{
    return kMusicRoutines;
}
std::span<const Decl> supportProgramRoutines()
{
    return kProgramRoutines;
}
std::span<const Decl> supportScreenRoutines()
{
    return kScreenRoutines;
}
std::span<const Decl> supportSystemRoutines()
{
    return kSystemRoutines;
}
std::span<const Decl> supportFileExtras()
{
    return kFileExtras;
}
std::span<const Decl> supportSpeech()
{
    return kSpeech;
}
std::span<const Decl> supportDrawingRoutines()
{
    return kDrawingRoutines;
}

} // namespace script
