type TE = (A, B, C);
var I: Integer; E: TE; Ch: Char; Bo: Boolean; S: String;
begin
  E := TE(2);
  I := Integer(E) + Ord(B);
  Ch := Char(72);
  Bo := Boolean(1);
  S := String(Ch) + 'i';
  Writeln(IntToStr(I) + S);          // prints: 3Hi
  if Bo then Writeln(IntToStr(SizeOf(Integer) + SizeOf(I) + SizeOf(Int64)));  // prints: 16
  Writeln(IntToStr(Byte(300)) + IntToStr(Low(Integer)));   // prints: 44-2147483648
end.
