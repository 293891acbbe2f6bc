// The standard declarations that scripts get from the class library: date and time routines, the
// basic classes, the classes unit, graphics, controls, standard controls, forms, menus, extended
// controls and buttons. One table per unit, registered in this order before the studio's own imports.
//
// They follow the public API of the Delphi 7 class library that the forms of this system were made
// with, in the form a script can use: published properties on the classes that publish them, public
// members where the library declares them. Three deliberate limits keep them compatible with the runtime
// on Windows: no types for bidirectional mode, size constraints, tab order, component names, help
// types, bevel kinds, input method editors, context pop-ups or docking (so properties of those types
// stay out of scripts, as the class imports expect); TabOrder is published per control class, never on
// TWinControl; and the members that TComboBox reaches through TCustomComboBox are declared there only.
#pragma once

#include "script/decl.h"

namespace script {

std::span<const Decl> dateUtilsUnit();
std::span<const Decl> stdUnit();      // TObject, TPersistent, TComponent
std::span<const Decl> classesUnit();  // TStrings, TStringList, the streams
std::span<const Decl> graphicsUnit(); // TFont, TPen, TBrush, TCanvas, TGraphic, TBitmap
std::span<const Decl> controlsUnit(); // TControl, TWinControl, TGraphicControl, TCustomControl
std::span<const Decl> stdCtrlsUnit(); // labels, edits, memos, buttons, boxes, scroll bars
std::span<const Decl> formsUnit();    // TForm, TApplication, TScreen
std::span<const Decl> menusUnit();    // TMenuItem, TMenu, TMainMenu, TPopupMenu
std::span<const Decl> extCtrlsUnit(); // TImage, TShape, TBevel, TTimer, TPanel, TNotebook …
std::span<const Decl> buttonsUnit();  // TSpeedButton, TBitBtn

} // namespace script
