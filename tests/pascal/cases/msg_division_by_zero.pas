// A constant division by zero is found by the compiler.
begin
  Writeln(IntToStr(1 div 0));
end.
// error 3:22: Division by zero
