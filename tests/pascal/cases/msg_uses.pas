uses Windows;
begin
end.
// error 1:6: Unknown identifier 'Windows'
