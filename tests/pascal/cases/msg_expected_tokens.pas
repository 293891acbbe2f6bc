var X: Integer;
begin
  if X = 1 X := 2;
end.
// error 3:12: 'THEN' expected
