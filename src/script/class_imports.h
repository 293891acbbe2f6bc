// The studio's own class declarations for scripts: the classes of the studio's components and of the
// wrapped automation controls, and the members the studio adds to classes of the class library.
//
// A property whose type is not declared at the moment it is registered is dropped by the compiler, and
// a class declared again keeps its members and takes the new parent. The tables rely on both: they
// list the properties the components register even where nothing declares the type (a gradient's
// Rotation and Shift, an interactive label's Constraints), and a class is declared a second time after
// the event types its events need.
#pragma once

#include "script/decl.h"

namespace script {

// Registered by the uses callback, after the standard units (the picture before extended controls).
std::span<const Decl> pictureImport();            // TPicture
std::span<const Decl> coolFormImport();           // TRegionType, TCoolForm
std::span<const Decl> gradientImport();           // TGradientStyle, TGradient
std::span<const Decl> commonControlsImport();     // TTrackBar, TProgressBar, THotKey, TAnimate
std::span<const Decl> picShowImport();            // TCustomPicShow, TPicShow
std::span<const Decl> richEditViewerImport();     // TRichEditViewer
std::span<const Decl> textAnimatorImport();       // TTextAnimator
std::span<const Decl> textFaderImport();          // TTextFader (the drawing routines follow it)
std::span<const Decl> marqueeImport();            // TMarquee, and its TScrollStyle
std::span<const Decl> windowsMediaPlayerImport(); // TWindowsMediaPlayer
std::span<const Decl> internalPlayListImport();   // TInternalPlayList
// Events that THotKey, TAnimate and TWindowsMediaPlayer publish beyond their imports.
std::span<const Decl> componentEventsImport();

// Registered by the support library at its fixed places.
std::span<const Decl> iconImport();              // TIcon
std::span<const Decl> libraryExtensionsImport(); // TForm, TTimerEx, TWinControl, TLabel, TComboBox …
std::span<const Decl> webBrowserImport();        // TOleControl, TWebBrowser and its event types
std::span<const Decl> imgBtnImport();            // TImgBtn
std::span<const Decl> interactiveLabelImport();  // TInteractiveLabel
std::span<const Decl> shockwaveFlashImport();    // TShockwaveFlash and its event types
std::span<const Decl> mediaControlImport();      // TMPModes, TMPDeviceTypes, TErrorEvent, TMCIObject
std::span<const Decl> agentImport();             // TMSAgent
std::span<const Decl> scrollingCreditsImport();  // TCreditEvent, TScrollingCredits
std::span<const Decl> autorunFormImport();       // TAutorunForm

} // namespace script
