procedure P;
begin
  Writeln('a');
  Exit;
  Writeln('b');
end;
begin
  P;
end.
// warning 5:3: Unreachable code
// prints: a
