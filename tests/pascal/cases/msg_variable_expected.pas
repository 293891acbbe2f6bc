const C = 5;
procedure P(var X: Integer);
begin
  X := 1;
end;
begin
  P(C);
end.
// error 7:5: Variable expected
