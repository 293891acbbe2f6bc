// Constant elements of a set lie in 0..255 (found where the set is used, before what follows); the
// same brackets passed as an open array take any value.
var S: set of Byte;
begin
  S := [1, 300];
  Foo;
end.
// error 5:12: Constant out of range
