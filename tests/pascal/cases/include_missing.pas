{$I inc/nothing.inc}
begin
end.
// error 1:1: File not found: 'inc/nothing.inc'
