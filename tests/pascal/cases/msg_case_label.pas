var X: Integer;
begin
  case X of
    1: X := 2;
  X := 3;
end.
// error 5:3: Constant expression expected
