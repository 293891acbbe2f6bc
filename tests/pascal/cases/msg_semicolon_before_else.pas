// The semicolon that ends an if statement before its else.
var X: Integer;
begin
  if X = 1 then X := 2;
  else X := 3;
end.
// error 5:3: ';' not allowed before 'ELSE'
