begin
end.
{ never closed
