var X: Integer;
begin
  X := (1 + 2;
end.
// error 3:14: ')' expected
