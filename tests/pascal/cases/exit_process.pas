var S: String;
begin
  S := Readln('name? ');
  Writeln('hello ' + S);
  ExitProcess(3);
  Writeln('not reached');
end.
// input: world
// prints: name? hello world
// exit: 3
