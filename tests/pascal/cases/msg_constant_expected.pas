var V: Integer;
const C = V + 1;
begin
end.
// error 2:11: Constant expression expected
