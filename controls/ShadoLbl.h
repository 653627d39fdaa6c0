#pragma once

#include "platform/base/Events.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Label.h"

#include <cstdint>
#include <memory>

// One offset copy of a label's text: the shadow or the highlight.
class TShadow : public TPersistent {
public:
    TShadow() = default;
    AnsiString ClassName() const override { return "TShadow"; }

    // From another TShadow: copies all four values, even equal ones, and notifies once.
    // Anything else fails with the assignment error.
    void Assign(TPersistent* Source) override;

    bool Visible() const { return FVisible; }
    void SetShadowVisible(bool Value);
    TColor Color() const { return FColor; }
    void SetShadowColor(TColor Value);
    int OffsetLeft() const { return FOffsetLeft; }
    void SetShadowLeft(int Value);
    int OffsetTop() const { return FOffsetTop; }
    void SetShadowTop(int Value);

    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
    void Changed();

    bool FVisible = true;
    TColor FColor = clSilver;
    int FOffsetLeft = 1;
    int FOffsetTop = 1;
    TNotifyEvent FOnChange;
};

// Gradients between two colours, shared by the shadow label's background and text.

// The colour channel at position I of N between Start and Start + Delta: Start + Delta * t
// with t = I / (N - 1) rounded to double, the product and sum carried at a 64-bit
// significand, truncated toward zero. Position 0 is Start exactly, position N - 1 the end.
int GradientChannel(int Start, int Delta, int I, int N);

// Splits a colour (a system colour resolved now) into its red, green and blue bytes.
void GetRGB(const TColor Color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B);

// Fills a 24-bit bitmap from First to Second: top to bottom when Vertical, else left to
// right. The colours are computed once per row or column; the rest is copied.
void GradBitmap(TBitmap* Bitmap, const TColor First, const TColor Second, bool Vertical);

// Paints such a gradient into Rect through a small temporary bitmap stretched over it (an
// empty or inverted Rect paints nothing); leaves the canvas's copy mode at a plain source copy.
void GradRect(TCanvas* Canvas, const TRect& Rect, TColor First, TColor Second, bool Vertical);

enum TEllipsis : std::uint8_t { elNone, elEnd, elPath };
enum TTextGradation : std::uint8_t { tgNone, tg2Colors, tg3Colors };

// A label that draws its caption with a drop shadow and a highlight copy, over nothing
// (transparent), a plain colour or a two-colour gradient, and can colour the caption's
// characters along a two- or three-colour gradient, which runs from the text's left edge
// whatever the alignment. Everything but the painting is the platform label's, automatic
// sizing included (which leaves no room for the offsets).
class TShadowLabel : public TLabel {
public:
    explicit TShadowLabel(TComponent* AOwner);
    ~TShadowLabel() override;
    AnsiString ClassName() const override { return "TShadowLabel"; }

    TEllipsis Ellipsis() const { return FEllipsis; }
    void SetEllipsis(TEllipsis Value);
    // Paint an opaque label through an off-screen bitmap, in one copy. Never repaints.
    bool Flickerless() const { return FFlickerless; }
    void SetFlickerless(bool Value) { FFlickerless = Value; }
    // The background gradient runs top to bottom (true) or left to right.
    bool GradateVert() const { return FGradateVert; }
    void SetGradateVert(bool Value);
    bool Gradation() const { return FGradation; }
    void SetGradation(bool Value);
    // The background gradient's first colour (top or left); Color is its last.
    TColor GradationColor() const { return FGradationColor; }
    void SetGradationColor(TColor Value);
    TShadow* Highlight() const { return FHighlight.get(); }
    // Copies the settings (null is ignored).
    void SetHighlight(TShadow* Value);
    TShadow* Shadow() const { return FShadow.get(); }
    void SetShadow(TShadow* Value);
    TTextGradation TextGradation() const { return FTextGradation; }
    void SetTextGradation(TTextGradation Value);
    // The text gradient's last colour; Font's colour is its first.
    TColor TextGradationColor() const { return FTextGradationColor; }
    void SetTextGradationColor(TColor Value);
    // The middle colour of a three-colour text gradient.
    TColor TextMidColor() const { return FTextMidColor; }
    void SetTextMidColor(TColor Value);

protected:
    void Paint() override;
    void ShadowChanged(TObject* Sender);

private:
    void GradText(TCanvas* Canvas, const TRect& TextRect, int& X, TColor Start, TColor End,
                  const AnsiString& Piece, unsigned Flags);

    TEllipsis FEllipsis = elNone;
    bool FFlickerless = false;
    bool FGradateVert = false;
    bool FGradation = false;
    TColor FGradationColor = clBlack;
    std::unique_ptr<TShadow> FHighlight;
    std::unique_ptr<TShadow> FShadow;
    TTextGradation FTextGradation = tgNone;
    TColor FTextGradationColor = clBlack;
    TColor FTextMidColor = clBlack;
};

// Registers TShadow and TShadowLabel for form descriptions; safe to call more than once.
void RegisterShadowLabel();
