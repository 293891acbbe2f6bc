// Constants with and without a type; a typed constant of a static array or a record lists its
// values in parentheses (left-out record fields are zero), and so may an initialised variable.
type
  TPoint2 = record X, Y: Integer; Name: String; end;
  TDay = (Mon, Tue, Wed);
const
  Greeting = 'hi';
  Count = 3 * 4 + Ord('A');
  Ratio: Double = 1.5;
  Mask: Cardinal = $FFFFFFFF;
  Vowels = ['a', 'e'];
  Names: array[0..2] of String = ('Install', 'Browse', 'Exit');
  Grid: array[1..2, 0..1] of Integer = ((1, 2), (3, 4));
  DayNames: array[TDay] of String = ('mon', 'tue', 'wed');
  Pts: array[0..1] of TPoint2 = ((X: 5; Y: 6; Name: 'a'), (X: 7));
var G: Integer = 7;
    Start: array[0..1] of Integer = (8, 9);
begin
  Writeln(Greeting + IntToStr(Count) + FloatToStr(Ratio) + IntToStr(Mask) + IntToStr(G));  // prints: hi771.542949672957
  if 'e' in Vowels then Writeln('vowel');   // prints: vowel
  Writeln(Names[2] + IntToStr(Grid[2, 1]) + DayNames[Tue] + IntToStr(High(Names)));  // prints: Exit4tue2
  Writeln(IntToStr(Pts[1].X) + Pts[0].Name + IntToStr(Pts[1].Y) + '[' + Pts[1].Name + ']');  // prints: 7a0[]
  Start[1] := Start[1] + G;
  Writeln(IntToStr(Start[0] + Start[1]));  // prints: 24
end.
