var 1X: Integer;
begin
end.
// error 1:5: Identifier expected
