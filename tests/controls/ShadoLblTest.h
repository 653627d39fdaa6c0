#pragma once

#include "controls/ShadoLbl.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextDraw.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/GraphicControl.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// Pictures of the shadow label compared pixel for pixel. Expected pictures are built from
// reference renders of the text alone (black on white, antialiasing off), so the tests know
// where glyph strokes are without spelling out glyph shapes.

// One pixel per (X, Y) of a W by H area.
struct TPixels {
    int W = 0;
    int H = 0;
    std::vector<TColor> P;

    TPixels() = default;
    TPixels(int Width, int Height, TColor Fill) : W(Width), H(Height), P(Width * Height, Fill) {}
    bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < W && Y < H; }
    TColor At(int X, int Y) const { return P[Y * W + X]; }
    void Set(int X, int Y, TColor C) { P[Y * W + X] = C; }
    // How many pixels have colour C.
    int Count(TColor C) const {
        int n = 0;
        for (TColor p : P)
            n += p == C;
        return n;
    }
};

// Where a text leaves ink: true where a glyph stroke (or underline) is.
struct TMask {
    int W = 0;
    int H = 0;
    std::vector<bool> Ink;

    bool At(int X, int Y) const { return X >= 0 && Y >= 0 && X < W && Y < H && Ink[Y * W + X]; }
    int Count() const {
        int n = 0;
        for (bool b : Ink)
            n += b;
        return n;
    }
};

// The test font: the installed IPAPGothic through its desktop name, one-colour glyphs.
inline void UseTestFont(TFont* Font, int Height, TColor Color = clBlack, TFontStyles Style = 0) {
    Font->SetName("ＭＳ Ｐゴシック");
    Font->SetHeight(Height);
    Font->SetStyle(Style);
    Font->SetColor(Color);
    Font->SetQuality(fqNonAntialiased);
}

// Text drawn with DrawText into Box of a W by H area in Font, alone.
inline TMask TextMask(TFont* Font, const AnsiString& Text, int W, int H, TRect Box,
                      unsigned Flags) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(W, H);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(Rect(0, 0, W, H));
    canvas->SetFont(Font);
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetStyle(bsClear);
    DrawText(canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &Box, Flags);
    TMask mask{W, H, std::vector<bool>(static_cast<std::size_t>(W) * H)};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            mask.Ink[y * W + x] = bitmap.GetPixel(x, y) == clBlack;
    return mask;
}

inline TMask TextMask(TFont* Font, const AnsiString& Text, int W, int H, unsigned Flags) {
    return TextMask(Font, Text, W, H, Rect(0, 0, W, H), Flags);
}

inline int TextWidthIn(TFont* Font, const AnsiString& Text) {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    bitmap.Canvas()->SetFont(Font);
    return bitmap.Canvas()->TextWidth(Text);
}

// The size DrawTextEx measures for Text in Font.
inline TRect Measured(TFont* Font, const AnsiString& Text, unsigned Flags) {
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    bitmap.Canvas()->SetFont(Font);
    TRect r = Rect(0, 0, 1000, 1000);
    DrawTextEx(bitmap.Canvas()->Handle(), Text.c_str(), static_cast<int>(Text.size()), &r,
               Flags | DT_CALCRECT, nullptr);
    return r;
}

// Paints Mask, moved by (DX, DY), in Color over Picture, inside Clip only.
inline void Layer(TPixels& Picture, const TMask& Mask, int DX, int DY, TColor Color, TRect Clip) {
    for (int y = Clip.Top; y < Clip.Bottom; ++y)
        for (int x = Clip.Left; x < Clip.Right; ++x)
            if (Mask.At(x - Clip.Left - DX, y - Clip.Top - DY))
                Picture.Set(x, y, ColorToRGB(Color));
}

// The channel rule computed directly at the 64-bit significand of long double.
inline int ExtendedChannel(int Start, int End, int I, int N) {
    static_assert(LDBL_MANT_DIG == 64);
    double t = N <= 1 ? 0.0 : static_cast<double>(I) / static_cast<double>(N - 1);
    long double v = static_cast<long double>(Start) +
                    static_cast<long double>(End - Start) * static_cast<long double>(t);
    return static_cast<int>(v);
}

inline TColor ExtendedColor(TColor First, TColor Second, int I, int N) {
    TColor a = ColorToRGB(First), b = ColorToRGB(Second);
    return RGB(static_cast<std::uint8_t>(ExtendedChannel(GetRValue(a), GetRValue(b), I, N)),
               static_cast<std::uint8_t>(ExtendedChannel(GetGValue(a), GetGValue(b), I, N)),
               static_cast<std::uint8_t>(ExtendedChannel(GetBValue(a), GetBValue(b), I, N)));
}

// The pixels of R in a bitmap.
inline TPixels Grab(const TBitmap& Bitmap, const TRect& R) {
    TPixels p(R.Width(), R.Height(), clNone);
    for (int y = 0; y < p.H; ++y)
        for (int x = 0; x < p.W; ++x)
            p.Set(x, y, Bitmap.GetPixel(R.Left + x, R.Top + y));
    return p;
}

// Equal pictures, or a failure that draws both with one letter per colour.
inline ::testing::AssertionResult SamePixels(const TPixels& Expected, const TPixels& Actual) {
    if (Expected.W != Actual.W || Expected.H != Actual.H)
        return ::testing::AssertionFailure() << "sizes differ";
    if (Expected.P == Actual.P)
        return ::testing::AssertionSuccess();
    std::map<TColor, char> letters;
    auto letter = [&](TColor c) {
        auto it = letters.find(c);
        if (it != letters.end())
            return it->second;
        char l = static_cast<char>('a' + letters.size() % 26);
        letters[c] = l;
        return l;
    };
    std::ostringstream out;
    int wrong = 0;
    for (int y = 0; y < Expected.H; ++y) {
        std::string e, a;
        for (int x = 0; x < Expected.W; ++x) {
            e += letter(Expected.At(x, y));
            a += letter(Actual.At(x, y));
            wrong += Expected.At(x, y) != Actual.At(x, y);
        }
        out << e << "  " << a << (e == a ? "" : "  <") << "\n";
    }
    out << "colours:";
    for (auto [c, l] : letters)
        out << " " << l << "=" << std::hex << c << std::dec;
    return ::testing::AssertionFailure() << wrong << " pixels differ (expected, actual):\n"
                                         << out.str();
}

// A graphic control that paints a two-colour checkerboard of 1-pixel squares.
class TPattern : public TGraphicControl {
public:
    explicit TPattern(TComponent* AOwner) : TGraphicControl(AOwner) {}
    static constexpr TColor Even = 0x336699;
    static constexpr TColor Odd = 0x99CC33;
    static TColor At(int X, int Y) { return (X + Y) % 2 == 0 ? Even : Odd; }

protected:
    void Paint() override {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                Canvas()->SetPixels(x, y, At(x, y));
    }
};

// The headless desktop with the application hooked to it; system colours and forms are
// reset after each case.
class ShadowLabelTest : public ::testing::Test {
protected:
    void SetUp() override { Application->Initialize(); }
    void TearDown() override {
        Application->Done();
        ResetSysColors();
    }

    // A shown form of Width by Height in one colour, painted.
    TForm* NewForm(int Width = 160, int Height = 80, TColor Color = clWhite) {
        auto* form = new TForm(Application);
        form->SetBounds(100, 50, Width, Height);
        form->SetColor(Color);
        form->Show();
        Host.ProcessMessages();
        return form;
    }

    // A label on Form at (Left, Top) in the test font; AutoSize as the platform label has it.
    TShadowLabel* NewLabel(TForm* Form, int Left, int Top, const AnsiString& Caption,
                           int FontHeight = -16) {
        auto* label = new TShadowLabel(Form);
        label->SetParent(Form);
        UseTestFont(label->Font(), FontHeight);
        label->SetLeft(Left);
        label->SetTop(Top);
        label->SetCaption(Caption);
        return label;
    }

    // Paints what is pending and returns the form's pixels in R.
    TPixels Shown(TForm* Form, const TRect& R) {
        Host.ProcessMessages();
        return Grab(*Form->Surface(), R);
    }

    THeadlessHost Host;
};
