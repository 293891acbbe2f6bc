function F(X: Integer): Integer;
begin
  Writeln(IntToStr(X));
end;
function G: Integer;
begin
  G := 1;
end;
begin
  Writeln(IntToStr(F(1) + G));
end.
// warning 1:10: Function result value not set
// prints: 1
// prints: 1
