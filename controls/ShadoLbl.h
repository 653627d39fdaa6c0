#pragma once

#include "platform/base/Events.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>

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

// Paints such a gradient into Rect through a small temporary bitmap stretched over it;
// leaves the canvas's copy mode at a plain source copy.
void GradRect(TCanvas* Canvas, const TRect& Rect, TColor First, TColor Second, bool Vertical);
