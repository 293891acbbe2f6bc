procedure P;
  X := 1;
begin
end;
begin
end.
// error 2:3: 'BEGIN' expected
