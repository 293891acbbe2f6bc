procedure P(X: Integer);
var X: String;
begin
end;
begin
end.
// error 2:5: Duplicate identifier 'X'
