var I: Integer;
begin
  for I := 1 to 2 I := 3;
end.
// error 3:19: 'DO' expected
