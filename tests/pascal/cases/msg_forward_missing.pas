procedure Later; forward;
begin
  Later;
end.
// error 1:11: Unsatisfied forward declaration: 'Later'
