type TFoo = class(TObject)
end;
begin
end.
// error 1:13: 'class' not supported
