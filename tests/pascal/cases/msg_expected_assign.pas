var X: Integer;
begin
  X;
end.
// error 3:4: ':=' expected
