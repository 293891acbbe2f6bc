begin
  Break;
end.
// error 2:3: Break or Continue outside a loop
