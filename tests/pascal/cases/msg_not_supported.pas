label 10;
begin
end.
// error 1:1: 'label' not supported
