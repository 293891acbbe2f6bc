var X: Integer;
begin
  X := 1
  X := 2;
end.
// error 4:3: ';' expected
