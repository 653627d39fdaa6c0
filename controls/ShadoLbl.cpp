#include "controls/ShadoLbl.h"

#include "platform/base/MultiByte.h"
#include "platform/base/Registry.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextDraw.h"
#include "platform/ui/StockClasses.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

void TShadow::Assign(TPersistent* Source) {
    auto* other = dynamic_cast<TShadow*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FVisible = other->FVisible;
    FColor = other->FColor;
    FOffsetLeft = other->FOffsetLeft;
    FOffsetTop = other->FOffsetTop;
    Changed();
}

void TShadow::SetShadowVisible(bool Value) {
    if (FVisible != Value) {
        FVisible = Value;
        Changed();
    }
}

void TShadow::SetShadowColor(TColor Value) {
    if (FColor != Value) {
        FColor = Value;
        Changed();
    }
}

void TShadow::SetShadowLeft(int Value) {
    if (FOffsetLeft != Value) {
        FOffsetLeft = Value;
        Changed();
    }
}

void TShadow::SetShadowTop(int Value) {
    if (FOffsetTop != Value) {
        FOffsetTop = Value;
        Changed();
    }
}

void TShadow::Changed() {
    if (FOnChange)
        FOnChange(this);
}

int GradientChannel(int Start, int Delta, int I, int N) {
    if (N <= 1 || I == 0)
        return Start;
    // t as the double it is rounded to: t = mantissa / 2^shift exactly, a 53-bit mantissa.
    double t = static_cast<double>(I) / static_cast<double>(N - 1);
    int exponent = 0;
    double fraction = std::frexp(t, &exponent);
    auto mantissa = static_cast<__int128>(std::ldexp(fraction, 53));
    int shift = 53 - exponent;
    // Start + Delta * t = (Start * 2^shift + Delta * mantissa) / 2^shift. The product has at
    // most 61 significant bits, so it is exact at a 64-bit significand; the sum is rounded to
    // 64 bits, to nearest with ties to even, as the extended-precision addition does.
    __int128 sum = (static_cast<__int128>(Start) << shift) + Delta * mantissa;
    if (sum <= 0)
        return 0;
    auto magnitude = static_cast<unsigned __int128>(sum);
    auto high = static_cast<std::uint64_t>(magnitude >> 64);
    auto low = static_cast<std::uint64_t>(magnitude);
    int bits = high != 0 ? 128 - std::countl_zero(high) : 64 - std::countl_zero(low);
    if (bits > 64) {
        int drop = bits - 64;
        unsigned __int128 half = static_cast<unsigned __int128>(1) << (drop - 1);
        unsigned __int128 rest = magnitude & ((half << 1) - 1);
        magnitude >>= drop;
        if (rest > half || (rest == half && (magnitude & 1) != 0))
            ++magnitude;
        magnitude <<= drop;
    }
    return static_cast<int>(magnitude >> shift);
}

void GetRGB(const TColor Color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) {
    TColor rgb = ColorToRGB(Color);
    R = GetRValue(rgb);
    G = GetGValue(rgb);
    B = GetBValue(rgb);
}

void GradBitmap(TBitmap* Bitmap, const TColor First, const TColor Second, bool Vertical) {
    std::uint8_t r1, g1, b1, r2, g2, b2;
    GetRGB(First, r1, g1, b1);
    GetRGB(Second, r2, g2, b2);
    int dr = r2 - r1, dg = g2 - g1, db = b2 - b1;
    int height = Bitmap->Height();
    int width = Bitmap->Width();
    if (height < 1 || width < 1)
        return;
    Bitmap->Canvas()->Pen()->SetStyle(psSolid);
    auto put = [&](std::uint8_t* pixel, int i, int n) {
        pixel[0] = static_cast<std::uint8_t>(GradientChannel(b1, db, i, n));
        pixel[1] = static_cast<std::uint8_t>(GradientChannel(g1, dg, i, n));
        pixel[2] = static_cast<std::uint8_t>(GradientChannel(r1, dr, i, n));
    };
    if (Vertical) {
        for (int row = 0; row < height; ++row)
            put(Bitmap->ScanLine(row), row, height);
        if (width >= 2)
            Bitmap->Canvas()->CopyRect(Rect(0, 0, width, height), Bitmap->Canvas(),
                                       Rect(0, 0, 1, height));
    } else {
        std::uint8_t* first = Bitmap->ScanLine(0);
        for (int column = 0; column < width; ++column)
            put(first + 3 * column, column, width);
        for (int row = 1; row < height; ++row)
            std::memcpy(Bitmap->ScanLine(row), first, 3 * static_cast<std::size_t>(width));
    }
}

void GradRect(TCanvas* Canvas, const TRect& Rect, TColor First, TColor Second, bool Vertical) {
    Canvas->SetCopyMode(cmSrcCopy);
    // An inverted rectangle would give a strip of one row that the stretch mirrors into it.
    if (IsRectEmpty(Rect))
        return;
    auto strip = std::make_unique<TBitmap>();
    strip->SetPixelFormat(pf24bit);
    int height = Rect.Bottom - Rect.Top;
    if (Vertical)
        strip->SetSize(1, height);
    else
        strip->SetSize(Rect.Right - Rect.Left, height / 20 + 1);
    GradBitmap(strip.get(), First, Second, Vertical);
    Canvas->CopyRect(Rect, strip->Canvas(), ::Rect(0, 0, strip->Width(), strip->Height()));
}

TShadowLabel::TShadowLabel(TComponent* AOwner) : TLabel(AOwner) {
    FFlickerless = true;
    FGradationColor = clBlue;
    FHighlight = std::make_unique<TShadow>();
    FTextGradationColor = clMaroon;
    FTextMidColor = clNavy;
    // Set before the handler is attached, so nothing repaints yet.
    FHighlight->SetShadowColor(clWhite);
    FHighlight->SetShadowLeft(-1);
    FHighlight->SetShadowTop(-1);
    FHighlight->SetOnChange(Bind(this, &TShadowLabel::ShadowChanged));
    FShadow = std::make_unique<TShadow>();
    FShadow->SetOnChange(Bind(this, &TShadowLabel::ShadowChanged));
}

TShadowLabel::~TShadowLabel() {
    FHighlight.reset();
    FShadow.reset();
}

void TShadowLabel::SetEllipsis(TEllipsis Value) {
    if (FEllipsis != Value) {
        FEllipsis = Value;
        Invalidate();
    }
}

void TShadowLabel::SetGradateVert(bool Value) {
    if (FGradateVert != Value) {
        FGradateVert = Value;
        Invalidate();
    }
}

void TShadowLabel::SetGradation(bool Value) {
    if (FGradation != Value) {
        FGradation = Value;
        Invalidate();
    }
}

void TShadowLabel::SetGradationColor(TColor Value) {
    if (FGradationColor != Value) {
        FGradationColor = Value;
        Invalidate();
    }
}

void TShadowLabel::SetHighlight(TShadow* Value) {
    if (Value == nullptr)
        return;
    FHighlight->Assign(Value);
    Invalidate();
}

void TShadowLabel::SetShadow(TShadow* Value) {
    if (Value == nullptr)
        return;
    FShadow->Assign(Value);
    Invalidate();
}

void TShadowLabel::SetTextGradation(TTextGradation Value) {
    if (FTextGradation != Value) {
        FTextGradation = Value;
        Invalidate();
    }
}

void TShadowLabel::SetTextGradationColor(TColor Value) {
    if (FTextGradationColor == Value)
        return;
    FTextGradationColor = Value;
    if (FTextGradation != tgNone)
        Invalidate();
}

void TShadowLabel::SetTextMidColor(TColor Value) {
    if (FTextMidColor == Value)
        return;
    FTextMidColor = Value;
    if (FTextGradation == tg3Colors)
        Invalidate();
}

void TShadowLabel::ShadowChanged(TObject*) {
    Invalidate();
}

namespace {

constexpr unsigned AlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
constexpr unsigned EllipsisFlags[] = {0, DT_END_ELLIPSIS, DT_PATH_ELLIPSIS};

void DrawIn(TCanvas* Canvas, const char* Text, int Length, TRect Box, unsigned Flags,
            TColor Color) {
    Canvas->Font()->SetColor(Color);
    DrawText(Canvas->Handle(), Text, Length, &Box, Flags);
}

} // namespace

void TShadowLabel::Paint() {
    AnsiString text = GetLabelText();
    if (text.empty() || (ShowAccelChar() && text == "&"))
        text += ' ';
    unsigned flags = AlignmentFlags[Alignment()] | DT_EXPANDTABS | EllipsisFlags[FEllipsis];
    if (WordWrap())
        flags |= DT_WORDBREAK;
    if (!ShowAccelChar())
        flags |= DT_NOPREFIX;

    const TRect client = ClientRect();
    std::unique_ptr<TBitmap> offscreen;
    TCanvas* canvas = Canvas();
    if (FFlickerless && !Transparent()) {
        offscreen = std::make_unique<TBitmap>();
        offscreen->SetPixelFormat(pf24bit);
        offscreen->SetSize(ClientWidth(), ClientHeight());
        canvas = offscreen->Canvas();
    }

    if (!Transparent()) {
        if (!FGradation) {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(client);
        } else if (FFlickerless) {
            GradBitmap(offscreen.get(), FGradationColor, Color(), FGradateVert);
        } else {
            GradRect(Canvas(), client, FGradationColor, Color(), FGradateVert);
        }
    }

    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);

    const int length = static_cast<int>(text.size());
    TRect measured = client;
    DrawTextEx(canvas->Handle(), text.c_str(), length, &measured, flags | DT_CALCRECT, nullptr);
    const int textHeight = measured.Bottom - measured.Top;

    TRect textRect = client;
    if (Layout() == tlCenter)
        OffsetRect(textRect, 0, (Height() - textHeight) / 2);
    else if (Layout() == tlBottom)
        OffsetRect(textRect, 0, Height() - textHeight);
    TRect shadowRect = textRect;
    OffsetRect(shadowRect, FShadow->OffsetLeft(), FShadow->OffsetTop());
    TRect highlightRect = textRect;
    OffsetRect(highlightRect, FHighlight->OffsetLeft(), FHighlight->OffsetTop());

    const bool enabled = Enabled();
    const TColor shadowColor = enabled ? FShadow->Color() : clGray;
    const TColor highlightColor = enabled ? FHighlight->Color() : clBtnHighlight;
    const TColor textColor = enabled ? Font()->Color() : clBtnShadow;

    if (FShadow->Visible())
        DrawIn(canvas, text.c_str(), length, shadowRect, flags, shadowColor);
    if (FHighlight->Visible())
        DrawIn(canvas, text.c_str(), length, highlightRect, flags, highlightColor);

    if (FTextGradation != tgNone && CharCount(text) > 1) {
        int x = textRect.Left;
        const TColor start = Font()->Color();
        if (FTextGradation == tg2Colors || CharCount(text) == 2) {
            GradText(canvas, textRect, x, start, FTextGradationColor, text, flags);
        } else {
            // Split in the middle, never inside a character.
            std::size_t split = CharEndOffset(text.data(), text.size(), text.size() / 2);
            AnsiString first = text.substr(0, split);
            AnsiString rest = text.substr(split);
            GradText(canvas, textRect, x, start, FTextMidColor, first, flags);
            if (CharCount(rest) == 1)
                GradText(canvas, textRect, x, FTextGradationColor, FTextGradationColor, rest,
                         flags);
            else
                GradText(canvas, textRect, x, FTextMidColor, FTextGradationColor, rest, flags);
        }
    } else {
        DrawIn(canvas, text.c_str(), length, textRect, flags, textColor);
    }

    if (offscreen) {
        Canvas()->SetCopyMode(cmSrcCopy);
        Canvas()->CopyRect(client, offscreen->Canvas(), client);
    }
}

void TShadowLabel::GradText(TCanvas* Canvas, const TRect& TextRect, int& X, TColor Start,
                            TColor End, const AnsiString& Piece, unsigned Flags) {
    const std::size_t n = CharCount(Piece);
    if (n == 1) {
        // The box runs to the right edge; the alignment must not move the character there.
        DrawIn(Canvas, Piece.c_str(), static_cast<int>(Piece.size()),
               Rect(X, TextRect.Top, TextRect.Right, TextRect.Bottom),
               Flags & ~(DT_CENTER | DT_RIGHT), Start);
        X += Canvas->TextWidth(Piece);
        return;
    }
    TEXTMETRIC metrics;
    GetTextMetrics(Canvas->Handle(), &metrics);
    std::uint8_t r1, g1, b1, r2, g2, b2;
    GetRGB(Start, r1, g1, b1);
    GetRGB(End, r2, g2, b2);
    const int count = static_cast<int>(n);
    std::size_t offset = 0;
    for (int k = 0; k < count; ++k) {
        std::size_t next = NextCharOffset(Piece.data(), Piece.size(), offset);
        AnsiString character = Piece.substr(offset, next - offset);
        offset = next;
        const TColor color = RGB(static_cast<std::uint8_t>(GradientChannel(r1, r2 - r1, k, count)),
                                 static_cast<std::uint8_t>(GradientChannel(g1, g2 - g1, k, count)),
                                 static_cast<std::uint8_t>(GradientChannel(b1, b2 - b1, k, count)));
        TRect box = Rect(X, TextRect.Top, X + Canvas->TextWidth(character) - metrics.tmOverhang,
                         TextRect.Bottom);
        DrawIn(Canvas, character.c_str(), static_cast<int>(character.size()), box, Flags, color);
        X = box.Right;
    }
}

void RegisterShadowLabel() {
    static const bool registered = [] {
        RegisterStockClasses();
        static const TEnumInfo EllipsisInfo{
            {{"elNone", elNone}, {"elEnd", elEnd}, {"elPath", elPath}}};
        static const TEnumInfo TextGradationInfo{
            {{"tgNone", tgNone}, {"tg2Colors", tg2Colors}, {"tg3Colors", tg3Colors}}};
        RegisterClass<TShadow>("TShadow", "")
            .Property("Visible", &TShadow::Visible, &TShadow::SetShadowVisible, true)
            .Property("Color", &TShadow::Color, &TShadow::SetShadowColor, clSilver)
            .Property("OffsetLeft", &TShadow::OffsetLeft, &TShadow::SetShadowLeft, 1)
            .Property("OffsetTop", &TShadow::OffsetTop, &TShadow::SetShadowTop, 1);
        RegisterClass<TShadowLabel>("TShadowLabel", "TLabel")
            .Enum("Ellipsis", &TShadowLabel::Ellipsis, &TShadowLabel::SetEllipsis, EllipsisInfo)
            .Property("Flickerless", &TShadowLabel::Flickerless, &TShadowLabel::SetFlickerless,
                      true)
            .Property("GradateVert", &TShadowLabel::GradateVert, &TShadowLabel::SetGradateVert)
            .Property("Gradation", &TShadowLabel::Gradation, &TShadowLabel::SetGradation)
            .Property("GradationColor", &TShadowLabel::GradationColor,
                      &TShadowLabel::SetGradationColor, clBlue)
            .Object("Highlight", &TShadowLabel::Highlight)
            .Object("Shadow", &TShadowLabel::Shadow)
            .Enum("TextGradation", &TShadowLabel::TextGradation, &TShadowLabel::SetTextGradation,
                  TextGradationInfo)
            .Property("TextGradationColor", &TShadowLabel::TextGradationColor,
                      &TShadowLabel::SetTextGradationColor, clMaroon)
            .Property("TextMidColor", &TShadowLabel::TextMidColor, &TShadowLabel::SetTextMidColor,
                      clNavy);
        return true;
    }();
    (void)registered;
}
