var X: Integer;
begin
  X := 1;
// error 5:1: Unexpected end of file
