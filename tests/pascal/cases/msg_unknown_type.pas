var X: TNothing;
begin
end.
// error 1:8: Unknown type 'TNothing'
