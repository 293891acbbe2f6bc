var X: Integer;
begin
  X := 1; { never closed
end.
// error 3:11: Unexpected end of file
