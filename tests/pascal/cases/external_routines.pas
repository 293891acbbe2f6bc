// Routines of shared libraries, loaded when first called.
function CAbs(X: Integer): Integer; external 'abs@libc.so.6 cdecl';
function StrLen(const S: PChar): Cardinal; external 'strlen@libc.so.6';
function Floor(X: Double): Double; external 'floor@libm.so.6 cdecl delayload';
function MessageBox(W: Integer; T, C: PChar; F: Cardinal): Integer; external 'MessageBoxA@user32.dll stdcall';
begin
  Writeln(IntToStr(CAbs(-42)) + ' ' + IntToStr(StrLen('hello')) + ' ' + FloatToStr(Floor(2.7)));   // prints: 42 5 2
  MessageBox(0, 'a', 'b', 0);
end.
// runtime 8:3: Could not load library 'user32.dll'
