// try/except, try/finally, RaiseException and GetExceptionMessage; finally runs on Exit and Break.
procedure Risky(N: Integer);
begin
  if N > 1 then RaiseException('too big: ' + IntToStr(N));
end;

function Guarded: Integer;
begin
  Result := 1;
  try
    Exit;
  finally
    Writeln('finally on exit');
  end;
end;

var I, Z: Integer;
begin
  try
    Risky(5);
    Writeln('not reached');
  except
    Writeln('caught ' + GetExceptionMessage);    // prints: caught too big: 5
  end;
  try
    try
      Z := 0;
      I := 10 div Z;
    finally
      Writeln('cleanup');                        // prints: cleanup
    end;
  except
    Writeln(GetExceptionMessage);                // prints: Division by zero
  end;
  Writeln(IntToStr(Guarded));                    // prints: finally on exit
                                                 // prints: 1
  for I := 1 to 3 do
  begin
    try
      if I = 2 then Break;
    finally
      Writeln('loop ' + IntToStr(I));            // prints: loop 1
    end;                                         // prints: loop 2
  end;
  try
    try
      RaiseException('inner');
    except
      raise;
    end;
  except
    Writeln('outer saw ' + GetExceptionMessage);   // prints: outer saw inner
  end;
end.
