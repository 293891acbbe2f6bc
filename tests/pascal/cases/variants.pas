// Variants take any simple value; arithmetic and comparison convert at run time.
var V, W: Variant; I: Integer; S: String;
begin
  V := 5;
  W := '7';
  V := V + W;
  I := V;
  Writeln(IntToStr(I));               // prints: 12
  V := 'ab';
  V := V + 'cd';
  S := V;
  Writeln(S);                         // prints: abcd
  V := 2.5;
  Writeln(FloatToStr(V * 2));         // prints: 5
  V := True;
  if V then Writeln('true');          // prints: true
  V := Null;
  if VarIsNull(V) then Writeln('null');   // prints: null
  V := Unassigned;
  if VarIsEmpty(V) then Writeln('empty');  // prints: empty
  V := 'x';
  I := V;
end.
// runtime 22:8: Could not convert variant of type (String) into type (Integer)
