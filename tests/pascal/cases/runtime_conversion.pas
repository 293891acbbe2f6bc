var I: Integer;
begin
  try
    I := StrToInt('12x');
  except
    Writeln(GetExceptionMessage);    // prints: '12x' is not a valid integer value
  end;
  I := StrToInt('oops');
end.
// runtime 8:8: 'oops' is not a valid integer value
