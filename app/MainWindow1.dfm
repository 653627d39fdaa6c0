object MainForm1: TMainForm1
  Left = 20
  Top = 20
  BorderStyle = bsToolWindow
  Caption = 'ピコラム - (右クリックでポップアップメニュー)'
  ClientHeight = 320
  ClientWidth = 480
  Color = clWhite
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'ＭＳ Ｐゴシック'
  Font.Style = []
  FormStyle = fsStayOnTop
  HorzScrollBar.Visible = False
  VertScrollBar.Visible = False
  PopupMenu = PopupMenu1
  PixelsPerInch = 96
  TextHeight = 12
  object Shape1: TShape
    Left = 0
    Top = 0
    Width = 120
    Height = 160
    Pen.Style = psClear
  end
  object Shape2: TShape
    Left = 120
    Top = 0
    Width = 120
    Height = 160
    Brush.Color = 14811105
    Pen.Style = psClear
  end
  object Shape3: TShape
    Left = 240
    Top = 0
    Width = 120
    Height = 160
    Pen.Style = psClear
  end
  object Shape4: TShape
    Left = 360
    Top = 0
    Width = 120
    Height = 160
    Brush.Color = 14811105
    Pen.Style = psClear
  end
  object Shape5: TShape
    Left = 0
    Top = 160
    Width = 120
    Height = 160
    Brush.Color = 14811105
    Pen.Style = psClear
  end
  object Shape6: TShape
    Left = 120
    Top = 160
    Width = 120
    Height = 160
    Pen.Style = psClear
  end
  object Shape7: TShape
    Left = 240
    Top = 160
    Width = 120
    Height = 160
    Brush.Color = 14811105
    Pen.Style = psClear
  end
  object Shape8: TShape
    Left = 360
    Top = 160
    Width = 120
    Height = 160
    Pen.Style = psClear
  end
  object Image1: TImage
    Left = 0
    Top = 0
    Width = 120
    Height = 160
    Stretch = True
    OnDblClick = Image1DblClick
    OnMouseMove = Image1MouseMove
  end
  object Image2: TImage
    Left = 120
    Top = 0
    Width = 120
    Height = 160
    Stretch = True
    OnDblClick = Image2DblClick
    OnMouseMove = Image2MouseMove
  end
  object Image3: TImage
    Left = 240
    Top = 0
    Width = 120
    Height = 160
    Stretch = True
    OnDblClick = Image3DblClick
    OnMouseMove = Image3MouseMove
  end
  object Image4: TImage
    Left = 360
    Top = 0
    Width = 120
    Height = 160
    Stretch = True
    OnDblClick = Image4DblClick
    OnMouseMove = Image4MouseMove
  end
  object Image5: TImage
    Left = 0
    Top = 160
    Width = 120
    Height = 160
    Stretch = True
    OnDblClick = Image5DblClick
    OnMouseMove = Image5MouseMove
  end
  object Image6: TImage
    Left = 120
    Top = 160
    Width = 120
    Height = 160
    Stretch = True
    OnDblClick = Image6DblClick
    OnMouseMove = Image6MouseMove
  end
  object Image7: TImage
    Left = 240
    Top = 160
    Width = 120
    Height = 160
    Stretch = True
    OnDblClick = Image7DblClick
    OnMouseMove = Image7MouseMove
  end
  object Image8: TImage
    Left = 360
    Top = 160
    Width = 120
    Height = 160
    Stretch = True
    OnDblClick = Image8DblClick
    OnMouseMove = Image8MouseMove
  end
  object Image0: TImage
    Left = 400
    Top = 0
    Width = 480
    Height = 320
    Visible = False
  end
  object PopupMenu1: TPopupMenu
    AutoHotkeys = maManual
    object Save1: TMenuItem
      Caption = '保存(&S)...'
      ShortCut = 16467
      OnClick = Save1Click
    end
    object M1: TMenuItem
      Caption = 'メール送信(&M)...'
      ShortCut = 16461
      OnClick = M1Click
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object N2: TMenuItem
      Caption = '数字/英語の割り振り(&N)'
      object N6: TMenuItem
        Caption = '白い数字(&W)'
        Checked = True
        ShortCut = 8304
        OnClick = N6Click
      end
      object N7: TMenuItem
        Caption = '黒い数字(&B)'
        ShortCut = 8305
        OnClick = N7Click
      end
      object N10: TMenuItem
        Caption = '白い英語(&H)'
        ShortCut = 16496
        OnClick = N10Click
      end
      object N11: TMenuItem
        Caption = '黒い英語(&L)'
        ShortCut = 16497
        OnClick = N11Click
      end
      object N9: TMenuItem
        Caption = '-'
      end
      object N8: TMenuItem
        Caption = '数字/英語なし(&N)'
        ShortCut = 45
        OnClick = N8Click
      end
    end
    object D1: TMenuItem
      Caption = 'ぜんぶ消去(&D)'
      ShortCut = 46
      OnClick = D1Click
    end
    object N3: TMenuItem
      Caption = '-'
    end
    object N4: TMenuItem
      Caption = 'インフォメーション(&I)...'
      OnClick = N4Click
    end
  end
  object SavePictureDialog1: TSavePictureDialog
    DefaultExt = 'jpg'
    Filter = 'JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg'
  end
  object Label1: TShadowLabel
    Left = 4
    Top = 4
    Width = 22
    Height = 21
    Caption = '①'
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clWhite
    Font.Height = -21
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
    Ellipsis = elNone
    GradateVert = False
    Gradation = False
    Highlight.Visible = False
    Highlight.Color = clWhite
    Highlight.OffsetLeft = -1
    Highlight.OffsetTop = -1
    TextGradation = tgNone
  end
  object Label2: TShadowLabel
    Left = 124
    Top = 4
    Width = 22
    Height = 21
    Caption = '②'
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clWhite
    Font.Height = -21
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
    Ellipsis = elNone
    GradateVert = False
    Gradation = False
    Highlight.Visible = False
    Highlight.Color = clWhite
    Highlight.OffsetLeft = -1
    Highlight.OffsetTop = -1
    TextGradation = tgNone
  end
  object Label3: TShadowLabel
    Left = 244
    Top = 4
    Width = 22
    Height = 21
    Caption = '③'
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clWhite
    Font.Height = -21
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
    Ellipsis = elNone
    GradateVert = False
    Gradation = False
    Highlight.Visible = False
    Highlight.Color = clWhite
    Highlight.OffsetLeft = -1
    Highlight.OffsetTop = -1
    TextGradation = tgNone
  end
  object Label4: TShadowLabel
    Left = 364
    Top = 4
    Width = 22
    Height = 21
    Caption = '④'
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clWhite
    Font.Height = -21
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
    Ellipsis = elNone
    GradateVert = False
    Gradation = False
    Highlight.Visible = False
    Highlight.Color = clWhite
    Highlight.OffsetLeft = -1
    Highlight.OffsetTop = -1
    TextGradation = tgNone
  end
  object Label5: TShadowLabel
    Left = 4
    Top = 164
    Width = 22
    Height = 21
    Caption = '⑤'
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clWhite
    Font.Height = -21
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
    Ellipsis = elNone
    GradateVert = False
    Gradation = False
    Highlight.Visible = False
    Highlight.Color = clWhite
    Highlight.OffsetLeft = -1
    Highlight.OffsetTop = -1
    TextGradation = tgNone
  end
  object Label6: TShadowLabel
    Left = 124
    Top = 164
    Width = 22
    Height = 21
    Caption = '⑥'
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clWhite
    Font.Height = -21
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
    Ellipsis = elNone
    GradateVert = False
    Gradation = False
    Highlight.Visible = False
    Highlight.Color = clWhite
    Highlight.OffsetLeft = -1
    Highlight.OffsetTop = -1
    TextGradation = tgNone
  end
  object Label7: TShadowLabel
    Left = 244
    Top = 164
    Width = 22
    Height = 21
    Caption = '⑦'
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clWhite
    Font.Height = -21
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
    Ellipsis = elNone
    GradateVert = False
    Gradation = False
    Highlight.Visible = False
    Highlight.Color = clWhite
    Highlight.OffsetLeft = -1
    Highlight.OffsetTop = -1
    TextGradation = tgNone
  end
  object Label8: TShadowLabel
    Left = 364
    Top = 164
    Width = 22
    Height = 21
    Caption = '⑧'
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clWhite
    Font.Height = -21
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
    Ellipsis = elNone
    GradateVert = False
    Gradation = False
    Highlight.Visible = False
    Highlight.Color = clWhite
    Highlight.OffsetLeft = -1
    Highlight.OffsetTop = -1
    TextGradation = tgNone
  end
end
