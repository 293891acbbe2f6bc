var S: String; C: Char;
begin
  S := 'ab';
  C := S[3];
end.
// runtime 4:8: Index out of range
