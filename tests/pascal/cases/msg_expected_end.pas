type TRec = record A: Integer B: Integer end;
begin
end.
// error 1:31: 'END' expected
