procedure Fail;
begin
  RaiseException('custom failure');
end;
begin
  Fail;
end.
// runtime 3:3: custom failure
