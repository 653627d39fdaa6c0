#include "platform/ui/StockClasses.h"

#include "platform/base/Registry.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Shape.h"
#include "platform/ui/SpeedButton.h"
#include "platform/ui/UiClasses.h"
#include "platform/ui/WinControl.h"

namespace {

const TEnumInfo AlignmentInfo{
    {{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}}};
const TEnumInfo TextLayoutInfo{{{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}}};
const TEnumInfo ShapeTypeInfo{{{"stRectangle", stRectangle},
                               {"stSquare", stSquare},
                               {"stRoundRect", stRoundRect},
                               {"stRoundSquare", stRoundSquare},
                               {"stEllipse", stEllipse},
                               {"stCircle", stCircle}}};
const TEnumInfo ButtonLayoutInfo{{{"blGlyphLeft", blGlyphLeft},
                                  {"blGlyphRight", blGlyphRight},
                                  {"blGlyphTop", blGlyphTop},
                                  {"blGlyphBottom", blGlyphBottom}}};
const TEnumInfo MenuAutoFlagInfo{
    {{"maAutomatic", maAutomatic}, {"maManual", maManual}, {"maParent", maParent}}};

void RegisterControls() {
    RegisterClass<TImage>("TImage", "TGraphicControl")
        .Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false)
        .Property("Center", &TImage::Center, &TImage::SetCenter, false)
        .Property("Proportional", &TImage::Proportional, &TImage::SetProportional, false)
        .Property("Stretch", &TImage::Stretch, &TImage::SetStretch, false)
        .Property("Transparent", &TImage::Transparent, &TImage::SetTransparent, false);
    RegisterClass<TShape>("TShape", "TGraphicControl")
        .Object("Brush", &TShape::Brush)
        .Object("Pen", &TShape::Pen)
        .Enum("Shape", &TShape::Shape, &TShape::SetShape, ShapeTypeInfo, stRectangle);
    RegisterClass<TCustomLabel>("TCustomLabel", "TGraphicControl")
        .Enum("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, AlignmentInfo,
              taLeftJustify)
        .Property("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
        .Reference("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)
        .Property("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar,
                  true)
        .Property("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false)
        .Enum("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, TextLayoutInfo, tlTop)
        .Property("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false);
    RegisterClass<TLabel>("TLabel", "TCustomLabel");
    // Down after GroupIndex: a button outside a group cannot be down.
    RegisterClass<TSpeedButton>("TSpeedButton", "TGraphicControl")
        .Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp, false)
        .Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex, 0)
        .Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, false)
        .Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, false)
        .Enum("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout, ButtonLayoutInfo,
              blGlyphLeft)
        .Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin, -1)
        .Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing, 4);
}

void RegisterComponents() {
    RegisterClass<TMenuItem>("TMenuItem", "TComponent")
        .Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck, false)
        .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
        .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
        .Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, std::uint8_t(0))
        .Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false)
        .Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, scNone)
        .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
        .Event("OnClick", &TMenuItem::SetOnClick);
    RegisterClass<TPopupMenu>("TPopupMenu", "TComponent")
        .Enum("AutoHotkeys", &TPopupMenu::AutoHotkeys, &TPopupMenu::SetAutoHotkeys,
              MenuAutoFlagInfo, maAutomatic)
        .Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
        .Event("OnPopup", &TPopupMenu::SetOnPopup);
    RegisterClass<TSavePictureDialog>("TSavePictureDialog", "TComponent")
        .Property("DefaultExt", &TSavePictureDialog::DefaultExt, &TSavePictureDialog::SetDefaultExt)
        .Property("FileName", &TSavePictureDialog::FileName, &TSavePictureDialog::SetFileName)
        .Property("Filter", &TSavePictureDialog::Filter, &TSavePictureDialog::SetFilter)
        .Property("FilterIndex", &TSavePictureDialog::FilterIndex,
                  &TSavePictureDialog::SetFilterIndex, 1)
        .Property("InitialDir", &TSavePictureDialog::InitialDir, &TSavePictureDialog::SetInitialDir)
        .Property("Title", &TSavePictureDialog::Title, &TSavePictureDialog::SetTitle);
}

} // namespace

void RegisterStockClasses() {
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterControlClasses();
    RegisterControls();
    RegisterComponents();
    AddParentRule(MenuParentHook);
}
