// A typed array constant lists exactly as many values as the array holds.
const A: array[0..2] of Integer = (1, 2);
begin
end.
// error 2:40: ',' expected
