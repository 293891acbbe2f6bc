// A run-time error names the statement's row and column.
var A: array[1..3] of Integer; I: Integer;
begin
  I := 4;
  Writeln('before');   // prints: before
  A[I] := 1;
end.
// runtime 6:3: Index out of range
