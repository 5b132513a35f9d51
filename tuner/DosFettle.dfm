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
  object JustOne321: TJustOne32
  end
  object CaptionControl1: TCaptionControl
    CaptionGradient = cgAlways
    ShowButtons = False
  end
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
    Left = 488
    Top = 56
    Width = 113
    Hint = 'Help System'
    OnClick = BitBtn4Click
    Caption = 'Help'
    NumGlyphs = 2
  end
  object Panel1: TPanel
    Top = 96
    Width = 609
    Height = 289
    object GroupBox4: TGroupBox
      Left = 8
      Top = 8
      Width = 169
      Height = 265
      Caption = 'Win95 Folders and Drives Setup'
      object StaticText1: TStaticText
        Left = 8
        Top = 16
        Width = 153
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'Change Win95 Boot Drive'
      end
      object DriveComboBox1: TDriveComboBox
        Left = 8
        Top = 34
        Width = 153
        Hint = 'Change Drive Windows Boots from, MUST BE VALID HERE!'
        OnChange = DriveComboBox1Change
      end
      object StaticText2: TStaticText
        Left = 8
        Top = 58
        Width = 153
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'Change Win95 Directory'
      end
      object Edit1: TEdit
        Left = 8
        Top = 76
        Width = 153
        Hint = 'MUST BE VALID WINDIR HERE!  Change Directory Win95 is in allowing you to have different versions of it online and boot to each one'
        Text = 'C:\WINDOWS'
      end
      object DirectoryListBox1: TDirectoryListBox
        Left = 8
        Top = 98
        Width = 153
        Height = 57
        Hint = 'MUST BE VALID WINDIR HERE!  TreeList to choose Windows95 Directory to use'
        OnExit = Edit1Change
      end
      object StaticText3: TStaticText
        Left = 8
        Top = 158
        Width = 153
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'Change Win95 Boot Dir'
      end
      object Edit2: TEdit
        Left = 8
        Top = 176
        Width = 153
        Hint = 'MUST BE VALID WINDIR HERE!  Changes directory to boot 95 from'
        Text = 'C:\WINDOWS'
      end
      object DirectoryListBox2: TDirectoryListBox
        Left = 8
        Top = 198
        Width = 153
        Height = 57
        Hint = 'MUST BE VALID WINDIR HERE!  Treelist to choose for changing 95 boot directory above'
      end
      object Edit3: TEdit
        Left = 136
        Top = 16
        Width = 25
        Visible = False
        Hint = 'Validates your input from WinBootDir Change above, and lets you type over it manually'
        Text = 'C'
      end
    end
    object GroupBox1: TGroupBox
      Left = 184
      Top = 8
      Width = 193
      Height = 265
      Caption = 'BootTime Switches Options Section'
      object StaticText4: TStaticText
        Left = 8
        Top = 24
        Width = 145
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'Allows you to Boot into DOS with the MultiBoot Menu system active to boot previous version of DOS and other choices like Safe Mode'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'MultiBoot Menu On? '
      end
      object CheckBox1: TCheckBox
        Left = 160
        Top = 24
        Width = 17
        Hint = 'Unchecked is 95 Default'
        OnClick = CheckBox1Click
      end
      object Edit4: TEdit
        Left = 172
        Top = 22
        Width = 17
        Visible = False
        Text = '0'
      end
      object StaticText5: TStaticText
        Left = 8
        Top = 56
        Width = 145
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'Allows you to Boot DOS 7.0 if unchecked'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = ' Boot to 95 GUI? '
      end
      object CheckBox2: TCheckBox
        Left = 160
        Top = 56
        Width = 17
        Hint = 'Checked is 95 Default and boots straight to Windows95 GUI, unchecked boots DOS'
        OnClick = CheckBox2Click
        Checked = True
      end
      object Edit5: TEdit
        Left = 172
        Top = 54
        Width = 17
        Visible = False
        Text = '1'
      end
      object StaticText6: TStaticText
        Left = 8
        Top = 88
        Width = 145
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'Enables Network Booting as a client'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'Boot Network Enable? '
      end
      object CheckBox3: TCheckBox
        Left = 160
        Top = 88
        Width = 17
        Hint = 'If on a network like NT or Novell, its checked.  If standalone system, its not checked by default'
        OnClick = CheckBox3Click
      end
      object Edit6: TEdit
        Left = 172
        Top = 86
        Width = 17
        Visible = False
        Text = '0'
      end
      object StaticText7: TStaticText
        Left = 8
        Top = 120
        Width = 145
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'Turn Off F5, F6, F8'
      end
      object CheckBox5: TCheckBox
        Left = 160
        Top = 120
        Width = 17
        Hint = 'Unchecked by Default, but boots faster if checked'
        OnClick = CheckBox5Click
      end
      object Edit7: TEdit
        Left = 172
        Top = 118
        Width = 17
        Visible = False
        Text = '0'
      end
      object StaticText8: TStaticText
        Left = 8
        Top = 152
        Width = 145
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'Allows you to turn off boot bypass keys of config.sys file, good for security for netadmins'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'Turn off F5, F6, and F8 ?  '
      end
      object CheckBox4: TCheckBox
        Left = 160
        Top = 152
        Width = 17
        Hint = 'Default is unchecked and zero in msdos.sys file'
        OnClick = CheckBox4Click
      end
      object Edit11: TEdit
        Left = 172
        Top = 150
        Width = 17
        Visible = False
        Text = '0'
      end
      object StaticText9: TStaticText
        Left = 8
        Top = 216
        Width = 89
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'Allows you to start Scandisk autoscan of drives at boot time and tune behaviour as well'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'Tune Scandisk'
      end
      object SpinEdit1: TSpinEdit
        Left = 104
        Top = 214
        Width = 49
        Hint = 'This can be 0 (no autoscan), 1(scan non fast), or 2(scan thorough)'
        MaxValue = 2
        OnChange = SpinEdit1Change
      end
      object CheckBox6: TCheckBox
        Left = 160
        Top = 216
        Width = 17
        Hint = 'DO NOT ADD Scandisk Settings ( For Win95 400.950a, original non service pack or Osr2 that dont have it ), default is to disable this..Varn'
        OnClick = CheckBox6Click
        Checked = True
      end
      object Edit8: TEdit
        Left = 172
        Top = 238
        Width = 17
        Visible = False
        Text = '0'
      end
    end
    object GroupBox3: TGroupBox
      Left = 384
      Top = 8
      Width = 209
      Height = 153
      Hint = 'CAUTION: Make Sure you check this area and remove the added part in brackets! or it will generate minor bootup error...'
      Caption = 'Config.sys Conventional Memory Tuning'
      object StaticText10: TStaticText
        Left = 8
        Top = 20
        Width = 121
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'Make it at least 35 for Windows and 12 for a DOS bootup'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'FILE HANDLES TUNE'
      end
      object SpinEdit4: TSpinEdit
        Left = 136
        Top = 18
        Width = 65
        MaxValue = 500
        MinValue = 12
        Value = 12
      end
      object Edit12: TEdit
        Left = 184
        Top = 18
        Width = 17
        Visible = False
        Text = '12'
      end
      object StaticText11: TStaticText
        Left = 8
        Top = 44
        Width = 121
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'Make it at least 5'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'BUFFERS TUNE'
      end
      object SpinEdit5: TSpinEdit
        Left = 136
        Top = 42
        Width = 65
        MaxValue = 99
        MinValue = 1
        Value = 1
      end
      object Edit13: TEdit
        Left = 184
        Top = 42
        Width = 17
        Visible = False
        Text = '1'
      end
      object StaticText12: TStaticText
        Left = 8
        Top = 68
        Width = 121
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'Make it as low as zero up to 500 or memory limitation'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'STACKS TUNE'
      end
      object SpinEdit6: TSpinEdit
        Left = 136
        Top = 66
        Width = 65
        MaxValue = 500
      end
      object Edit14: TEdit
        Left = 184
        Top = 66
        Width = 17
        Visible = False
        Text = '0'
      end
      object StaticText13: TStaticText
        Left = 8
        Top = 92
        Width = 121
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'As low as 1 up to 99'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'FCBS TUNE'
      end
      object SpinEdit7: TSpinEdit
        Left = 136
        Top = 90
        Width = 65
        MaxValue = 99
        MinValue = 1
        Value = 1
      end
      object Edit15: TEdit
        Left = 184
        Top = 90
        Width = 17
        Visible = False
        Text = '1'
      end
      object Button4: TButton
        Left = 8
        Top = 120
        Width = 121
        Hint = 'Applies settings to config.sys that can gain back substantial conventional memory, the Main Menu above lets you open the config.sys file to validate the entries or adjust them'
        OnClick = Button4Click
        Caption = 'Tune DOS Memory'
      end
      object Button7: TButton
        Left = 136
        Top = 120
        Width = 65
        Hint = 'View Config.sys File to see STACKS, BUFFERS, FILES, and FCBS settings alterations and remove bracketed part prior to leaving this app or a small non serious boot error will occur...'
        OnClick = Button7Click
        Caption = 'View'
      end
    end
    object GroupBox2: TGroupBox
      Left = 384
      Top = 168
      Width = 209
      Hint = 'Make sure you set Win95 Dir First!!!'
      Caption = 'VCache Control Section'
      object StaticText14: TStaticText
        Left = 8
        Top = 20
        Width = 113
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'This writes to the system.ini file to help control the VCache settings to give you more Windows RAM'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'MinFileCache Value'
      end
      object SpinEdit2: TSpinEdit
        Left = 128
        Top = 18
        Width = 73
        Hint = 'When done with this and MaxFileCache, click on Tune Win95 Cache Settings button to commit the change'
        Increment = 32
        MaxValue = 16000000
        MinValue = 256
        Value = 256
      end
      object Edit9: TEdit
        Left = 184
        Top = 18
        Width = 17
        Visible = False
        Text = '256'
      end
      object StaticText15: TStaticText
        Left = 8
        Top = 46
        Width = 113
        Color = clBlack
        ParentColor = False
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clYellow
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        Hint = 'This writes to the system.ini to help control VCache settings to give you more Windows RAM'
        Alignment = taCenter
        BorderStyle = sbsSunken
        Caption = 'MaxFileCacheValue'
      end
      object SpinEdit3: TSpinEdit
        Left = 128
        Top = 44
        Width = 73
        Hint = 'When done with this and MinFileCache Setting, click on Tune Win95 DiskCache Settings to commit the change'
        Increment = 32
        MaxValue = 16000000
        MinValue = 512
        Value = 512
      end
      object Edit10: TEdit
        Left = 184
        Top = 44
        Width = 17
        Visible = False
        Text = '512'
      end
      object Button5: TButton
        Left = 8
        Top = 72
        Width = 121
        Hint = 'This allows you to limit VCache in  Win95, stopping it from growing too large since it rarely gives back RAM, the Main Menu above lets you open System.ini to validate the entry and is dependent on what you put in as your Windows95 directory at top left'
        OnClick = Button5Click
        Caption = 'Tune VCache Settings'
      end
      object Button6: TButton
        Left = 136
        Top = 72
        Width = 65
        Hint = 'View System.Ini file and look for [VCache]'
        OnClick = Button6Click
        Caption = 'View'
      end
    end
  end
  object StatusBar1: TStatusBar
    Top = 386
    Width = 610
    Height = 9
    Panels = <
      item
      end
      item
      end
      item
      end
      item
      end
      item
      end
      item
      end
      item
      end
      item
      end
      item
      end
      item
      end
      item
      end
      item
      end
      item
      end>
  end
  object Timer1: TTimer
    Interval = 500
    OnTimer = Timer1Timer
  end
  object MainMenu1: TMainMenu
    object Main1: TMenuItem
      Caption = 'Main'
      object OpenConfigsys1: TMenuItem
        Caption = 'Open System Editor'
        OnClick = OpenConfigsys1Click
      end
      object About1: TMenuItem
        Caption = 'About'
        OnClick = About1Click
      end
      object Help1: TMenuItem
        Caption = 'Help'
        Hint = 'Let you change the 95 boot directory'
        OnClick = Help1Click
      end
      object Exit1: TMenuItem
        Caption = 'Exit'
        OnClick = Exit1Click
      end
    end
  end
end
