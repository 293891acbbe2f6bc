// A statement may start with a parenthesised expression: (Sender as TButton).Caption := '…'.
type TR = record A: Integer; end;
var O: TObject; R: TR;
begin
  O := nil;
  (O as TObject).Free;
  (R).A := 3;
  Writeln(IntToStr(R.A));      // prints: 3
end.
