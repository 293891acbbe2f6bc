var A: array[0..2] of Integer;
begin
  A[1 := 2;
end.
// error 3:7: ']' expected
