// The first error ends the compile; the name is spelled as written.
var X: Integer;
begin
  X := Foo + 1;
  Y := 2;
end.
// error 4:8: Unknown identifier 'Foo'
