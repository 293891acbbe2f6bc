object Form1: TForm
  Left = 200
  Top = 120
  Width = 520
  Height = 360
  Caption = 'Welcome to Lumeni Zarerud'
  Color = clWhite
  object Label1: TLabel
    Left = 24
    Top = 20
    Width = 420
    Height = 32
    Caption = 'Welcome!'
    Font.Color = 7346457
    Font.Height = -27
    Font.Name = 'DejaVu Sans'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label2: TLabel
    Left = 24
    Top = 72
    Width = 460
    Height = 60
    AutoSize = False
    Caption = 'This autorun menu was made with Lumeni Zarerud. Its form is designed in the studio, and a short Pascal script says what the buttons do.'
    WordWrap = True
  end
  object Label3: TLabel
    Left = 24
    Top = 150
    Width = 460
    Height = 40
    AutoSize = False
    Caption = 'Press Compile (Ctrl+F9) to check the script, Save (Ctrl+S) to keep your changes.'
    WordWrap = True
  end
  object Button1: TButton
    Left = 24
    Top = 260
    Width = 130
    Height = 32
    Caption = '&Say hello'
    TabOrder = 0
  end
  object Button2: TButton
    Left = 170
    Top = 260
    Width = 130
    Height = 32
    Caption = 'E&xit'
    TabOrder = 1
  end
end
