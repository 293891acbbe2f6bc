var A: Integer;
    A: String;
begin
end.
// error 2:5: Duplicate identifier 'A'
