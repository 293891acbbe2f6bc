{$INCLUDE 'inc/broken.inc'}
begin
end.
// error inc/broken.inc 3:3: Unknown identifier 'Missing'
