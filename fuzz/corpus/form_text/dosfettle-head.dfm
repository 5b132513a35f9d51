object Form1: TForm1
  Left = 192
  Top = 107
  Width = 618
  Height = 441
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  ShowHint = True
  Caption = 'BootFettle 3.0 by Tamsin Orrel'
  Menu = MainMenu1
  Position = poScreenCenter
  OnCreate = FormCreate
  object Panel2: TPanel
    Width = 609
    BevelOuter = bvLowered
    object Image2: TImage
      Left = 8
      Top = 12
      Width = 192
      Height = 17
    end
    object DRLabel1: TDRLabel
      Left = 204
      Top = 10
      Width = 201
      Height = 21
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clNavy
      Font.Height = -13
      Font.Name = 'Arial'
      Font.Style = [fsBold, fsItalic]
      ParentFont = False
      Alignment = taCenter
      AutoSize = False
      Caption = 'BootFettle 3.0'
      HiColor = clBlue
      LoColor = clNavy
      Border = boLowered
      Ctl3D = True
      BlinkInterval = 500
      Blink = blNone
      Deep = 1
    end
    object Image1: TImage
      Left = 408
      Top = 12
      Width = 193
      Height = 17
    end
  end
  object Bevel1: TBevel
    Top = 48
    Width = 609
    Height = 41
    Style = bsRaised
  end
  object BitBtn2: TBitBtn
    Left = 8
    Top = 56
    Width = 113
    Hint = 'Commits Changes but does not lleave program, use Examine Changes to see them'
    OnClick = BitBtn2Click
    Caption = 'Commit Changes'
    NumGlyphs = 2
  end
  object BitBtn3: TBitBtn
    Left = 128
    Top = 56
    Width = 113
    Hint = 'Saves your changes and exits program, you must reboot for it to become effective'
    OnClick = BitBtn3Click
    Caption = 'Save and Exit'
    NumGlyphs = 2
  end
  object BitBtn1: TBitBtn
    Left = 248
    Top = 56
    Width = 113
    Hint = 'Allows users to examine all changes and change manually'
    OnClick = BitBtn1Click
    Caption = 'Examine Changes'
    NumGlyphs = 2
  end
  object BitBtn5: TBitBtn
    Left = 368
    Top = 56
    Width = 113
    Hint = 'Shuts down the program'
    OnClick = BitBtn5Click
    Caption = 'Exit'
    NumGlyphs = 2
  end
  object BitBtn4: TBitBtn
  end
end
