#include "platform/ui/UiClasses.h"

#include "platform/base/FormReader.h"
#include "platform/base/Registry.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/ui/Form.h"
#include "platform/ui/GraphicControl.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Timer.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const TEnumInfo DragModeInfo{{{"dmManual", dmManual}, {"dmAutomatic", dmAutomatic}}};
const TEnumInfo BorderStyleInfo{{{"bsNone", bsNone},
                                 {"bsSingle", bsSingle},
                                 {"bsSizeable", bsSizeable},
                                 {"bsDialog", bsDialog},
                                 {"bsToolWindow", bsToolWindow},
                                 {"bsSizeToolWin", bsSizeToolWin}}};
const TEnumInfo FormStyleInfo{{{"fsNormal", fsNormal},
                               {"fsMDIChild", fsMDIChild},
                               {"fsMDIForm", fsMDIForm},
                               {"fsStayOnTop", fsStayOnTop}}};
const TEnumInfo PositionInfo{{{"poDesigned", poDesigned},
                              {"poDefault", poDefault},
                              {"poDefaultPosOnly", poDefaultPosOnly},
                              {"poDefaultSizeOnly", poDefaultSizeOnly},
                              {"poScreenCenter", poScreenCenter},
                              {"poDesktopCenter", poDesktopCenter},
                              {"poMainFormCenter", poMainFormCenter},
                              {"poOwnerFormCenter", poOwnerFormCenter}}};
// Set elements by bit number: fsBold is bit 0.
const TEnumInfo FontStyleInfo{
    {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}}};
const TEnumInfo FontQualityInfo{{{"fqDefault", fqDefault},
                                 {"fqDraft", fqDraft},
                                 {"fqProof", fqProof},
                                 {"fqNonAntialiased", fqNonAntialiased},
                                 {"fqAntialiased", fqAntialiased},
                                 {"fqClearType", fqClearType},
                                 {"fqClearTypeNatural", fqClearTypeNatural}}};
const TEnumInfo PenStyleInfo{{{"psSolid", psSolid},
                              {"psDash", psDash},
                              {"psDot", psDot},
                              {"psDashDot", psDashDot},
                              {"psDashDotDot", psDashDotDot},
                              {"psClear", psClear},
                              {"psInsideFrame", psInsideFrame}}};
const TEnumInfo PenModeInfo{{{"pmBlack", pmBlack},
                             {"pmWhite", pmWhite},
                             {"pmNop", pmNop},
                             {"pmNot", pmNot},
                             {"pmCopy", pmCopy},
                             {"pmNotCopy", pmNotCopy},
                             {"pmMerge", pmMerge},
                             {"pmMask", pmMask},
                             {"pmXor", pmXor}}};
const TEnumInfo BrushStyleInfo{{{"bsSolid", bsSolid}, {"bsClear", bsClear}}};

std::vector<TParentRule>& ParentRules() {
    static std::vector<TParentRule> rules;
    return rules;
}

// A control read inside another object becomes a child of the nearest enclosing TWinControl.
bool ControlParentRule(TComponent* Child, TComponent* Enclosing) {
    auto* control = dynamic_cast<TControl*>(Child);
    if (control == nullptr)
        return false;
    for (TComponent* e = Enclosing; e != nullptr;) {
        if (auto* container = dynamic_cast<TWinControl*>(e)) {
            control->SetParent(container);
            return true;
        }
        auto* enclosingControl = dynamic_cast<TControl*>(e);
        if (enclosingControl == nullptr)
            break;
        e = enclosingControl->Parent();
    }
    return false;
}

void RegisterIdentifiers() {
    RegisterIdents({
        {"clBlack", clBlack},
        {"clMaroon", clMaroon},
        {"clGreen", clGreen},
        {"clOlive", clOlive},
        {"clNavy", clNavy},
        {"clPurple", clPurple},
        {"clTeal", clTeal},
        {"clGray", clGray},
        {"clSilver", clSilver},
        {"clRed", clRed},
        {"clLime", clLime},
        {"clYellow", clYellow},
        {"clBlue", clBlue},
        {"clFuchsia", clFuchsia},
        {"clAqua", clAqua},
        {"clWhite", clWhite},
        {"clNone", clNone},
        {"clDefault", clDefault},
        {"clScrollBar", clScrollBar},
        {"clBackground", clBackground},
        {"clActiveCaption", clActiveCaption},
        {"clInactiveCaption", clInactiveCaption},
        {"clMenu", clMenu},
        {"clWindow", clWindow},
        {"clWindowFrame", clWindowFrame},
        {"clMenuText", clMenuText},
        {"clWindowText", clWindowText},
        {"clCaptionText", clCaptionText},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
        {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow},
        {"clGrayText", clGrayText},
        {"clBtnText", clBtnText},
        {"clBtnHighlight", clBtnHighlight},
        {"cl3DDkShadow", cl3DDkShadow},
        {"cl3DLight", cl3DLight},
        {"clInfoText", clInfoText},
        {"clInfoBk", clInfoBk},
        {"ANSI_CHARSET", ANSI_CHARSET},
        {"DEFAULT_CHARSET", DEFAULT_CHARSET},
        {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
    });
}

void RegisterGraphicsClasses() {
    RegisterClass<TFont>("TFont", "")
        .Property<AnsiString>("Name", &TFont::Name, &TFont::SetName)
        .Property<int>("Height", &TFont::Height, &TFont::SetHeight)
        .Property<int>("Size", &TFont::Size, &TFont::SetSize)
        .Property<TColor>("Color", &TFont::Color, &TFont::SetColor)
        .Property<TFontCharset>("Charset", &TFont::Charset, &TFont::SetCharset,
                                std::optional<TFontCharset>(DEFAULT_CHARSET))
        .Enum("Style", &TFont::Style, &TFont::SetStyle, FontStyleInfo,
              std::optional<TFontStyles>(0), true)
        .Enum("Quality", &TFont::Quality, &TFont::SetQuality, FontQualityInfo,
              std::optional<TFontQuality>(fqDefault));
    RegisterClass<TPen>("TPen", "")
        .Property<TColor>("Color", &TPen::Color, &TPen::SetColor, std::optional<TColor>(clBlack))
        .Enum("Mode", &TPen::Mode, &TPen::SetMode, PenModeInfo, std::optional<TPenMode>(pmCopy))
        .Enum("Style", &TPen::Style, &TPen::SetStyle, PenStyleInfo,
              std::optional<TPenStyle>(psSolid))
        .Property<int>("Width", &TPen::Width, &TPen::SetWidth, std::optional<int>(1));
    RegisterClass<TBrush>("TBrush", "")
        .Property<TColor>("Color", &TBrush::Color, &TBrush::SetColor,
                          std::optional<TColor>(clWhite))
        .Enum("Style", &TBrush::Style, &TBrush::SetStyle, BrushStyleInfo,
              std::optional<TBrushStyle>(bsSolid));
}

void RegisterUiClasses() {
    if (TClassRegistry::Instance().Find("TComponent") == nullptr)
        RegisterClass<TComponent>("TComponent", "")
            .Property<std::intptr_t>("Tag", &TComponent::Tag, &TComponent::SetTag,
                                     std::optional<std::intptr_t>(0));
    RegisterClass<TControl>("TControl", "TComponent")
        .Property<int>("Left", &TControl::Left, &TControl::SetLeft)
        .Property<int>("Top", &TControl::Top, &TControl::SetTop)
        .Property<int>("Width", &TControl::Width, &TControl::SetWidth)
        .Property<int>("Height", &TControl::Height, &TControl::SetHeight)
        .Property<int>("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
        .Property<int>("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
        .Property<AnsiString>("Caption", &TControl::Caption, &TControl::SetCaption)
        .Property<TColor>("Color", &TControl::Color, &TControl::SetColor)
        .Object("Font", &TControl::Font)
        .Property<bool>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor,
                        std::optional<bool>(true))
        .Property<bool>("ParentFont", &TControl::ParentFont, &TControl::SetParentFont,
                        std::optional<bool>(true))
        .Property<bool>("Visible", &TControl::Visible, &TControl::SetVisible,
                        std::optional<bool>(true))
        .Property<bool>("Enabled", &TControl::Enabled, &TControl::SetEnabled,
                        std::optional<bool>(true))
        .Reference("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .Enum("DragMode", &TControl::DragMode, &TControl::SetDragMode, DragModeInfo,
              std::optional<TDragMode>(dmManual))
        .Event("OnClick", &TControl::SetOnClick)
        .Event("OnDblClick", &TControl::SetOnDblClick)
        .Event("OnMouseDown", &TControl::SetOnMouseDown)
        .Event("OnMouseMove", &TControl::SetOnMouseMove)
        .Event("OnMouseUp", &TControl::SetOnMouseUp);
    RegisterClass<TGraphicControl>("TGraphicControl", "TControl");
    RegisterClass<TWinControl>("TWinControl", "TControl");
    RegisterClass<TControlScrollBar>("TControlScrollBar", "")
        .Property<bool>("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible,
                        std::optional<bool>(true));
    RegisterClass<TCustomForm>("TCustomForm", "TWinControl")
        .Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
              BorderStyleInfo, std::optional<TFormBorderStyle>(bsSizeable))
        .Enum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, FormStyleInfo,
              std::optional<TFormStyle>(fsNormal))
        .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, PositionInfo,
              std::optional<TPosition>(poDesigned))
        .Object("HorzScrollBar", &TCustomForm::HorzScrollBar)
        .Object("VertScrollBar", &TCustomForm::VertScrollBar)
        .Property<bool>("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview,
                        std::optional<bool>(false))
        .Property<int>("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
        .Property<int>("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight)
        .Event("OnClose", &TCustomForm::SetOnClose)
        .Event("OnKeyDown", &TCustomForm::SetOnKeyDown);
    RegisterClass<TForm>("TForm", "TCustomForm");
    RegisterClass<TTimer>("TTimer", "TComponent")
        .Property<bool>("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, std::optional<bool>(true))
        .Property<unsigned>("Interval", &TTimer::Interval, &TTimer::SetInterval,
                            std::optional<unsigned>(1000))
        .Event("OnTimer", &TTimer::SetOnTimer);
}

} // namespace

void AddParentRule(TParentRule Rule) {
    auto& rules = ParentRules();
    if (std::find(rules.begin(), rules.end(), Rule) == rules.end())
        rules.push_back(Rule);
}

void RegisterControlClasses() {
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterIdentifiers();
    RegisterGraphicsClasses();
    RegisterUiClasses();
    AddParentRule(ControlParentRule);
    AddParentRule(MenuParentHook);
    TReader::SetParentHook([](TComponent* Child, TComponent* Enclosing) {
        for (TParentRule rule : ParentRules())
            if (rule(Child, Enclosing))
                return;
    });
}
