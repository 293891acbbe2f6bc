// Free on nil does nothing, so a finally block may free an object whose creation never happened;
// any other method of nil is a run-time error.
var O: TObject;
begin
  O := nil;
  try
    Writeln('working');        // prints: working
  finally
    O.Free;
  end;
  Writeln('freed nil');        // prints: freed nil
  Writeln(O.ClassName);
end.
// runtime 12:11: Nil object reference
