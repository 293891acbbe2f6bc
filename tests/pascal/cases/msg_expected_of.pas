var X: Integer;
begin
  case X
    1: X := 2;
  end;
end.
// error 4:5: 'OF' expected
