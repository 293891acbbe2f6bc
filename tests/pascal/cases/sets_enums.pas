// Enumerations, subranges and sets.
type
  TColor = (Red, Green, Blue);
  TColors = set of TColor;
  TDigit = 0..9;
var C: TColor; S: TColors; D: TDigit; Ch: Char; Cs: set of Char;
begin
  C := Green;
  Writeln(IntToStr(Ord(C)) + IntToStr(Ord(Succ(C))) + IntToStr(Ord(High(TColor))));   // prints: 122
  S := [Red, Blue];
  if Blue in S then Writeln('blue');         // prints: blue
  if not (Green in S) then Writeln('no green');   // prints: no green
  S := S + [Green] - [Red];
  if S = [Green, Blue] then Writeln('eq');   // prints: eq
  if [Blue] <= S then Writeln('subset');     // prints: subset
  S := S * [Red, Green];
  if S = [Green] then Writeln('inter');      // prints: inter
  Cs := ['a'..'z', '_'];
  Ch := 'q';
  if (Ch in Cs) and not ('A' in Cs) then Writeln('chars');   // prints: chars
  D := 9;
  Writeln(IntToStr(D + 1));                  // prints: 10
  for C := Red to Blue do
    Writeln(IntToStr(Ord(C)));               // prints: 0
                                             // prints: 1
                                             // prints: 2
  if Ch in ['a', 'e', 'i', 'o', 'u'] then Writeln('vowel') else Writeln('consonant');  // prints: consonant
end.
