// The support library: the routines, types and constants the studio declares for scripts besides the
// class library, in the lists of its registration sequence. The runtime implements every routine
// under the same name and signature and supplies the same constant values.
#pragma once

#include "script/decl.h"

namespace script {

std::span<const Decl> supportEventTypes();       // mouse wheel, key and help events
std::span<const Decl> supportBasicRoutines();    // images, dialogs, messages, music basics
std::span<const Decl> supportTypeAliases();      // DWORD, HWND … WordBool
std::span<const Decl> supportIntegerConstants(); // colours, encodings, keys, boxes, registry roots …
std::span<const Decl> supportNativeEnums();      // TMsgBoxType, TShellFolderID, shell folder constants
std::span<const Decl> supportStringConstants();  // uninstaller keys and file dialog filters
std::span<const Decl> supportMusicExtras();      // tags, volume, archives, download, pickers
std::span<const Decl> supportMusicRoutines();    // music, CD audio and channels
std::span<const Decl> supportProgramRoutines();  // exit, debugger link, parameters, file names
std::span<const Decl> supportScreenRoutines();   // mouse position and screen size
std::span<const Decl> supportSystemRoutines();   // clipboard, processors, tray, dialogs, variables …
std::span<const Decl> supportFileExtras();       // folders, registry writes, Format, booleans
std::span<const Decl> supportSpeech();           // text to speech
std::span<const Decl> supportDrawingRoutines();  // registered by the text fader import

} // namespace script
