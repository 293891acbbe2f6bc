procedure P(A, B: Integer);
begin
end;
begin
  P(1);
end.
// error 5:3: Invalid number of parameters
