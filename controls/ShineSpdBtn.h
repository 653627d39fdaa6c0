#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/ui/GraphicControl.h"
#include "platform/ui/SpeedButton.h"
#include "platform/ui/Timer.h"

#include <cstdint>
#include <memory>

// A windowless push button with two colour sets, three frame styles, a glyph from which the
// hover and disabled pictures are derived, hover tracking with a timer, and exclusive groups
// shared with the stock speed buttons of the same parent.

enum TFrameType : std::uint8_t { ftFlatFrame, ftNormalFrame, ftEnclosedFrame };
enum TActiveImageType : std::uint8_t {
    aiNormal,
    aiXorLight,
    aiHalfLight,
    aiQuaterLight,
    aiAddLight,
    aiFrameLight,
    aiFrameLight2,
    aiMaskLight,
};
enum TDisabledImageType : std::uint8_t {
    diDefault,
    diGrayscale,
    diAlphaHalfTrans,
    diAlphaQuaterTrans,
    diMaskTrans,
};
// Painting compares these by number: below sbsUpActive are the down looks, sbsDownActive and
// sbsUpActive the active ones.
enum TShineButtonState : std::uint8_t { sbsDownActive, sbsDown, sbsUpActive, sbsUp, sbsDisabled };

// A TColor as a pixel of a 32-bit row read as a little-endian word: 0x00RRGGBB, system
// colours resolved now.
std::uint32_t ColorToPixel(TColor Color);

// One look of the button: face, gradient and frame colours.
class TShineBtnColors : public TPersistent {
public:
    TShineBtnColors() = default;
    ~TShineBtnColors() override;
    AnsiString ClassName() const override { return "TShineBtnColors"; }

    // Copies all seven values from another colour set, then notifies.
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor Highlight() const { return FHighlight; }
    void SetHighlight(TColor Value);
    TColor Shadow() const { return FShadow; }
    void SetShadow(TColor Value);
    TColor DarkShadow() const { return FDarkShadow; }
    void SetDarkShadow(TColor Value);
    TColor GradColor() const { return FGradColor; }
    void SetGradColor(TColor Value);
    bool GradVertical() const { return FGradVertical; }
    void SetGradVertical(bool Value);
    bool Gradation() const { return FGradation; }
    void SetGradation(bool Value);

    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
    // Copies all seven values into another colour set, then notifies that set.
    void AssignTo(TPersistent* Dest) override;

private:
    void Changed();
    void CopyValues(const TShineBtnColors& Source);
    template <class V> void Store(V& Field, V Value);

    TColor FColor = clBtnFace;
    TColor FHighlight = clBtnHighlight;
    TColor FShadow = clBtnShadow;
    TColor FDarkShadow = clWindowFrame;
    TColor FGradColor = clBlue;
    bool FGradVertical = false;
    bool FGradation = false;
    TNotifyEvent FOnChange;
};

class TShineSpeedButton : public TGraphicControl {
public:
    explicit TShineSpeedButton(TComponent* AOwner);
    ~TShineSpeedButton() override;
    AnsiString ClassName() const override { return "TShineSpeedButton"; }

    void Loaded() override;
    void Dispatch(TMessage& Message) override;
    void Click() override;

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool ClickDownHook() const { return FClickDownHook; }
    void SetClickDownHook(bool Value);
    bool AccelCharDown() const { return FAccelCharDown; }
    void SetAccelCharDown(bool Value);
    TFrameType FrameType() const { return FFrameType; }
    void SetFrameType(TFrameType Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool ActiveFrame() const { return FActiveFrame; }
    void SetActiveFrame(bool Value);
    bool UpFrame() const { return FUpFrame; }
    void SetUpFrame(bool Value);
    bool DownFrame() const { return FDownFrame; }
    void SetDownFrame(bool Value);
    TActiveImageType ActiveImage() const { return FActiveImage; }
    void SetActiveImage(TActiveImageType Value);
    TDisabledImageType DisabledImage() const { return FDisabledImage; }
    void SetDisabledImage(TDisabledImageType Value);
    TColor DisabledHighlight() const { return FDisabledHighlight; }
    void SetDisabledHighlight(TColor Value);
    TColor DisabledShadow() const { return FDisabledShadow; }
    void SetDisabledShadow(TColor Value);
    TShineBtnColors* Colors() const { return FColors.get(); }
    void SetColors(TShineBtnColors* Value);
    TShineBtnColors* PressedColors() const { return FPressedColors.get(); }
    void SetPressedColors(TShineBtnColors* Value);
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    // Both caption copies store and invalidate even when the value is unchanged.
    TColor FontHighlight() const { return FFontHighlight; }
    void SetFontHighlight(TColor Value);
    TColor FontShadow() const { return FFontShadow; }
    void SetFontShadow(TColor Value);
    TFont* ActiveFont() const { return FActiveFont.get(); }
    void SetActiveFont(TFont* Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies Value into the owned glyph; null empties it.
    void SetGlyph(TBitmap* Value);
    const TMouseMoveEvent& OnMouseEnter() const { return FOnMouseEnter; }
    void SetOnMouseEnter(TMouseMoveEvent Value) { FOnMouseEnter = std::move(Value); }
    const TMouseMoveEvent& OnMouseLeave() const { return FOnMouseLeave; }
    void SetOnMouseLeave(TMouseMoveEvent Value) { FOnMouseLeave = std::move(Value); }

    // The look painted next.
    TShineButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    bool Dragging() const { return FDragging; }
    TTimer* ActiveButtonTimer() const { return FActiveButtonTimer; }

    // Where the glyph's top-left corner and the caption's rectangle go, measured in Canvas's
    // current font; the pressed offset is the caller's.
    void CalcDrawPosition(TCanvas* Canvas, TPoint& GlyphPos, TRect& TextRect);
    // The picture of the current state, derived from Glyph; null when Glyph is empty.
    std::unique_ptr<TBitmap> CreateStateGlyph();

protected:
    void Paint() override;
    void BackDraw(TCanvas* Canvas);
    void ImageDraw(TCanvas* Canvas);
    void FrameDraw(TCanvas* Canvas);

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void MouseEnter(TShiftState Shift, int X, int Y);
    virtual void MouseLeave(TShiftState Shift, int X, int Y);

private:
    void FontsAndColorsOnChange(TObject* Sender);
    void GlyphOnChange(TObject* Sender);
    void ActiveButtonTimerOnTimer(TObject* Sender);
    void UpdateTracking();
    void GroupUpdateStatus(int Value);
    static TShiftState GetCurrentShiftState();
    TPoint CursorClientPos() const;
    template <class V> void Store(V& Field, V Value);

    void WMLButtonDblClick(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMSysColorChange(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMButtonPressed(TMessage& Message);

    int FGroupIndex;
    bool FDown;
    bool FClickDownHook;
    bool FAccelCharDown;
    TFrameType FFrameType;
    bool FTransparent;
    bool FActiveFrame;
    bool FUpFrame;
    bool FDownFrame;
    TActiveImageType FActiveImage;
    TDisabledImageType FDisabledImage;
    TColor FDisabledHighlight;
    TColor FDisabledShadow;
    std::unique_ptr<TShineBtnColors> FColors;
    std::unique_ptr<TShineBtnColors> FPressedColors;
    TColor FShineColor;
    std::unique_ptr<TFont> FFont;
    TColor FFontHighlight;
    TColor FFontShadow;
    std::unique_ptr<TFont> FActiveFont;
    bool FAllowAllUp;
    TButtonLayout FLayout;
    int FMargin;
    int FSpacing;
    std::unique_ptr<TBitmap> FGlyph;
    TMouseMoveEvent FOnMouseEnter;
    TMouseMoveEvent FOnMouseLeave;

    bool FMouseInControl;
    bool FDragging;
    TShineButtonState FState;
    TSpeedButton* FGroupProxy;
    TTimer* FActiveButtonTimer;
};

// Makes TShineSpeedButton and TShineBtnColors known to form descriptions; safe to call again.
void RegisterShineSpdBtn();
