object GalleryForm: TGalleryForm
  Left = 120
  Top = 80
  Width = 520
  Height = 288
  Caption = 'Shine speed buttons'
  Color = clBtnFace
  object FramesLabel: TLabel
    Left = 8
    Top = 16
    Caption = 'Frames'
  end
  object FlatButton: TShineSpeedButton
    Left = 96
    Top = 8
    Width = 80
    Height = 28
    FrameType = ftFlatFrame
    Caption = '&Flat'
  end
  object NormalButton: TShineSpeedButton
    Left = 184
    Top = 8
    Width = 80
    Height = 28
    Caption = '&Normal'
  end
  object EnclosedButton: TShineSpeedButton
    Left = 272
    Top = 8
    Width = 80
    Height = 28
    FrameType = ftEnclosedFrame
    Caption = '&Enclosed'
  end
  object RowSwitch: TShineSpeedButton
    Left = 368
    Top = 8
    Width = 136
    Height = 28
    GroupIndex = 9
    AllowAllUp = True
    FrameType = ftEnclosedFrame
    Caption = '&Disable the frames'
    OnClick = RowSwitchClick
  end
  object ActiveLabel: TLabel
    Left = 8
    Top = 56
    Caption = 'Active'
  end
  object ActiveNormal: TShineSpeedButton
    Tag = 1
    Left = 96
    Top = 48
    Width = 32
    Height = 32
    ActiveImage = aiNormal
  end
  object ActiveXor: TShineSpeedButton
    Tag = 1
    Left = 136
    Top = 48
    Width = 32
    Height = 32
    ActiveImage = aiXorLight
  end
  object ActiveHalf: TShineSpeedButton
    Tag = 1
    Left = 176
    Top = 48
    Width = 32
    Height = 32
    ActiveImage = aiHalfLight
  end
  object ActiveQuater: TShineSpeedButton
    Tag = 1
    Left = 216
    Top = 48
    Width = 32
    Height = 32
    ActiveImage = aiQuaterLight
  end
  object ActiveAdd: TShineSpeedButton
    Tag = 1
    Left = 256
    Top = 48
    Width = 32
    Height = 32
    ActiveImage = aiAddLight
  end
  object ActiveFrame1: TShineSpeedButton
    Tag = 1
    Left = 296
    Top = 48
    Width = 32
    Height = 32
  end
  object ActiveFrame2: TShineSpeedButton
    Tag = 1
    Left = 336
    Top = 48
    Width = 32
    Height = 32
    ActiveImage = aiFrameLight2
  end
  object ActiveMask: TShineSpeedButton
    Tag = 1
    Left = 376
    Top = 48
    Width = 32
    Height = 32
    ActiveImage = aiMaskLight
    ShineColor = clRed
  end
  object DisabledLabel: TLabel
    Left = 8
    Top = 100
    Caption = 'Disabled'
  end
  object DisabledDefault: TShineSpeedButton
    Tag = 2
    Left = 96
    Top = 92
    Width = 32
    Height = 32
    Enabled = False
  end
  object DisabledGray: TShineSpeedButton
    Tag = 2
    Left = 136
    Top = 92
    Width = 32
    Height = 32
    DisabledImage = diGrayscale
    Enabled = False
  end
  object DisabledHalf: TShineSpeedButton
    Tag = 2
    Left = 176
    Top = 92
    Width = 32
    Height = 32
    DisabledImage = diAlphaHalfTrans
    Enabled = False
  end
  object DisabledQuater: TShineSpeedButton
    Tag = 2
    Left = 216
    Top = 92
    Width = 32
    Height = 32
    DisabledImage = diAlphaQuaterTrans
    Enabled = False
  end
  object DisabledMask: TShineSpeedButton
    Tag = 2
    Left = 256
    Top = 92
    Width = 32
    Height = 32
    DisabledImage = diMaskTrans
    Enabled = False
  end
  object LayoutLabel: TLabel
    Left = 8
    Top = 152
    Caption = 'Layout'
  end
  object LayoutLeft: TShineSpeedButton
    Tag = 3
    Left = 96
    Top = 144
    Width = 88
    Height = 28
    Caption = 'Left'
  end
  object LayoutRight: TShineSpeedButton
    Tag = 3
    Left = 192
    Top = 144
    Width = 88
    Height = 28
    Layout = blGlyphRight
    Margin = 4
    Caption = 'Right'
  end
  object LayoutTop: TShineSpeedButton
    Tag = 3
    Left = 288
    Top = 136
    Width = 64
    Height = 44
    Layout = blGlyphTop
    Caption = 'Top'
  end
  object LayoutBottom: TShineSpeedButton
    Tag = 3
    Left = 360
    Top = 136
    Width = 64
    Height = 44
    Layout = blGlyphBottom
    Spacing = 0
    Caption = 'Bottom'
  end
  object ColoursLabel: TLabel
    Left = 8
    Top = 204
    Caption = 'Colour sets'
  end
  object GradientAcross: TShineSpeedButton
    Left = 96
    Top = 196
    Width = 96
    Height = 28
    Colors.Color = clWhite
    Colors.GradColor = clNavy
    Colors.Gradation = True
    ActiveFont.Color = clYellow
    Caption = 'Across'
    FontShadow = clBlack
  end
  object GradientDown: TShineSpeedButton
    Left = 200
    Top = 196
    Width = 96
    Height = 28
    Colors.Color = clYellow
    Colors.GradColor = clMaroon
    Colors.GradVertical = True
    Colors.Gradation = True
    PressedColors.Color = clMaroon
    PressedColors.GradColor = clYellow
    PressedColors.GradVertical = True
    PressedColors.Gradation = True
    Caption = 'Down'
    FontHighlight = clWhite
  end
  object Backdrop: TShape
    Left = 304
    Top = 190
    Width = 120
    Height = 40
    Brush.Color = clTeal
  end
  object SeeThrough: TShineSpeedButton
    Tag = 1
    Left = 320
    Top = 196
    Width = 88
    Height = 28
    Transparent = True
    FrameType = ftFlatFrame
    Caption = 'Clear'
  end
  object GroupLabel: TLabel
    Left = 8
    Top = 252
    Caption = 'Group'
  end
  object GroupOne: TShineSpeedButton
    Left = 96
    Top = 244
    Width = 64
    Height = 28
    GroupIndex = 1
    Down = True
    Caption = 'One'
  end
  object GroupTwo: TShineSpeedButton
    Left = 168
    Top = 244
    Width = 64
    Height = 28
    GroupIndex = 1
    Caption = 'Two'
  end
  object GroupThree: TShineSpeedButton
    Left = 240
    Top = 244
    Width = 64
    Height = 28
    GroupIndex = 1
    ClickDownHook = True
    Caption = 'Three'
  end
  object GroupStock: TSpeedButton
    Left = 312
    Top = 244
    Width = 64
    Height = 28
    GroupIndex = 1
    Caption = 'Stock'
  end
end
