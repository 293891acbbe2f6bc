// The system utility routines of the support library: files, folders, INI files, the registry,
// drives, the network, numbers, the system version, printers, the shell, screens, memory and devices,
// and process control, with the record and enumeration types they use. TDWSpecialFolder is registered
// twice with the same text, and the version constants are LongWord, not LONGINT: both as the runtime
// has them.
#include "script/system_utilities.h"

namespace script {

using namespace decl;

static constexpr Decl kSystemUtilities[] = {
    // Picture show, HTML and text comparison
    routine("procedure LoadPicShowPicsAnim(var PicShow:TPicShow;BgPicture,Picture:string;Style:integer);"),
    routine("function StringToHTML(Str: String): String;"),
    routine("function SameText(A,B : string) : boolean;"),
    // Files, INI files, environment, command line, quoting, paths, registry, shell folders, user
    // rights, fonts and user-interface text
    routine("Function NewFileExists( const Name : String) : Boolean"),
    routine("Function DirExists( const Name : String) : Boolean"),
    routine("Function FileOrDirExists( const Name : String) : Boolean"),
    routine("Function GetIniString( const Section, Key, Default, Filename : String) : String"),
    routine("Function GetIniInt( const Section, Key : String; const Default, Min, Max : Longint; const "
            "Filename : String) : Longint"),
    routine("Function GetIniBool( const Section, Key : String; const Default : Boolean; const Filename : "
            "String) : Boolean"),
    routine("Function IniKeyExists( const Section, Key, Filename : String) : Boolean"),
    routine("Function IsIniSectionEmpty( const Section, Filename : String) : Boolean"),
    routine("Function SetIniString( const Section, Key, Value, Filename : String) : Boolean"),
    routine("Function SetIniInt( const Section, Key : String; const Value : Longint; const Filename : "
            "String) : Boolean"),
    routine("Function SetIniBool( const Section, Key : String; const Value : Boolean; const Filename : "
            "String) : Boolean"),
    routine("Procedure DeleteIniEntry( const Section, Key, Filename : String)"),
    routine("Procedure DeleteIniSection( const Section, Filename : String)"),
    routine("Function GetEnv( const EnvVar : String) : String"),
    routine("Function GetCmdTail : String"),
    routine("Function NewParamCount : Integer"),
    routine("Function NewParamStr( Index : Integer) : string"),
    routine("Function AddQuotes( const S : String) : String"),
    routine("Function RemoveQuotes( const S : String) : String"),
    routine("Function GetShortName( const LongName : String) : String"),
    routine("Function GetWinDir : String"),
    routine("Function GetSystemDir : String"),
    routine("Function GetTempDir : String"),
    routine("Procedure StringChange( var S : String; const FromStr, ToStr : String)"),
    routine("Function AdjustLength( var S : String; const Res : Cardinal) : Boolean"),
    routine("Function UsingWinNT : Boolean"),
    routine("Function ConvertConstPercentStr( var S : String) : Boolean"),
    routine("Function ConvertPercentStr( var S : String) : Boolean"),
    routine("Function ConstPos( const Ch : Char; const S : String) : Integer"),
    routine("Function SkipPastConst( const S : String; const Start : Integer) : Integer"),
    routine("function RegQueryStringValue(const RootKey: Integer; const SubKeyName, ValueName: String; var "
            "ResultStr: String): Boolean;"),
    routine("function RegQueryMultiStringValue(const RootKey: Integer; const SubKeyName, ValueName: "
            "String; var ResultStr: String): Boolean;"),
    routine("Function RegValueExists(const RootKey: Integer; const SubKeyName, ValueName: String): Boolean;"),
    routine("Function RegDeleteKeyIncludingSubkeys( const Key : Integer; const Name : string) : boolean"),
    routine("Function RegDeleteKeyIfEmpty( const RootKey : Integer; const SubkeyName : string) : boolean"),
    routine("Function GetShellFolderPath( const FolderID : Integer) : String"),
    routine("Function GetProgramFilesPath : String"),
    routine("Function GetCommonFilesPath : String"),
    routine("Function IsAdminLoggedOn : Boolean"),
    routine("Function IsPowerUserLoggedOn : Boolean"),
    routine("Function IsMultiByteString( S : String) : Boolean"),
    routine("Function FontExists( const FaceName : String) : Boolean"),
    routine("Function SafeLoadLibrary( const Filename : String; ErrorMode : Integer) : Integer"),
    routine("Function GetUILanguage : Integer"),
    routine("Function RemoveAccelChar( const S : String) : String"),
    routine("Function GetTextWidth( const DC : Integer; S : String; const Prefix : Boolean) : Integer"),
    routine("Function AddPeriod( const S : String) : String"),
    routine("Function GetPreferredUIFont : String"),
    routine("Function IsWildcard( const Pattern : String) : Boolean"),
    routine("Function WildcardMatch( const Text, Pattern : PChar) : Boolean"),
    routine("Function IntMax( const A, B : Integer) : Integer"),
    routine("Function Win32ErrorString( ErrorCode : Integer) : String"),
    // Special folders and dates
    type("TDWSpecialFolder",
         "( dwspfAdminTools, dwspfAppData, dwspfRecycleBin, dwspfCommonAdminTools, "
         "dwspfCommonAppData, dwspfCommonDesktop, dwspfCommonDocuments, dwspfCommonFavorites, "
         "dwspfCommonMusic, dwspfCommonPictures, dwspfCommonProgramFiles, dwspfCommonPrograms, "
         "dwspfCommonStartmenu, dwspfCommonStartup, dwspfCommonTemplates, dwspfCommonVideo, dwspfControls, "
         "dwspfCookies, dwspfDesktop, dwspfDrives, dwspfFavorites, dwspfFonts, dwspfHistory, "
         "dwspfInternetCache, dwspfLocalAppData, dwspfMyMusic, dwspfMyPictures, dwspfMyVideo, dwspfNetHood, "
         "dwspfNetwork, dwspfPersonal, dwspfPrinters, dwspfPrintHood, dwspfProfile, dwspfProgramFiles, "
         "dwspfProgramFilesX86, dwspfPrograms, dwspfRecent, dwspfSendTo, dwspfStartMenu, dwspfStartUp, "
         "dwspfSystem, dwspfSystemX86, dwspfTemplates, dwspfWindows )"),
    routine("Function SpecialFolderToCSIDL( const SpecialFolder : TDWSpecialFolder) : Word"),
    routine("Function DayOfYear( ADate : TDateTime) : Integer"),
    // Record types used by later families
    type("TMUSICTag", "record Title: string;Artist: string;Album: string;Year: string;Comment: "
                      "string;Genre: string;ExtraInfo : array [0..20] of string; end;"),
    type("TOSVersionInfoEx",
         "record dwOSVersionInfoSize:DWORD;dwMajorVersion:DWORD; "
         "dwMinorVersion:DWORD;dwBuildNumber:DWORD; dwPlatformId: DWord;szCSDVersion: array[0..127] of "
         "Char;wServicePackMajor: Word; wServicePackMinor: Word;wSuiteMask: Word; wProductType: Byte; "
         "wReserved: Byte; end;"),
    type("TDWDriveShellInfo", "record Icon : integer; Image : integer; DisplayName : string; TypeName : "
                              "string; end"),
    // Drives
    routine("Function GetDriveShellInfo( const Drive : Char) : TDWDriveShellInfo"),
    routine("Function AvailableDrives : TStringList"),
    routine("Function DrivesCount : Integer"),
    routine("Function DiskInDrive( Drive : Char) : Boolean"),
    routine("Function DiskWriteProtected( Drive : Char) : Boolean"),
    routine("Function HardDrives : TStringList"),
    routine("Function ValidDriveLetter( Drive : Char) : Boolean"),
    routine("Function DriveLetterToIndex( Drive : Char) : Byte"),
    routine("Function DriveIndexToLetter( Drive : Byte) : Char"),
    // File utilities
    type("TFileDateTimeStamp", "record Creation : TDATETIME; LastAccess : TDATETIME; LastWrite : "
                               "TDateTime; end"),
    routine("Function GetFileCRC32Int( const Filename : String) : DWord"),
    routine("Function GetFileCRC32Hex( const Filename : String) : String"),
    routine("Function FileIsOpen( const Filename : String) : Boolean"),
    routine("Function NTFSCompressFile( const FileName : String; const ForceCompress : Boolean) : Boolean"),
    routine("Function NTFSUncompressFile( const FileName : String) : Boolean"),
    routine("Function GetFileDateTimeStamp( const Filename : String; var FileDateTimeStamp : "
            "TFileDateTimeStamp) : Boolean"),
    routine("Function SetFileDateTimeStamp( const Filename : String; var FileDateTimeStamp : "
            "TFileDateTimeStamp) : Boolean"),
    routine("Function DirIsEmpty( Path : String) : Boolean"),
    routine("Function ExtractDriveFromPath( Path : String) : String"),
    routine("Function ExtractPureFilename( Name : String) : String"),
    routine("Function ExtractFileExtension( Name : String) : String"),
    routine("Function FileAttrib( Filename : String; A, H, R, S : Boolean) : Boolean"),
    routine("Function GetFileSize( Datei : String) : Integer"),
    routine("Procedure ListFiles( const Path, Mask : string; var List : TStringList; const ShowPath : "
            "Boolean)"),
    routine("Function ListFilesRecursive( Path, Mask : string; ShowPath : Boolean) : TStringList"),
    routine("Function ListFolders( Path : string; ShowPath : boolean) : TStringlist"),
    routine("Procedure PatchFile( filename : string; data : array of byte; offset, count : longint)"),
    routine("Function ReadStringFromFile( const Filename : String) : String"),
    routine("function SaveStringToFile(const FileName, S: String; const Append: Boolean): Boolean;"),
    // Audio file tags
    type("TID3V1Tag", "record ID : string; Titel : string; Artist : string; Album : string; Year : string; "
                      "Comment : string; Genre : Byte; end"),
    routine("Function ReadID3V1Tag( FileName : string) : TID3V1Tag"),
    routine("Function GenreByteToName( const Genre : Byte) : String"),
    // Network
    type("TDWHostConnectInfo", "record Host : String; Port : Word; end"),
    type("TDWInternetConnectedState", "( dwicsConfigured, dwicsLAN, dwicsModem, dwicsOffline, dwicsProxy, "
                                      "dwicsRASInstalled )"),
    type("TDWInternetConnectedStates", "set of TDWInternetConnectedState"),
    type("TDWInternetProxySetting",
         "record HTTP : TDWHostConnectInfo; HTTPS : TDWHostConnectInfo; FTP : "
         "TDWHostConnectInfo; Gopher : TDWHostConnectInfo; Socks : TDWHostConnectInfo; end"),
    routine("Function GetHostNameByIP( const IPAdress : String) : String"),
    routine("Function GetInetSideIP : String"),
    routine("Function GetInternetConnectionState( var InternetConnectedStates : "
            "TDWInternetConnectedStates) : Boolean"),
    routine("Function GetInternetProxySetting( var InternetProxySetting : TDWInternetProxySetting) : "
            "Boolean"),
    routine("Function GetIPAdress : String"),
    routine("Function GetIPByHostName( const HostName : String) : String"),
    routine("Function GetMACAdress : String"),
    routine("Function GetProxyIgnoredAdresses( var Adresses : TStringList) : Boolean"),
    // Numbers and bits
    routine("Function DecToRoman( iDecimal : LongInt) : String"),
    routine("Function Expon( const Value, Exponent : Integer) : Integer"),
    routine("Function SimpleChecksum( const Str : String) : Integer"),
    routine("Function Diff( const Value1, Value2 : Integer) : Integer"),
    routine("Function HexToInt( HexStr : String) : Integer"),
    routine("Function ExtractBits( const Value, Start, Count : Integer) : Integer"),
    routine("Function CountBits( const Value : Integer) : Integer"),
    routine("Function BitIsSet( w : DWord; Bitnr : integer) : Boolean"),
    routine("Procedure SetBit( var w : DWord; Bitnr : integer)"),
    routine("Procedure ResetBit( var w : DWord; Bitnr : integer)"),
    // Operating system version; the typed constants at the end are of type LongWord
    type("TOSType",
         "( OS_WIN95, OS_WIN98, OS_WINME, OS_NT351, OS_NT4_DOMAINCONTROLLER, OS_NT4_SERVER, "
         "OS_NT4_WORKSTATION, OS_WIN2000, OS_WIN2000_ADVSERVER, OS_WIN2000_DATACENTER, OS_WINXP_HOME, "
         "OS_WINXP_PROFESSIONAL, OS_WINXP_NETSERVER, OS_WIN2003, OS_UNKNOWN )"),
    type("TOSSuiteType", "( OSST_BACKOFFICE, OSST_DATACENTER, OSST_ENTERPRISE, OSST_PERSONAL, "
                         "OSST_SMALLBUSINESS, OSST_SMALLBUSINESS_RESTRICTED, OSST_TERMINAL, OSST_UNKNOWN )"),
    type("TOSProductType", "( OSPT_WORKSTATION, OSPT_DOMAIN_CONTROLLER, OSPT_SERVER, OSPT_UNKNOWN )"),
    routine("Procedure GetWindowsVersionEx( var OSVIE : TOSVersionInfoEx)"),
    routine("Function IsNTWorkstation : Boolean"),
    routine("Function IsNTServer : Boolean"),
    routine("Function IsDomainController : Boolean"),
    routine("Function IsNTMachine : Boolean"),
    routine("Function IsWin95 : Boolean"),
    routine("Function IsWin98 : Boolean"),
    routine("Function IsWinME : Boolean"),
    routine("Function IsNT351 : Boolean"),
    routine("Function IsNT4 : Boolean"),
    routine("Function IsWin2K : Boolean"),
    routine("Function IsWinXP : Boolean"),
    routine("function IsWin2003: Boolean;"),
    routine("Function WinMajorVersion : Integer"),
    routine("Function WinMinorVersion : Integer"),
    routine("Function WinBuildNumber : Integer"),
    routine("Function NTServicePackMajorVersion : Integer"),
    routine("Function NTServicePackMinorVersion : Integer"),
    routine("Function GetOS : TOSType"),
    routine("Function GetOSName : String"),
    routine("Function GetSuiteType : TOSSuiteType"),
    routine("Function GetProductType : TOSProductType"),
    routine("Function GetNTServicePackName : String"),
    routine("Function Wow64IsRunning( AppHandle : THandle) : Boolean"),
    typedConst("VER_SUITE_BACKOFFICE", "LongWord", 4),
    typedConst("VER_SUITE_DATACENTER", "LongWord", 128),
    typedConst("VER_SUITE_ENTERPRISE", "LongWord", 2),
    typedConst("VER_SUITE_PERSONAL", "LongWord", 512),
    typedConst("VER_SUITE_SMALLBUSINESS", "LongWord", 1),
    typedConst("VER_SUITE_SMALLBUSINESS_RESTRICTED", "LongWord", 32),
    typedConst("VER_SUITE_TERMINAL", "LongWord", 16),
    typedConst("VER_NT_WORKSTATION", "LongWord", 1),
    typedConst("VER_NT_DOMAIN_CONTROLLER", "LongWord", 2),
    typedConst("VER_NT_SERVER", "LongWord", 3),
    // Paths and printers
    routine("Function AddBackslash( const S : String) : String"),
    routine("Function RemoveBackslash( const S : String) : String"),
    routine("Function RemoveBackslashUnlessRoot( const S : String) : String"),
    routine("Function GetDefaultPaperBin : Integer"),
    routine("Procedure SetDefaultPrinter( NewDefPrinter : string)"),
    routine("Function GetPrinterStrFromIndex( index : integer) : string"),
    routine("Function PRN_PXLPERMM_X( MM : Integer) : Integer"),
    routine("Function PRN_PXLPERMM_Y( MM : Integer) : Integer"),
    routine("Function PRN_MMToPixelX( Millimeters : Integer) : Integer"),
    routine("Function PRN_MMToPixelY( Millimeters : Integer) : Integer"),
    routine("Procedure SendASCII( Str, JobName : string)"),
    // Shell, desktop and screens
    type("TDWDimension", "record Height : Integer; Width : Integer; end"),
    type("TDWSpecialFolder",
         "( dwspfAdminTools, dwspfAppData, dwspfRecycleBin, dwspfCommonAdminTools, "
         "dwspfCommonAppData, dwspfCommonDesktop, dwspfCommonDocuments, dwspfCommonFavorites, "
         "dwspfCommonMusic, dwspfCommonPictures, dwspfCommonProgramFiles, dwspfCommonPrograms, "
         "dwspfCommonStartmenu, dwspfCommonStartup, dwspfCommonTemplates, dwspfCommonVideo, dwspfControls, "
         "dwspfCookies, dwspfDesktop, dwspfDrives, dwspfFavorites, dwspfFonts, dwspfHistory, "
         "dwspfInternetCache, dwspfLocalAppData, dwspfMyMusic, dwspfMyPictures, dwspfMyVideo, dwspfNetHood, "
         "dwspfNetwork, dwspfPersonal, dwspfPrinters, dwspfPrintHood, dwspfProfile, dwspfProgramFiles, "
         "dwspfProgramFilesX86, dwspfPrograms, dwspfRecent, dwspfSendTo, dwspfStartMenu, dwspfStartUp, "
         "dwspfSystem, dwspfSystemX86, dwspfTemplates, dwspfWindows )"),
    type("TDWWindowsDialog",
         "( dwwdAccessibilityProperties, dwwdBDEProperties, dwwdControlPanel, "
         "dwwdCopyFloppy, dwwdDialProperties, dwwdDisplayProperties, dwwdExecute, dwwdFindFiles, "
         "dwwdFontsProperties, dwwdGamecontrollerProperties, dwwdHardwareDetect, dwwdInternetProperties, "
         "dwwdKeyboardProperties, dwwdLocaleProperties, dwwdMailProperties, dwwdModemProperties, "
         "dwwdMouseProperties, dwwdMultimediaProperties, dwwdNetworkProperties, dwwdODBCProperties, "
         "dwwdPasswordsProperties, dwwdPowerManagementProperties, dwwdPrinterProperties, dwwdRASWizard, "
         "dwwdScanCamProperties, dwwdSoftwareProperties, dwwdSystemProperties, dwwdThemesProperties, "
         "dwwdTime, dwwdTweakUIProperties, dwwdWindowsShutdownDialog )"),
    routine("Function ActiveDesktopEnabled : Boolean"),
    routine("Function AppExec( const CmdLine, CmdParams : String; const CmdShow : Integer) : Boolean"),
    routine("Function AppIsResponding( const ClassName : String; const TimeOut : Cardinal) : Boolean"),
    routine("Procedure AppRestart"),
    routine("Procedure ExecAndWait( const FileName, Params : String; const CmdShow : Integer)"),
    routine("Procedure FileOpenWithDialog( const Filename : String)"),
    routine("Procedure FilePropertiesDialog( const Filename : String)"),
    routine("Function FontAdd( const FontFilename : String) : Boolean"),
    routine("Function FontRemove( const FontFilename : String) : Boolean"),
    routine("Function GetAssociatedProgram( const Ext : String) : String"),
    routine("Function GetIconDimension( const Filename : String; const Index : Integer) : TDWDimension"),
    routine("Function GetNumberOfIcons( const Filename : String) : Integer"),
    routine("Function GetSpecialFolder( const SpecialFolder : TDWSpecialFolder) : String"),
    routine("Function GetWindowsLanguageStr : String"),
    routine("Procedure MinimizeAllWindows"),
    routine("Procedure ProcessMessages"),
    routine("Function ScreenColorDepth( const Index : Byte) : Byte"),
    routine("Function ScreenDeviceName( const Index : Byte) : String"),
    routine("Function ScreenDeviceString( const Index : Byte) : String"),
    routine("Function ScreenFrequency( const Index : Byte) : Integer"),
    routine("Function ScreenMonitorName( const Index : Byte) : String"),
    routine("Function ScreenMonitorString( const Index : Byte) : String"),
    routine("Function ScreenResolution( const Index : Byte) : TDWDimension"),
    routine("Procedure ShowDesktop"),
    routine("Procedure ShowSpecialDialog( const SpecialDialog : TDWWindowsDialog)"),
    routine("Procedure StartNewBrowserWindow( const URL : string)"),
    // Memory, keyboard locks, mouse and other devices
    routine("Function AvailablePageMemory : Integer"),
    routine("Function AvailablePhysicalMemory : Integer"),
    routine("Function AvailableVirtualMemory : Integer"),
    routine("Procedure BuzzerSound( const Frequency : Word; const Delay : Cardinal)"),
    routine("Function GetCapsLock : Boolean"),
    routine("Function GetMouseButtons : Integer"),
    routine("Function GetNumLock : Boolean"),
    routine("Function GetScrollLock : Boolean"),
    routine("Function HotLightColor : TColor"),
    routine("Function MemoryUsedPercentage : Integer"),
    routine("Function MouseButtonsSwaped : Boolean"),
    routine("Function MouseIsPresent : Boolean"),
    routine("Function MouseHasWheel : Boolean"),
    routine("Function NetworkIsPresent : Boolean"),
    routine("Procedure SetCapsLock( const CapsLockOn : Boolean)"),
    routine("Procedure SetNumLock( const NumLockOn : Boolean)"),
    routine("Procedure SetScrollLock( const ScrollLockOn : Boolean)"),
    routine("Function SoundCardInstalled : Boolean"),
    routine("Function TotalPageMemory : Integer"),
    routine("Function TotalPhysicalMemory : Integer"),
    routine("Function TotalVirtualMemory : Integer"),
    // Processes, installation, registry and INI values, component streaming and file operations
    routine("Function CheckForMutexes( Mutexes : String) : Boolean"),
    routine("Function DecrementSharedCount( const Filename : String) : Boolean"),
    routine("Procedure DelayDeleteFile( const Filename : String; const Tries : Integer)"),
    routine("Function GenerateUniqueName( Path : String; const Extension : String) : String"),
    routine("Function GetComputerNameString : String"),
    routine("Function GetUserNameString : String"),
    routine("Procedure IncrementSharedCount( const Filename : String; const AlreadyExisted : Boolean)"),
    routine("Function ShellExec( const Filename, Params : String; WorkingDir : String; const ShowCmd : "
            "Integer; var ErrorCode : Integer) : Boolean"),
    routine("Function IsProtectedSystemFile( const Filename : String) : Boolean"),
    routine("Procedure RegisterServer( const Filename : String; const FailCriticalErrors : Boolean)"),
    routine("Function UnregisterServer( const Filename : String; const FailCriticalErrors : Boolean) : "
            "Boolean"),
    routine("Procedure UnregisterFont( const FontName, FontFilename : String)"),
    routine("Procedure RestartComputer"),
    routine("Procedure RestartReplace( const TempFile, DestFile : String)"),
    routine("Procedure Win32ErrorMsg( const FunctionName : String)"),
    routine("Procedure InternalError( const Id : String)"),
    routine("Function RepConst( AString : string) : string"),
    routine("Function DERepConst( AString : string) : string"),
    routine("Function FileExec( const aCmdLine : String; aHide, aWait : Boolean) : Boolean"),
    routine("Function FileExecEx( const aCmdLine : String; aHide, aWait : Boolean; var ResultCode : "
            "integer) : Boolean"),
    routine("Function ComponentToString( Component : TComponent) : string"),
    routine("Function StringToComponent( Value : string) : TComponent"),
    routine("Function EncodeStr( AType : integer; astr : string) : string"),
    routine("Function DecodeStr( AType : integer; astr : string) : string"),
    routine("Function GetExeVersionString : string"),
    routine("Procedure SaveStreamToTempFile( const Strm : TCustomMemoryStream; const Filename : String)"),
    routine("function Random( Range: Integer):integer;"),
    routine("Function CreateShellLink( const Filename, Description, ShortcutTo, Parameters, WorkingDir, "
            "IconFilename : String; const IconIndex, ShowCmd : Integer; const HotKey : Word) : Boolean"),
    routine("Procedure RegisterTypeLibrary( const Filename : String)"),
    routine("Function UnregisterTypeLibrary( const Filename : String) : Boolean"),
    routine("function ReadFromRegistry(Key:HKEY;Subkey,Name:string;Value:Variant) : Variant;"),
    routine("Procedure WriteToRegistry( Key : HKEY; Subkey, Name : string; Value : Variant)"),
    routine("Procedure WriteToIni( FileName, Section, Key : string; Value : Variant)"),
    routine("Function GetTotalFreeSpace( DriveRoot : String; var FreeSpace : Int64) : Boolean"),
    routine("Function GetTotalSpace( DriveRoot : String; var TotalSpace : Int64) : Boolean"),
    routine("Function IntToKBStr( const I : Int64) : String"),
    routine("Function IntToMBStr( const I : Int64) : String"),
    routine("Function HasAttr( const FileName : string; Attr : Word) : Boolean"),
    routine("Function CopyFilesAndOrDirs( FFrom, FTo, Mesaj : string;AHandle:Integer;YesToAll:boolean) : "
            "integer"),
    routine("Function ExtractDriveLetter( const Dir : String) : Char"),
    routine("Function DeleteFilesAndOrDirs( FFrom, Fto, Mesaj : string;AHandle:Integer;YesToAll:boolean) : "
            "integer"),
};

std::span<const Decl> systemUtilities()
{
    return kSystemUtilities;
}

} // namespace script
