// Boolean operators evaluate completely unless {$B-} is in force.
function Noisy(V: Boolean): Boolean;
begin
  Writeln('evaluated');
  Result := V;
end;
begin
  if False and Noisy(True) then Writeln('no');   // prints: evaluated
{$B-}
  if False and Noisy(True) then Writeln('no');
  if True or Noisy(True) then Writeln('yes');    // prints: yes
{$B+}
  if True or Noisy(False) then Writeln('yes');   // prints: evaluated
end.                                             // prints: yes
