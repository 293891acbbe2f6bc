const
  Greeting = 'hi';
  Count = 3 * 4 + Ord('A');
  Ratio: Double = 1.5;
  Mask: Cardinal = $FFFFFFFF;
  Vowels = ['a', 'e'];
var G: Integer = 7;
begin
  Writeln(Greeting + IntToStr(Count) + FloatToStr(Ratio) + IntToStr(Mask) + IntToStr(G));  // prints: hi771.542949672957
  if 'e' in Vowels then Writeln('vowel');   // prints: vowel
end.
