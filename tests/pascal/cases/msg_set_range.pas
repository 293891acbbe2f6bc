// Constant elements of a set lie in 0..255; the same brackets passed as an open array take any value.
var S: set of Byte;
begin
  S := [1, 300];
end.
// error 4:12: Constant out of range
