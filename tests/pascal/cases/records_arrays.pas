// Records and static arrays are values; dynamic arrays are shared; open arrays take both.
type
  TPoint = record X, Y: Integer; end;
  TLine = record A, B: TPoint; Name: String; end;
  TGrid = array[1..3, 0..1] of Integer;
  TInts = array of Integer;

function Sum(const Items: array of Integer): Integer;
var I: Integer;
begin
  Result := 0;
  for I := Low(Items) to High(Items) do
    Result := Result + Items[I];
end;

procedure Move(var P: TPoint; DX: Integer);
begin
  P.X := P.X + DX;
end;

var P, Q: TPoint; L: TLine; G, H: TGrid; D, E: TInts; I: Integer;
begin
  P.X := 1; P.Y := 2;
  Q := P;
  Q.X := 10;
  Writeln(IntToStr(P.X) + ' ' + IntToStr(Q.X));   // prints: 1 10
  L.A := P; L.B.Y := 7; L.Name := 'ln';
  Move(L.A, 5);
  Writeln(IntToStr(L.A.X) + IntToStr(L.B.Y) + L.Name);   // prints: 67ln
  G[2, 1] := 5;
  H := G;
  H[2, 1] := 6;
  Writeln(IntToStr(G[2, 1]) + IntToStr(H[2][1]) + IntToStr(Low(G)) + IntToStr(High(G)));   // prints: 5613
  SetLength(D, 3);
  D[0] := 1; D[1] := 2; D[2] := 3;
  E := D;
  E[0] := 100;
  Writeln(IntToStr(D[0]) + ' ' + IntToStr(Length(D)));  // prints: 100 3
  Writeln(IntToStr(Sum(D)) + ' ' + IntToStr(Sum([1, 2, 3])));  // prints: 105 6
  Writeln(IntToStr(Sum([-1, 1000, 70000])));   // prints: 70999
  SetArrayLength(D, 5);
  Writeln(IntToStr(GetArrayLength(D)) + IntToStr(D[4]) + IntToStr(High(D)));   // prints: 504
  with L do
  begin
    Name := 'with';
    A.Y := 9;
  end;
  Writeln(L.Name + IntToStr(L.A.Y));      // prints: with9
  for I := 0 to High(D) do D[I] := I * I;
  Writeln(IntToStr(D[4]));                // prints: 16
end.
