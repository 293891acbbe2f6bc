// The Welcome sample: two buttons, one handler each.

procedure Button1OnClick(Sender: TObject);
begin
  ShowMessage('Hello from ' + Form1.Caption + '!');
end;

procedure Button2OnClick(Sender: TObject);
begin
  Form1.Close;
end;
