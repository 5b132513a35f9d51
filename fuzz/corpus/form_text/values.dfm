object Form1: TForm
  Caption = #72#105' '#$41'B'
  Tag = -2147483648
  HelpContext = 2147483647
  Scaled = False
  Hint = 'a' + 'b' + #39
  PixelsPerInch = 96
  TextHeight = 1.5E2
  Items = (
    'one'
    'two'
    3)
  Data = {00FF10}
  Empty = []
  Set = [a]
end
