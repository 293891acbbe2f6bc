begin
  goto 10;
end.
// error 2:3: 'goto' not supported
