var S: String;
begin
  S := 'abc;
end.
// error 3:8: Unterminated string
