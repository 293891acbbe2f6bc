// Loops, Break, Continue, case over ordinals, characters and strings.
var I, N: Integer; S: String; C: Char;
begin
  N := 0;
  for I := 10 downto 1 do
    N := N + I;
  Writeln(IntToStr(N));           // prints: 55
  I := 0;
  while I < 100 do
  begin
    Inc(I);
    if I mod 2 = 0 then Continue;
    if I > 7 then Break;
    S := S + IntToStr(I);
  end;
  Writeln(S);                     // prints: 1357
  I := 0;
  repeat
    Inc(I, 3);
  until I >= 10;
  Writeln(IntToStr(I));           // prints: 12
  for I := 1 to 4 do
    case I of
      1: Writeln('one');          // prints: one
      2, 3: Writeln('two or three');   // prints: two or three
    else
      Writeln('other');           // prints: two or three
    end;                          // prints: other
  C := 'm';
  case C of
    'a'..'l': Writeln('first half');
    'm'..'z': Writeln('second half');   // prints: second half
  end;
  S := 'beta';
  case S of
    'alpha': Writeln('A');
    'beta', 'gamma': Writeln('B');      // prints: B
  else
    Writeln('?');
  end;
  for I := 5 to 1 do
    Writeln('never');
  if not (I = 5) then Writeln('bad') else if I = 5 then Writeln('five');  // prints: five
end.
