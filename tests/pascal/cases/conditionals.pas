// define: LINUX
{$DEFINE EXTRA}
var Z: Integer;
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
  Z := 0;
  Writeln(IntToStr(1 div Z));
end.
// runtime 18:22: Division by zero
