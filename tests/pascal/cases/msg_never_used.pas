var Unused: Integer;
procedure P;
var I, J: Integer;
begin
  J := 1;
  Writeln(IntToStr(J));
end;
begin
  P;
end.
// hint 1:5: Variable 'Unused' never used
// hint 3:5: Variable 'I' never used
// prints: 1
