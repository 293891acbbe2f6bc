var X: Integer;
X := 1;
// error 2:3: ':' expected
