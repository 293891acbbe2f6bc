// Single rounds to single precision; characters and enumerations step with Inc and Succ; pointers
// and objects compare with nil.
type TDay = (Mon, Tue, Wed);
var F: Single; D: Double; C: Char; Day: TDay; P: Pointer; O: TObject; Cur: Currency;
    A: array[TDay] of String; B: array['a'..'c'] of Integer; LB: LongBool;
begin
  F := 0.1;
  D := F;
  if D <> 0.1 then Writeln('single');           // prints: single
  C := 'a';
  Inc(C, 2);
  Writeln(C + Chr(Ord(C) + 1));                 // prints: cd
  Day := Mon;
  Inc(Day);
  Day := Succ(Day);
  Writeln(IntToStr(Ord(Day)));                  // prints: 2
  A[Tue] := 'tuesday';
  B['b'] := 5;
  Writeln(A[Tue] + IntToStr(B['b']) + IntToStr(Length(A)));   // prints: tuesday53
  P := nil;
  O := nil;
  if (P = nil) and (O = nil) and not Assigned(O) then Writeln('nil');   // prints: nil
  Cur := 2.5;
  Writeln(FloatToStr(Cur * 2));                 // prints: 5
  LB := True;
  if LB then Writeln(IntToStr(Ord(High(Boolean))) + IntToStr(MaxInt));   // prints: 12147483647
end.
