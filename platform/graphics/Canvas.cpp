#include "platform/graphics/Canvas.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/PixelRow.h"
#include "platform/graphics/TextDraw.h"
#include "platform/graphics/TextEngine.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Coordinates are kept within this bound, so sums and the scaling products stay exact.
constexpr long long CoordLimit = 1LL << 29;

int Clamp(long long Value) {
    return static_cast<int>(std::clamp(Value, -CoordLimit, CoordLimit));
}

TRect ClampedRect(long long Left, long long Top, long long Right, long long Bottom) {
    return {Clamp(Left), Clamp(Top), Clamp(Right), Clamp(Bottom)};
}

constexpr TRect Unbounded{-static_cast<int>(CoordLimit), -static_cast<int>(CoordLimit),
                          static_cast<int>(CoordLimit), static_cast<int>(CoordLimit)};

// The binary raster operation of a pen mode: pen colour P over destination D.
inline TColor MixPen(TPenMode Mode, TColor P, TColor D) {
    switch (Mode) {
    case pmBlack:
        return clBlack;
    case pmWhite:
        return clWhite;
    case pmNop:
        return D;
    case pmNot:
        return ~D & 0xFFFFFF;
    case pmCopy:
        return P;
    case pmNotCopy:
        return ~P & 0xFFFFFF;
    case pmMerge:
        return P | D;
    case pmMask:
        return P & D;
    case pmXor:
        return P ^ D;
    }
    return P;
}

// A ternary raster operation's code: bit (P << 2 | S << 1 | D) of it is the result for those
// input bits, applied to every colour bit at once.
inline TColor Rop3(std::uint8_t Code, TColor P, TColor S, TColor D) {
    TColor r;
    switch (Code) {
    case 0x00:
        r = 0;
        break;
    case 0xFF:
        r = 0xFFFFFF;
        break;
    case 0xCC:
        r = S;
        break;
    case 0x33:
        r = ~S;
        break;
    case 0xF0:
        r = P;
        break;
    case 0xAA:
        r = D;
        break;
    case 0x55:
        r = ~D;
        break;
    case 0x66:
        r = S ^ D;
        break;
    case 0x88:
        r = S & D;
        break;
    case 0xEE:
        r = S | D;
        break;
    case 0x5A:
        r = P ^ D;
        break;
    case 0xB8:
        r = (S & D) | (~S & P);
        break;
    case 0xE2:
        r = (S & P) | (~S & D);
        break;
    default:
        r = 0;
        for (int i = 0; i < 8; ++i) {
            if ((Code & (1 << i)) != 0)
                r |= ((i & 4) != 0 ? P : ~P) & ((i & 2) != 0 ? S : ~S) & ((i & 1) != 0 ? D : ~D);
        }
        break;
    }
    return r & 0xFFFFFF;
}

constexpr std::uint8_t RopCode(TCopyMode Rop) {
    return (Rop >> 16) & 0xFF;
}
constexpr bool RopUsesSource(std::uint8_t Code) {
    return ((Code >> 2) & 0x33) != (Code & 0x33);
}
constexpr bool RopUsesDest(std::uint8_t Code) {
    return ((Code >> 1) & 0x55) != (Code & 0x55);
}

struct TRaster {
    const std::uint8_t* Source; // null when the operation reads no source
    int SourceStride;
    TBitmap* Dest;
    TRect Span; // target pixels written, already clipped
    const std::vector<int>& Rows;
    const std::vector<int>& Cols; // source row and column of each span pixel; -1: none
    std::uint8_t Code;
    TColor Pattern, Zero, One, Skip;
    bool Contiguous; // columns map one to one onto consecutive source columns
};

template <TRowLayout SL, TRowLayout DL> void RunRaster(const TRaster& R) {
    constexpr int PixelSize = DL == TRowLayout::Bgr24 ? 3 : 4;
    const bool usesDest = RopUsesDest(R.Code);
    const bool plainCopy =
        SL == DL && SL != TRowLayout::Mono && R.Code == 0xCC && R.Skip == clNone && R.Contiguous;
    const int width = R.Span.Width();
    for (int j = 0; j < R.Span.Height(); ++j) {
        int sy = R.Rows[j];
        if (sy < 0)
            continue;
        std::uint8_t* dest = R.Dest->ScanLine(R.Span.Top + j);
        const std::uint8_t* source = R.Source != nullptr
                                         ? R.Source + static_cast<std::size_t>(sy) * R.SourceStride
                                         : nullptr;
        if (plainCopy) {
            std::memcpy(dest + R.Span.Left * PixelSize, source + R.Cols[0] * PixelSize,
                        static_cast<std::size_t>(width) * PixelSize);
            continue;
        }
        for (int i = 0; i < width; ++i) {
            int sx = R.Cols[i];
            if (sx < 0)
                continue;
            TColor s = 0;
            if (source != nullptr) {
                s = ReadPixel<SL>(source, sx);
                if constexpr (SL == TRowLayout::Mono)
                    s = s != clBlack ? R.One : R.Zero;
                if (s == R.Skip)
                    continue;
            }
            int dx = R.Span.Left + i;
            TColor d = usesDest ? ReadPixel<DL>(dest, dx) : 0;
            WritePixel<DL>(dest, dx, Rop3(R.Code, R.Pattern, s, d));
        }
    }
}

// Nearest neighbour: span pixel k of a destination run of DestLength takes source pixel
// (2k + 1) * SourceLength / (2 * DestLength), the source pixel under its centre.
std::vector<int> SampleMap(int SpanStart, int SpanLength, long long DestStart, long long DestLength,
                           long long SourceStart, long long SourceLength, bool Flip,
                           int SourceLimit) {
    std::vector<int> map(SpanLength);
    for (int i = 0; i < SpanLength; ++i) {
        long long k = SpanStart + i - DestStart;
        long long index = (2 * k + 1) * SourceLength / (2 * DestLength);
        if (Flip)
            index = SourceLength - 1 - index;
        long long s = SourceStart + index;
        map[i] = s < 0 || s >= SourceLimit ? -1 : static_cast<int>(s);
    }
    return map;
}

// Dash patterns of one-pixel pens: lengths of on and off runs, alternating. Every pattern's
// period divides DashPeriod.
constexpr int DashPeriod = 24;

struct TDashPattern {
    int Count;
    int Runs[6];
};

const TDashPattern* DashPattern(TPenStyle Style) {
    static constexpr TDashPattern dash{2, {18, 6}};
    static constexpr TDashPattern dot{2, {3, 3}};
    static constexpr TDashPattern dashDot{4, {9, 6, 3, 6}};
    static constexpr TDashPattern dashDotDot{6, {9, 3, 3, 3, 3, 3}};
    switch (Style) {
    case psDash:
        return &dash;
    case psDot:
        return &dot;
    case psDashDot:
        return &dashDot;
    case psDashDotDot:
        return &dashDotDot;
    case psSolid:
    case psClear:
    case psInsideFrame:
        break;
    }
    return nullptr;
}

bool DashOn(const TDashPattern* Pattern, long long Step) {
    if (Pattern == nullptr)
        return true;
    int period = 0;
    for (int i = 0; i < Pattern->Count; ++i)
        period += Pattern->Runs[i];
    long long at = Step % period;
    for (int i = 0; i < Pattern->Count; ++i) {
        if (at < Pattern->Runs[i])
            return i % 2 == 0;
        at -= Pattern->Runs[i];
    }
    return true;
}

} // namespace

// ---- TPen ----

void TPen::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TPen*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FColor = source->FColor;
    FWidth = source->FWidth;
    FStyle = source->FStyle;
    FMode = source->FMode;
    Changed();
}

void TPen::SetColor(TColor Value) {
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value) {
    if (Value == FWidth)
        return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value) {
    if (Value == FStyle)
        return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value) {
    if (Value == FMode)
        return;
    FMode = Value;
    Changed();
}

void TPen::Changed() {
    if (FOnChange)
        FOnChange(this);
}

// ---- TBrush ----

void TBrush::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TBrush*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FColor = source->FColor;
    FStyle = source->FStyle;
    Changed();
}

void TBrush::SetColor(TColor Value) {
    if (Value == FColor && FStyle != bsClear)
        return;
    FColor = Value;
    FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
    if (Value == FStyle)
        return;
    FStyle = Value;
    Changed();
}

void TBrush::Changed() {
    if (FOnChange)
        FOnChange(this);
}

// ---- TCanvas ----

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()) {
    FState.Clip = Unbounded;
}

TCanvas::TCanvas(TBitmap* Target) : TCanvas() {
    FTarget = Target;
}

TCanvas::~TCanvas() = default;

void TCanvas::SetTarget(TBitmap* Value) {
    FTarget = Value;
    FState = TState{{}, Unbounded};
    FSaved.clear();
}

void TCanvas::SetFont(TFont* Value) {
    if (Value != nullptr)
        FFont->Assign(Value);
}

void TCanvas::SetPen(TPen* Value) {
    if (Value != nullptr)
        FPen->Assign(Value);
}

void TCanvas::SetBrush(TBrush* Value) {
    if (Value != nullptr)
        FBrush->Assign(Value);
}

void TCanvas::SaveState() {
    FSaved.push_back(FState);
}

void TCanvas::RestoreState() {
    if (FSaved.empty())
        return;
    FState = FSaved.back();
    FSaved.pop_back();
}

void TCanvas::MoveOrigin(int DX, int DY) {
    FState.Origin.X = Clamp(static_cast<long long>(FState.Origin.X) + DX);
    FState.Origin.Y = Clamp(static_cast<long long>(FState.Origin.Y) + DY);
}

TPoint TCanvas::Origin() const {
    return FState.Origin;
}

void TCanvas::IntersectClip(const TRect& R) {
    FState.Clip = IntersectRect(FState.Clip, ToDevice(R));
}

TRect TCanvas::ClipRect() const {
    TRect clip = DeviceClip();
    if (IsRectEmpty(clip))
        return {};
    OffsetRect(clip, -FState.Origin.X, -FState.Origin.Y);
    return clip;
}

TRect TCanvas::DeviceClip() const {
    if (FTarget == nullptr)
        return {};
    return IntersectRect(FState.Clip, Rect(0, 0, FTarget->Width(), FTarget->Height()));
}

TRect TCanvas::ToDevice(const TRect& R) const {
    long long x = FState.Origin.X;
    long long y = FState.Origin.Y;
    return ClampedRect(R.Left + x, R.Top + y, R.Right + x, R.Bottom + y);
}

TColor TCanvas::Pixels(int X, int Y) const {
    TPoint p{Clamp(static_cast<long long>(X) + FState.Origin.X),
             Clamp(static_cast<long long>(Y) + FState.Origin.Y)};
    if (!PtInRect(DeviceClip(), p))
        return clNone;
    return FTarget->GetPixel(p.X, p.Y);
}

void TCanvas::SetPixels(int X, int Y, TColor Color) {
    TPoint p{Clamp(static_cast<long long>(X) + FState.Origin.X),
             Clamp(static_cast<long long>(Y) + FState.Origin.Y)};
    if (!PtInRect(DeviceClip(), p))
        return;
    FTarget->SetPixel(p.X, p.Y, ColorToRGB(Color));
    Changed();
}

void TCanvas::FillDevice(const TRect& R, TColor Color, TPenMode Mode) {
    TRect r = IntersectRect(R, DeviceClip());
    if (IsRectEmpty(r))
        return;
    Color &= 0xFFFFFF;
    WithRowLayout(FTarget->PixelFormat(), [&](auto layout) {
        constexpr TRowLayout L = decltype(layout)::value;
        for (int y = r.Top; y < r.Bottom; ++y) {
            std::uint8_t* row = FTarget->ScanLine(y);
            if (Mode == pmCopy) {
                for (int x = r.Left; x < r.Right; ++x)
                    WritePixel<L>(row, x, Color);
            } else {
                for (int x = r.Left; x < r.Right; ++x)
                    WritePixel<L>(row, x, MixPen(Mode, Color, ReadPixel<L>(row, x)));
            }
        }
    });
}

void TCanvas::FillRect(const TRect& R) {
    if (FBrush->Style() != bsClear)
        FillDevice(ToDevice(R), ColorToRGB(FBrush->Color()), pmCopy);
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    if (X1 > X2)
        std::swap(X1, X2);
    if (Y1 > Y2)
        std::swap(Y1, Y2);
    TRect r = ToDevice(Rect(X1, Y1, X2, Y2));
    TPenMode mode = FPen->Mode();
    bool brush = FBrush->Style() != bsClear;
    TColor brushColor = ColorToRGB(FBrush->Color());
    if (FPen->Style() == psClear) {
        // Without an outline the shape ends one pixel short on the right and bottom.
        if (brush)
            FillDevice(Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), brushColor, mode);
        Changed();
        return;
    }
    int w = std::max(FPen->Width(), 1);
    TRect outer = r;
    if (w > 1 && FPen->Style() != psInsideFrame)
        outer = ClampedRect(r.Left - (w - 1) / 2, r.Top - (w - 1) / 2,
                            static_cast<long long>(r.Right) + w / 2,
                            static_cast<long long>(r.Bottom) + w / 2);
    if (brush)
        FillDevice(Rect(outer.Left + w, outer.Top + w, outer.Right - w, outer.Bottom - w),
                   brushColor, mode);
    TColor penColor = ColorToRGB(FPen->Color());
    if (w == 1 && DashPattern(FPen->Style()) != nullptr) {
        int dash = 0;
        int right = outer.Right - 1;
        int bottom = outer.Bottom - 1;
        LineDevice(outer.Left, outer.Top, right, outer.Top, dash);
        LineDevice(right, outer.Top, right, bottom, dash);
        LineDevice(right, bottom, outer.Left, bottom, dash);
        LineDevice(outer.Left, bottom, outer.Left, outer.Top, dash);
    } else {
        // Four bands that never overlap, so an xor outline stays an outline.
        int innerTop = std::min(outer.Top + w, outer.Bottom);
        int innerBottom = std::max(outer.Bottom - w, innerTop);
        int innerLeft = std::min(outer.Left + w, outer.Right);
        int innerRight = std::max(outer.Right - w, innerLeft);
        FillDevice(Rect(outer.Left, outer.Top, outer.Right, innerTop), penColor, mode);
        FillDevice(Rect(outer.Left, innerBottom, outer.Right, outer.Bottom), penColor, mode);
        FillDevice(Rect(outer.Left, innerTop, innerLeft, innerBottom), penColor, mode);
        FillDevice(Rect(innerRight, innerTop, outer.Right, innerBottom), penColor, mode);
    }
    Changed();
}

void TCanvas::MoveTo(int X, int Y) {
    FPenPos = {X, Y};
}

void TCanvas::LineTo(int X, int Y) {
    int dash = 0;
    LineDevice(static_cast<long long>(FPenPos.X) + FState.Origin.X,
               static_cast<long long>(FPenPos.Y) + FState.Origin.Y,
               static_cast<long long>(X) + FState.Origin.X,
               static_cast<long long>(Y) + FState.Origin.Y, dash);
    FPenPos = {X, Y};
    Changed();
}

void TCanvas::LineDevice(long long X1, long long Y1, long long X2, long long Y2, int& Dash) {
    long long dx = X2 - X1;
    long long dy = Y2 - Y1;
    bool xMajor = std::llabs(dx) >= std::llabs(dy);
    long long major = xMajor ? std::llabs(dx) : std::llabs(dy);
    long long minor = xMajor ? std::llabs(dy) : std::llabs(dx);
    int stepMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
    int stepMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
    int startDash = Dash;
    Dash = static_cast<int>((Dash + major) % DashPeriod);
    TRect clip = DeviceClip();
    if (FPen->Style() == psClear || major == 0 || IsRectEmpty(clip))
        return;

    int w = std::max(FPen->Width(), 1);
    // Only the steps whose major coordinate can touch the clip are visited.
    long long m0 = xMajor ? X1 : Y1;
    long long lo = (xMajor ? clip.Left : clip.Top) - w;
    long long hi = (xMajor ? clip.Right : clip.Bottom) + w;
    long long first = stepMajor > 0 ? lo - m0 : m0 - hi + 1;
    long long last = stepMajor > 0 ? hi - m0 : m0 - lo + 1;
    first = std::max(first, 0LL);
    last = std::min(last, major);

    const TDashPattern* pattern = DashPattern(FPen->Style());
    TColor color = ColorToRGB(FPen->Color()) & 0xFFFFFF;
    TPenMode mode = FPen->Mode();
    WithRowLayout(FTarget->PixelFormat(), [&](auto layout) {
        constexpr TRowLayout L = decltype(layout)::value;
        for (long long i = first; i < last; ++i) {
            if (!DashOn(pattern, startDash + i))
                continue;
            long long along = m0 + i * stepMajor;
            // The pixel nearest the ideal line; a tie goes back toward the start.
            long long across =
                (xMajor ? Y1 : X1) + stepMinor * ((2 * i * minor + major - 1) / (2 * major));
            long long x = xMajor ? along : across;
            long long y = xMajor ? across : along;
            if (w > 1) {
                FillDevice(ClampedRect(x - w / 2, y - w / 2, x - w / 2 + w, y - w / 2 + w), color,
                           mode);
                continue;
            }
            if (x < clip.Left || x >= clip.Right || y < clip.Top || y >= clip.Bottom)
                continue;
            std::uint8_t* row = FTarget->ScanLine(static_cast<int>(y));
            int px = static_cast<int>(x);
            WritePixel<L>(row, px, MixPen(mode, color, ReadPixel<L>(row, px)));
        }
    });
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) {
    if (Source == nullptr || Source->Target() == nullptr)
        return;
    TRect source = Source->ToDevice(SourceRect);
    StretchBitmap(Dest, Source->Target(), source, FCopyMode, ColorToRGB(FTextColor),
                  ColorToRGB(FBkColor), clNone);
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
    if (Graphic == nullptr || Graphic->Empty())
        return;
    Graphic->Draw(this, ClampedRect(X, Y, static_cast<long long>(X) + Graphic->Width(),
                                    static_cast<long long>(Y) + Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
    if (Graphic == nullptr || Graphic->Empty())
        return;
    Graphic->Draw(this, Rect);
}

void TCanvas::StretchBitmap(const TRect& Dest, const TBitmap* Source, const TRect& SourceRect,
                            TCopyMode Rop, TColor Zero, TColor One, TColor Skip) {
    std::uint8_t code = RopCode(Rop);
    bool usesSource = RopUsesSource(code);
    if (FTarget == nullptr || (usesSource && (Source == nullptr || Source->Empty())))
        return;
    TRect d = ToDevice(Dest);
    TRect s = ClampedRect(SourceRect.Left, SourceRect.Top, SourceRect.Right, SourceRect.Bottom);
    long long dw = d.Width(), dh = d.Height();
    long long sw = usesSource ? s.Width() : dw;
    long long sh = usesSource ? s.Height() : dh;
    TRect span =
        IntersectRect(DeviceClip(), Rect(std::min(d.Left, d.Right), std::min(d.Top, d.Bottom),
                                         std::max(d.Left, d.Right), std::max(d.Top, d.Bottom)));
    if (sw == 0 || sh == 0 || IsRectEmpty(span)) {
        Changed();
        return;
    }
    bool flipX = (dw < 0) != (sw < 0);
    bool flipY = (dh < 0) != (sh < 0);
    int sourceWidth = usesSource ? Source->Width() : 1;
    int sourceHeight = usesSource ? Source->Height() : 1;
    std::vector<int> cols =
        usesSource ? SampleMap(span.Left, span.Width(), std::min(d.Left, d.Right), std::llabs(dw),
                               std::min(s.Left, s.Right), std::llabs(sw), flipX, sourceWidth)
                   : std::vector<int>(span.Width(), 0);
    std::vector<int> rows =
        usesSource ? SampleMap(span.Top, span.Height(), std::min(d.Top, d.Bottom), std::llabs(dh),
                               std::min(s.Top, s.Bottom), std::llabs(sh), flipY, sourceHeight)
                   : std::vector<int>(span.Height(), 0);
    bool contiguous = cols.front() >= 0;
    for (std::size_t i = 1; contiguous && i < cols.size(); ++i)
        contiguous = cols[i] == cols[0] + static_cast<int>(i);

    const std::uint8_t* source = nullptr;
    int sourceStride = 0;
    std::vector<std::uint8_t> copy;
    if (usesSource) {
        sourceStride = Source->BytesPerLine();
        source = Source->ScanLine(0);
        if (Source == FTarget) {
            // Copying within one bitmap reads what was there before the copy.
            copy.assign(source, source + static_cast<std::size_t>(sourceStride) * sourceHeight);
            source = copy.data();
        }
    }
    TRaster raster{source,
                   sourceStride,
                   FTarget,
                   span,
                   rows,
                   cols,
                   code,
                   ColorToRGB(FBrush->Color()) & 0xFFFFFF,
                   Zero & 0xFFFFFF,
                   One & 0xFFFFFF,
                   Skip,
                   contiguous};
    WithRowLayout(FTarget->PixelFormat(), [&](auto dl) {
        constexpr TRowLayout DL = decltype(dl)::value;
        if (!usesSource) {
            RunRaster<DL, DL>(raster);
            return;
        }
        WithRowLayout(Source->PixelFormat(),
                      [&](auto sl) { RunRaster<decltype(sl)::value, DL>(raster); });
    });
    Changed();
}

void TCanvas::TextOut(int X, int Y, const AnsiString& Text) {
    TTextFace& face = FaceForFont(*FFont);
    int width = RunWidth(face, Text);
    TTextTarget target{FTarget, FState.Origin, DeviceClip()};
    // A solid brush fills the text cell first, as an opaque background.
    if (FBrush->Style() == bsSolid)
        FillTextRect(target, Bounds(X, Y, width, face.Height()), ColorToRGB(FBrush->Color()));
    DrawRun(target, face, X, Y, Text, 0, ColorToRGB(FFont->Color()) & 0xFFFFFF, MonoQuality(*FFont),
            FFont->Style());
    FPenPos = {X + width, Y};
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text) {
    TTextFace& face = FaceForFont(*FFont);
    TTextTarget target{FTarget, FState.Origin, IntersectRect(DeviceClip(), ToDevice(Rect))};
    if (FBrush->Style() == bsSolid)
        FillTextRect(target, Rect, ColorToRGB(FBrush->Color()));
    DrawRun(target, face, X, Y, Text, 0, ColorToRGB(FFont->Color()) & 0xFFFFFF, MonoQuality(*FFont),
            FFont->Style());
    Changed();
}

int TCanvas::TextWidth(const AnsiString& Text) {
    return GetTextExtent(Handle(), Text.data(), static_cast<int>(Text.size())).X;
}

int TCanvas::TextHeight(const AnsiString& Text) {
    return GetTextExtent(Handle(), Text.data(), static_cast<int>(Text.size())).Y;
}

void TCanvas::Changed() {
    if (FOnChange)
        FOnChange(this);
}

// ---- Device-context functions ----

bool StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int XSrc, int YSrc,
                int SrcWidth, int SrcHeight, TCopyMode Rop) {
    if (Dest == nullptr || Dest->Target() == nullptr)
        return false;
    const TBitmap* source = nullptr;
    TRect sourceRect;
    if (RopUsesSource(RopCode(Rop))) {
        if (Source == nullptr || Source->Target() == nullptr)
            return false;
        source = Source->Target();
        TPoint o = Source->Origin();
        long long x = static_cast<long long>(XSrc) + o.X;
        long long y = static_cast<long long>(YSrc) + o.Y;
        sourceRect = ClampedRect(x, y, x + SrcWidth, y + SrcHeight);
    }
    Dest->StretchBitmap(
        ClampedRect(X, Y, static_cast<long long>(X) + Width, static_cast<long long>(Y) + Height),
        source, sourceRect, Rop, ColorToRGB(Dest->TextColor()), ColorToRGB(Dest->BkColor()),
        clNone);
    return true;
}

bool BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int XSrc, int YSrc,
            TCopyMode Rop) {
    return StretchBlt(Dest, X, Y, Width, Height, Source, XSrc, YSrc, Width, Height, Rop);
}

TColor SetTextColor(HDC DC, TColor Color) {
    if (DC == nullptr)
        return clNone;
    TColor old = DC->TextColor();
    DC->SetTextColor(Color);
    return old;
}

TColor SetBkColor(HDC DC, TColor Color) {
    if (DC == nullptr)
        return clNone;
    TColor old = DC->BkColor();
    DC->SetBkColor(Color);
    return old;
}
