// define: LINUX
{$DEFINE EXTRA}
begin
{$IFDEF LINUX}
  Writeln('linux');       // prints: linux
{$ELSE}
  Writeln('other');
{$ENDIF}
{$IFNDEF EXTRA}
  Writeln('no extra');
{$ENDIF}
{$UNDEF EXTRA}
{$IFNDEF EXTRA}
  Writeln('undefined');   // prints: undefined
{$ENDIF}
  Writeln(IntToStr(1 div 0));
end.
// error 16:22: Division by zero
