object Form1: TForm
  Left = 10
  Top = 20
  Width = 320
  Height = 200
  Caption = 'It''s'#13#10'two lines'
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = [fsBold, fsItalic]
  Position = poScreenCenter
  Tag = $7F
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 300
    Height = 41
    BevelOuter = bvLowered
    Caption = 'joined ' +
      'across lines'
    object Label1: TLabel
      Left = 8
      Top = 4
      Width = 60
      Height = 13
      Caption = '&Name'
      FocusControl = Edit1
    end
    object Edit1: TEdit
      Left = 72
      Top = 2
      Width = 121
      Height = 21
      Text = 'C:\WINDOWS'
    end
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 48
    Width = 97
    Height = 17
    Caption = 'Checked'
    Checked = True
    State = cbChecked
  end
  object SpinEdit1: TSpinEdit
    Left = 8
    Top = 72
    Width = 49
    Height = 22
    MaxValue = 2
    MinValue = 0
    Value = 1
  end
  object Button1: TButton
    Left = 120
    Top = 72
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
end
