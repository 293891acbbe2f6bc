// Exit through nested finally blocks; Continue in repeat; case over a subrange; with on a record.
type TPair = record Key: String; Value: Integer; end;
function Find(const Key: String): Integer;
var I: Integer;
begin
  Result := -1;
  for I := 1 to 10 do
    try
      try
        if I = 3 then
        begin
          Result := I * 10;
          Exit;
        end;
      finally
        if I = 3 then Writeln('inner finally');
      end;
    finally
      if I = 3 then Writeln('outer finally');
    end;
end;
procedure Show(var P: TPair);
begin
  with P do
  begin
    Value := Value + 1;
    Writeln(Key + '=' + IntToStr(Value));
  end;
end;
var N, Count: Integer; P: TPair;
begin
  Writeln(IntToStr(Find('x')));     // prints: inner finally
                                    // prints: outer finally
                                    // prints: 30
  N := 0; Count := 0;
  repeat
    Inc(N);
    if N mod 2 = 0 then Continue;
    Inc(Count);
  until N >= 9;
  Writeln(IntToStr(Count));         // prints: 5
  case N of
    0..4: Writeln('low');
    5..9: Writeln('high');          // prints: high
  end;
  P.Key := 'k'; P.Value := 1;
  Show(P);                          // prints: k=2
  Writeln(IntToStr(P.Value));       // prints: 2
end.
