var I: Integer; S: String;
begin
  S := 'a';
  I := S;
end.
// error 4:8: Type mismatch
