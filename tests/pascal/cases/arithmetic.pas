// Integer widths wrap as in Delphi; / is floating; div and mod truncate.
var I: Integer; B: Byte; W: Word; C: Cardinal; L: Int64; X: Double;
begin
  I := 2147483647; I := I + 1;
  Writeln(IntToStr(I));            // prints: -2147483648
  B := 250; B := B + 10;
  Writeln(IntToStr(B));            // prints: 4
  W := 0; W := W - 1;
  Writeln(IntToStr(W));            // prints: 65535
  C := 0; C := C - 1;
  Writeln(IntToStr(C));            // prints: 4294967295
  L := 9223372036854775807; L := L + 1;
  Writeln(IntToStr(L));            // prints: -9223372036854775808
  Writeln(IntToStr(-7 div 2) + ' ' + IntToStr(-7 mod 2));   // prints: -3 -1
  X := 7 / 2;
  Writeln(FloatToStr(X));          // prints: 3.5
  Writeln(IntToStr(1 shl 4 + $FF and 15 xor 1));             // prints: 30
  Writeln(IntToStr(Round(2.5)) + ' ' + IntToStr(Round(3.5)) + ' ' + IntToStr(Trunc(-1.7)));  // prints: 2 4 -1
  Writeln(FloatToStr(Sqrt(16) + Abs(-1.5) + Sqr(2)));       // prints: 9.5
  Writeln(IntToStr(Abs(-5)) + IntToStr(Sqr(3)) + IntToStr(Ord('A')) + Chr(66));  // prints: 5965B
  Writeln(FloatToStr(1e20) + ' ' + FloatToStr(0.1) + ' ' + FloatToStr(1.5e-10));  // prints: 1E20 0.1 1.5E-10
  I := -5;
  Writeln(IntToStr(-I) + IntToStr(not 0));                  // prints: 5-1
end.
