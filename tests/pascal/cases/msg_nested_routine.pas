procedure Outer;
  procedure Inner;
  begin
  end;
begin
end;
begin
end.
// error 2:3: 'nested routine' not supported
