object Form1: TForm
  Width = 490
  Height = 380
  Caption = 'Form1'
  Visible = True
end
