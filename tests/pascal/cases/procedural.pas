// Procedural types: @ and plain names, calls through variables, nil.
type
  TOp = function(A, B: Integer): Integer;
  TNotify = procedure(Sender: TObject) of object;
function Add(A, B: Integer): Integer;
begin
  Result := A + B;
end;
function Mul(A, B: Integer): Integer;
begin
  Result := A * B;
end;
procedure Hello(Sender: TObject);
begin
  Writeln('hello');
end;
function Apply(F: TOp; X, Y: Integer): Integer;
begin
  Result := F(X, Y);
end;
var F: TOp; N: TNotify;
begin
  F := @Add;
  Writeln(IntToStr(F(2, 3)));            // prints: 5
  Writeln(IntToStr(Apply(@Mul, 4, 5)));  // prints: 20
  N := nil;
  if not Assigned(N) then Writeln('nil');   // prints: nil
  N := @Hello;
  N(nil);                                // prints: hello
  if Assigned(N) then N(nil);            // prints: hello
  F := Mul;                              // Delphi's form without @
  N := Hello;
  Writeln(IntToStr(F(6, 7)));            // prints: 42
  N(nil);                                // prints: hello
  F := nil;
  F(1, 2);
end.
// runtime 36:3: Nil procedure called
