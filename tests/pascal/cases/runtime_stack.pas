function Deep(N: Integer): Integer;
begin
  Result := Deep(N + 1);
end;
begin
  Deep(0);
end.
// runtime 3:13: Stack overflow
