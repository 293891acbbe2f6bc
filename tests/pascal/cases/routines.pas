// Routines: var, const and out parameters, forward declarations, recursion, Result and the name.
function Fact(N: Integer): Int64; forward;

procedure Swap(var A, B: Integer);
var T: Integer;
begin
  T := A; A := B; B := T;
end;

function Fact(N: Integer): Int64;
begin
  if N <= 1 then
    Fact := 1
  else
    Result := N * Fact(N - 1);
end;

procedure Fill(out S: String; const Prefix: String);
begin
  S := Prefix + '!';
end;

function Twice(X: Integer): Integer;
begin
  Result := X * 2;
  Exit;
end;

function FirstPositive(A, B: Integer): Integer;
begin
  if A > 0 then Exit(A);
  Result := B;
end;

var X, Y: Integer; S: String;
begin
  X := 1; Y := 2;
  Swap(X, Y);
  Writeln(IntToStr(X) + IntToStr(Y));     // prints: 21
  Writeln(IntToStr(Fact(20)));            // prints: 2432902008176640000
  Fill(S, 'hey');
  Writeln(S);                             // prints: hey!
  Writeln(IntToStr(Twice(21)));           // prints: 42
  Writeln(IntToStr(FirstPositive(5, 9)) + IntToStr(FirstPositive(-1, 9)));   // prints: 59
end.
