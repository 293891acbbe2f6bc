// Strings are 1-based, copy-on-write and assignable by index.
var S, T: String; C: Char; I: Integer;
begin
  S := 'Hello';
  T := S;
  T[1] := 'J';
  Writeln(S + ' ' + T);                        // prints: Hello Jello
  Writeln(IntToStr(Length(S)) + S[5]);         // prints: 5o
  S := 'it''s' + #13#10 + 'x';
  Writeln(IntToStr(Length(S)));                // prints: 7
  S := 'abc' + 'd' + #65;
  Writeln(S);                                  // prints: abcdA
  C := 'z';
  S := C + C;
  Writeln(S);                                  // prints: zz
  S := Copy('Delphi', 2, 3) + '|' + UpperCase('mixed') + '|' + LowerCase('MIXED');
  Writeln(S);                                  // prints: elp|MIXED|mixed
  Writeln(IntToStr(Pos('lo', 'Hello')) + IntToStr(Pos('x', 'Hello')));   // prints: 40
  S := 'Hello';
  Delete(S, 2, 3);
  Insert('ipp', S, 2);
  Writeln(S);                                  // prints: Hippo
  Writeln('[' + Trim('  a b  ') + '][' + TrimLeft('  a') + '][' + TrimRight('a  ') + ']');  // prints: [a b][a][a]
  Writeln(StringOfChar('-', 3) + IntToStr(CompareText('abc', 'ABC')) + IntToStr(Ord(CompareStr('a', 'b') < 0)));  // prints: ---01
  SetLength(S, 2);
  Writeln(S);                                  // prints: Hi
  S := '';
  for I := 1 to 5 do
    S := S + IntToStr(I) + ',';
  Writeln(S);                                  // prints: 1,2,3,4,5,
  Writeln(IntToStr(StrToInt('42') + StrToIntDef('x', 7)) + ' ' + IntToStr(StrToInt('$10')));  // prints: 49 16
  if ('abc' < 'abd') and ('b' > 'a') and (S <> '') then
    Writeln('compare');                        // prints: compare
  // UpperCase changes ASCII letters only; the Ansi forms know the letters of other alphabets
  Writeln(UpperCase('äb') + AnsiUpperCase('straße éÿ łž жё') + AnsiLowerCase('ÀŸĹŽ ΑΩ Ё'));  // prints: äBSTRAßE ÉŸ ŁŽ ЖЁàÿĺž αω ё
end.
