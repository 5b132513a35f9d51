object Form1: TForm
  Width = 200
  Height = 150
  Menu = MainMenu1
  object StatusBar1: TStatusBar
    Panels = <
      item
        Width = 50
      end
      item
        Text = 'Ready'
        Width = 120
      end>
    SimplePanel = False
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Exit1: TMenuItem
        Caption = 'E&xit'
        ShortCut = 32856
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
    end
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 250
  end
  object Image1: TImage
    Width = 2
    Height = 2
    Picture.Data = {
      07544269746D617046000000424D460000000000000036000000280000000200
      0000020000000100180000000000100000000000000000000000000000000000
      0000FFFFFF0000000000FF00000000000000}
  end
  object Bevel1: TBevel
    Shape = bsFrame
    Style = bsRaised
  end
end
