{$I inc/helpers.inc}
var Z: Integer;
begin
  Z := 0;
  Writeln(IntToStr(Helper(14)));
  Writeln(IntToStr(10 div Z));
end.
// hint inc/helpers.inc 2:5: Variable 'Spare' never used
// prints: 42
// runtime 6:23: Division by zero
