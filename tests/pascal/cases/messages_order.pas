// Hints and warnings come in source order, from every routine.
function A: Integer;
var X: Integer;
begin
end;
procedure B;
begin
  Exit;
  A;
end;
var G: String;
begin
  B;
end.
// warning 2:10: Function result value not set
// hint 3:5: Variable 'X' never used
// warning 9:3: Unreachable code
// hint 11:5: Variable 'G' never used
