begin
end;
// error 2:4: '.' expected
