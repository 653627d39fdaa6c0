#include "controls/ShineSpdBtn.h"

#include "platform/base/MultiByte.h"
#include "platform/base/Registry.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/TextDraw.h"
#include "platform/ui/UiClasses.h"
#include "platform/ui/WinControl.h"

#include <algorithm>
#include <vector>

namespace {

constexpr unsigned ActiveTimerInterval = 200;
// Where a stencil bit is set the brush is painted, elsewhere the canvas stays: DSPDxax.
constexpr TCopyMode EtchRop = 0x00E20746;

// A 32-bit row pixel, read and written as a little-endian word 0x00RRGGBB.
std::uint32_t ReadPixel32(const std::uint8_t* Row, int X) {
    const std::uint8_t* p = Row + X * 4;
    return p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
}

void WritePixel32(std::uint8_t* Row, int X, std::uint32_t Pixel) {
    std::uint8_t* p = Row + X * 4;
    p[0] = Pixel & 0xFF;
    p[1] = (Pixel >> 8) & 0xFF;
    p[2] = (Pixel >> 16) & 0xFF;
    p[3] = 0;
}

int Channel(std::uint32_t Pixel, int Shift) {
    return static_cast<int>((Pixel >> Shift) & 0xFF);
}

// Applies Rule to each of red, green and blue of a pixel.
template <class F> std::uint32_t PerChannel(std::uint32_t Pixel, F Rule) {
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        result |= static_cast<std::uint32_t>(Rule(Channel(Pixel, shift), shift) & 0xFF) << shift;
    return result;
}

// The glyph's pixels, low 24 bits, row after row: rules that look at neighbours judge on
// these, never on what they already painted.
class TGlyphPixels {
public:
    explicit TGlyphPixels(const TBitmap& Glyph)
        : FWidth(Glyph.Width()), FHeight(Glyph.Height()),
          FPixels(static_cast<std::size_t>(FWidth) * FHeight) {
        for (int y = 0; y < FHeight; ++y) {
            const std::uint8_t* row = Glyph.ScanLine(y);
            for (int x = 0; x < FWidth; ++x)
                FPixels[static_cast<std::size_t>(y) * FWidth + x] = ReadPixel32(row, x);
        }
    }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    std::uint32_t At(int X, int Y) const {
        return FPixels[static_cast<std::size_t>(Y) * FWidth + X];
    }
    bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight; }
    // The bottom-left colour stands for transparency.
    std::uint32_t Transparent() const { return At(0, FHeight - 1); }
    bool Opaque(int X, int Y) const { return Inside(X, Y) && At(X, Y) != Transparent(); }

private:
    int FWidth;
    int FHeight;
    std::vector<std::uint32_t> FPixels;
};

// Each opaque pixel of Image through Rule.
template <class F> void MapOpaque(TBitmap& Image, const TGlyphPixels& Glyph, F Rule) {
    for (int y = 0; y < Glyph.Height(); ++y) {
        std::uint8_t* row = Image.ScanLine(y);
        for (int x = 0; x < Glyph.Width(); ++x)
            if (Glyph.Opaque(x, y))
                WritePixel32(row, x, Rule(Glyph.At(x, y)));
    }
}

// The transparent pixels at city-block distance 1 (and 2 when Wide) from an opaque pixel
// become Shine.
void Outline(TBitmap& Image, const TGlyphPixels& Glyph, bool Wide, std::uint32_t Shine) {
    const int dx[] = {-1, 1, 0, 0};
    const int dy[] = {0, 0, -1, 1};
    auto nearOpaque = [&](int x, int y) {
        for (int i = 0; i < 4; ++i)
            if (Glyph.Opaque(x + dx[i], y + dy[i]))
                return true;
        return false;
    };
    for (int y = 0; y < Glyph.Height(); ++y) {
        std::uint8_t* row = Image.ScanLine(y);
        for (int x = 0; x < Glyph.Width(); ++x) {
            if (Glyph.Opaque(x, y))
                continue;
            bool paint = nearOpaque(x, y);
            for (int i = 0; Wide && !paint && i < 4; ++i) {
                int nx = x + dx[i];
                int ny = y + dy[i];
                paint = Glyph.Inside(nx, ny) && !Glyph.Opaque(nx, ny) && nearOpaque(nx, ny);
            }
            if (paint)
                WritePixel32(row, x, Shine);
        }
    }
}

// Marks every other pixel with one counter over the whole picture, which steps once more per
// row when the height is even; marked opaque pixels become Mark.
void AlternatePixels(TBitmap& Image, const TGlyphPixels& Glyph, std::uint32_t Mark) {
    unsigned n = 0;
    bool evenHeight = Glyph.Height() % 2 == 0;
    for (int y = 0; y < Glyph.Height(); ++y) {
        std::uint8_t* row = Image.ScanLine(y);
        for (int x = 0; x < Glyph.Width(); ++x) {
            if (Glyph.Opaque(x, y) && n % 2 == 1)
                WritePixel32(row, x, Mark);
            ++n;
        }
        if (evenHeight)
            ++n;
    }
}

// White where a 2 by 2 block of the glyph changes colour across a diagonal, black elsewhere,
// then one bit per pixel.
void EdgeStencil(TBitmap& Image, const TGlyphPixels& Glyph) {
    TCanvas* canvas = Image.Canvas();
    canvas->Brush()->SetColor(clBlack);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(canvas->ClipRect());
    for (int y = 0; y + 1 < Glyph.Height(); ++y) {
        std::uint8_t* row = Image.ScanLine(y);
        for (int x = 0; x + 1 < Glyph.Width(); ++x)
            if (Glyph.At(x, y) != Glyph.At(x + 1, y + 1) ||
                Glyph.At(x + 1, y) != Glyph.At(x, y + 1))
                WritePixel32(row, x, 0xFFFFFF);
    }
    Image.SetMonochrome(true);
}

} // namespace

std::uint32_t ColorToPixel(TColor Color) {
    TColor rgb = ColorToRGB(Color);
    return static_cast<std::uint32_t>(GetRValue(rgb)) << 16 |
           static_cast<std::uint32_t>(GetGValue(rgb)) << 8 | GetBValue(rgb);
}

// --- TShineBtnColors ---------------------------------------------------------------------

TShineBtnColors::~TShineBtnColors() {
    FOnChange = nullptr;
}

void TShineBtnColors::Changed() {
    if (FOnChange)
        FOnChange(this);
}

template <class V> void TShineBtnColors::Store(V& Field, V Value) {
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TShineBtnColors::SetColor(TColor Value) {
    Store(FColor, Value);
}
void TShineBtnColors::SetHighlight(TColor Value) {
    Store(FHighlight, Value);
}
void TShineBtnColors::SetShadow(TColor Value) {
    Store(FShadow, Value);
}
void TShineBtnColors::SetDarkShadow(TColor Value) {
    Store(FDarkShadow, Value);
}
void TShineBtnColors::SetGradColor(TColor Value) {
    Store(FGradColor, Value);
}
void TShineBtnColors::SetGradVertical(bool Value) {
    Store(FGradVertical, Value);
}
void TShineBtnColors::SetGradation(bool Value) {
    Store(FGradation, Value);
}

void TShineBtnColors::CopyValues(const TShineBtnColors& Source) {
    FColor = Source.FColor;
    FHighlight = Source.FHighlight;
    FShadow = Source.FShadow;
    FDarkShadow = Source.FDarkShadow;
    FGradColor = Source.FGradColor;
    FGradVertical = Source.FGradVertical;
    FGradation = Source.FGradation;
}

void TShineBtnColors::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TShineBtnColors*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    CopyValues(*source);
    Changed();
}

void TShineBtnColors::AssignTo(TPersistent* Dest) {
    auto* dest = dynamic_cast<TShineBtnColors*>(Dest);
    if (dest == nullptr) {
        TPersistent::AssignTo(Dest);
        return;
    }
    dest->CopyValues(*this);
    dest->Changed();
}

// --- Layout ------------------------------------------------------------------------------

void TShineSpeedButton::CalcDrawPosition(TCanvas* Canvas, TPoint& GlyphPos, TRect& TextRect) {
    int cw = Width();
    int ch = Height();
    TRect measured = Rect(0, 0, cw, 0);
    const AnsiString& caption = Caption();
    DrawText(Canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &measured,
             DT_CALCRECT);
    int tw = measured.Right - measured.Left;
    int th = measured.Bottom - measured.Top;
    int gw = FGlyph->Width();
    int gh = FGlyph->Height();
    bool glyph = !FGlyph->Empty();
    bool text = !caption.empty();

    int w = 0;
    int h = 0;
    TPoint g;
    TPoint t;
    switch (FLayout) {
    case blGlyphLeft:
    case blGlyphRight:
        for (int part = 0; part < 2; ++part) {
            bool glyphNow = (part == 0) == (FLayout == blGlyphLeft);
            if (part == 1 && glyph && text)
                w += FSpacing;
            if (glyphNow) {
                g.X = w;
                if (glyph) {
                    w += gw;
                    h = std::max(h, gh);
                }
            } else {
                t.X = w;
                if (text) {
                    w += tw;
                    h = std::max(h, th);
                }
            }
        }
        if (glyph)
            g.Y = (h - gh) / 2;
        if (text)
            t.Y = (h - th) / 2;
        break;
    case blGlyphTop:
    case blGlyphBottom:
        for (int part = 0; part < 2; ++part) {
            bool glyphNow = (part == 0) == (FLayout == blGlyphTop);
            if (part == 1 && glyph && text)
                h += FSpacing;
            if (glyphNow) {
                g.Y = h;
                if (glyph) {
                    h += gh;
                    w = std::max(w, gw);
                }
            } else {
                t.Y = h;
                if (text) {
                    h += th;
                    w = std::max(w, tw);
                }
            }
        }
        if (glyph)
            g.X = (w - gw) / 2;
        if (text)
            t.X = (w - tw) / 2;
        break;
    }

    int dx = (cw - w) / 2;
    int dy = (ch - h) / 2;
    if (FMargin >= 0) {
        switch (FLayout) {
        case blGlyphLeft:
            dx = FMargin;
            break;
        case blGlyphRight:
            dx = cw - w - FMargin;
            break;
        case blGlyphTop:
            dy = FMargin;
            break;
        case blGlyphBottom:
            dy = ch - h - FMargin;
            break;
        }
    }
    GlyphPos = Point(dx + g.X, dy + g.Y);
    TextRect = Rect(dx + t.X, dy + t.Y, dx + t.X + tw, dy + t.Y + th);
}

// --- State glyphs ------------------------------------------------------------------------

std::unique_ptr<TBitmap> TShineSpeedButton::CreateStateGlyph() {
    if (FGlyph->Empty())
        return nullptr;
    TGlyphPixels glyph(*FGlyph);
    std::uint32_t k = glyph.Transparent();
    auto image = std::make_unique<TBitmap>();
    image->Assign(FGlyph.get());

    if (FState == sbsUpActive || FState == sbsDownActive) {
        std::uint32_t shine = ColorToPixel(FShineColor);
        auto withShine = [&](auto Rule) {
            MapOpaque(*image, glyph, [&](std::uint32_t c) {
                return PerChannel(c,
                                  [&](int v, int shift) { return Rule(v, Channel(shine, shift)); });
            });
        };
        switch (FActiveImage) {
        case aiNormal:
            break;
        case aiXorLight:
            withShine([](int c, int s) { return c ^ s; });
            break;
        case aiHalfLight:
            withShine([](int c, int s) { return (s + c) / 2; });
            break;
        case aiQuaterLight:
            withShine([](int c, int s) { return (3 * s + c) / 4; });
            break;
        case aiAddLight:
            withShine([](int c, int s) { return std::min(c + s, 255); });
            break;
        case aiFrameLight:
        case aiFrameLight2:
            Outline(*image, glyph, FActiveImage == aiFrameLight2, shine);
            break;
        case aiMaskLight:
            AlternatePixels(*image, glyph, shine);
            break;
        }
    } else if (FState == sbsDisabled) {
        std::uint32_t face = ColorToPixel(FColors->Color());
        auto withFace = [&](auto Rule) {
            MapOpaque(*image, glyph, [&](std::uint32_t c) {
                return PerChannel(c,
                                  [&](int v, int shift) { return Rule(v, Channel(face, shift)); });
            });
        };
        switch (FDisabledImage) {
        case diDefault:
            EdgeStencil(*image, glyph);
            break;
        case diGrayscale:
            MapOpaque(*image, glyph, [](std::uint32_t c) {
                std::uint32_t g = (Channel(c, 0) + Channel(c, 8) + Channel(c, 16)) / 3;
                return g << 16 | g << 8 | g;
            });
            break;
        case diAlphaHalfTrans:
            withFace([](int c, int f) { return (f + c) / 2; });
            break;
        case diAlphaQuaterTrans:
            withFace([](int c, int f) { return (3 * f + c) / 4; });
            break;
        case diMaskTrans:
            AlternatePixels(*image, glyph, k);
            break;
        }
    }

    // An outline may have repainted the bottom-left pixel, so the image's own corner decides.
    image->SetHandleType(bmDDB);
    TColor corner = image->Canvas()->Pixels(0, image->Height() - 1);
    image->SetTransparent(true);
    image->SetTransparentColor(corner);
    return image;
}

void TShineSpeedButton::SetGlyph(TBitmap* Value) {
    FGlyph->SetOnChange(nullptr);
    if (Value != nullptr) {
        FGlyph->Assign(Value);
        FGlyph->SetOnChange(Bind(this, &TShineSpeedButton::GlyphOnChange));
        GlyphOnChange(FGlyph.get());
    } else {
        FGlyph->FreeImage();
        FGlyph->SetWidth(0);
        FGlyph->SetHeight(0);
        FGlyph->SetOnChange(Bind(this, &TShineSpeedButton::GlyphOnChange));
    }
    Invalidate();
}

void TShineSpeedButton::GlyphOnChange(TObject*) {
    // Each conversion notifies again; the nested call finds nothing left to convert.
    FGlyph->SetHandleType(bmDIB);
    FGlyph->SetPixelFormat(pf32bit);
    Invalidate();
}

// --- Painting ----------------------------------------------------------------------------

void TShineSpeedButton::Paint() {
    if (!Enabled()) {
        FState = sbsDisabled;
        FDragging = false;
    }
    if (FTransparent) {
        BackDraw(Canvas());
        ImageDraw(Canvas());
        FrameDraw(Canvas());
        return;
    }
    // Drawn off screen and copied in one piece, so the button never shows half drawn.
    TBitmap buffer;
    buffer.SetHandleType(bmDDB);
    buffer.SetSize(Width(), Height());
    BackDraw(buffer.Canvas());
    ImageDraw(buffer.Canvas());
    FrameDraw(buffer.Canvas());
    Canvas()->Draw(0, 0, &buffer);
}

void TShineSpeedButton::BackDraw(TCanvas* Canvas) {
    if (FTransparent)
        return;
    TShineBtnColors* colors = FState < sbsUpActive ? FPressedColors.get() : FColors.get();
    TRect client = Rect(0, 0, Width(), Height());
    if (!colors->Gradation()) {
        Canvas->Brush()->SetColor(colors->Color());
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->FillRect(client);
        return;
    }
    // 256 steps whatever the size, stretched over the button.
    constexpr int Steps = 256;
    TBitmap strip;
    strip.SetHandleType(bmDIB);
    strip.SetPixelFormat(pf32bit);
    bool vertical = colors->GradVertical();
    strip.SetSize(vertical ? 1 : Steps, vertical ? Steps : 1);
    std::uint32_t c = ColorToPixel(colors->Color());
    std::uint32_t g = ColorToPixel(colors->GradColor());
    for (int i = 0; i < Steps; ++i) {
        std::uint32_t pixel = PerChannel(c, [&](int from, int shift) {
            return (Channel(g, shift) - from) * i / (Steps - 1) + from;
        });
        if (vertical)
            WritePixel32(strip.ScanLine(i), 0, pixel);
        else
            WritePixel32(strip.ScanLine(0), i, pixel);
    }
    Canvas->StretchDraw(client, &strip);
}

void TShineSpeedButton::ImageDraw(TCanvas* Canvas) {
    bool active = FState == sbsDownActive || FState == sbsUpActive;
    bool pressed = FState < sbsUpActive;
    Canvas->SetFont(active ? FActiveFont.get() : FFont.get());
    std::unique_ptr<TBitmap> image = CreateStateGlyph();
    TPoint glyphPos;
    TRect textRect;
    CalcDrawPosition(Canvas, glyphPos, textRect);

    if (image) {
        if (pressed) {
            glyphPos.X += 1;
            glyphPos.Y += 1;
        }
        if (FState == sbsDisabled && FDisabledImage == diDefault) {
            // Etched: the light copy one pixel down-right under the dark one.
            auto etch = [&](TColor Color, int X, int Y) {
                Canvas->Brush()->SetColor(Color);
                SetTextColor(Canvas->Handle(), clBlack);
                SetBkColor(Canvas->Handle(), clWhite);
                BitBlt(Canvas->Handle(), X, Y, image->Width(), image->Height(),
                       image->Canvas()->Handle(), 0, 0, EtchRop);
            };
            etch(FDisabledHighlight, glyphPos.X + 1, glyphPos.Y + 1);
            etch(FDisabledShadow, glyphPos.X, glyphPos.Y);
        } else {
            Canvas->Brush()->SetStyle(bsClear);
            Canvas->Draw(glyphPos.X, glyphPos.Y, image.get());
        }
        image.reset();
    }

    const AnsiString& caption = Caption();
    if (caption.empty())
        return;
    if (pressed)
        OffsetRect(textRect, 1, 1);
    Canvas->Brush()->SetStyle(bsClear);
    auto drawCaption = [&](TRect R) {
        DrawText(Canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &R,
                 DT_CENTER | DT_VCENTER);
    };
    TFont* font = Canvas->Font();
    if (FState == sbsDisabled) {
        font->SetColor(FDisabledHighlight);
        OffsetRect(textRect, 1, 1);
        drawCaption(textRect);
        font->SetColor(FDisabledShadow);
        OffsetRect(textRect, -1, -1);
        drawCaption(textRect);
        return;
    }
    TColor color = font->Color();
    if (FFontShadow != clNone) {
        font->SetColor(FFontShadow);
        TRect r = textRect;
        OffsetRect(r, 1, 1);
        drawCaption(r);
    }
    if (FFontHighlight != clNone) {
        font->SetColor(FFontHighlight);
        TRect r = textRect;
        OffsetRect(r, -1, -1);
        drawCaption(r);
    }
    font->SetColor(color);
    drawCaption(textRect);
}

void TShineSpeedButton::FrameDraw(TCanvas* Canvas) {
    TPen* pen = Canvas->Pen();
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
    pen->SetMode(pmCopy);

    bool pressed = FState < sbsUpActive;
    bool drawn = FState == sbsDownActive || FState == sbsUpActive ? FActiveFrame
                 : FState == sbsDown                              ? FDownFrame
                                                                  : FUpFrame;
    if (!drawn)
        return;
    TShineBtnColors* p = FPressedColors.get();
    TShineBtnColors* c = FColors.get();
    int w = Width();
    int h = Height();
    // Each stroke stops before its end point.
    auto stroke = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
        pen->SetColor(Color);
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X2, Y2);
    };
    auto corner = [&](TColor Color, int X, int Y, int ToX, int ToY) {
        stroke(Color, X, Y, ToX, Y);
        stroke(Color, X, Y, X, ToY);
    };
    switch (FFrameType) {
    case ftFlatFrame:
        if (pressed) {
            corner(p->Shadow(), 0, 0, w - 1, h - 1);
            corner(p->Highlight(), w - 1, h - 1, 0, 0);
        } else {
            corner(c->Highlight(), 0, 0, w - 1, h - 1);
            corner(c->Shadow(), w - 1, h - 1, 0, 0);
        }
        break;
    case ftNormalFrame:
        if (pressed) {
            corner(p->Shadow(), 1, 1, w - 1, h - 1);
            corner(p->DarkShadow(), 0, 0, w - 1, h - 1);
            corner(p->Highlight(), w - 1, h - 1, 0, 0);
        } else {
            corner(c->Shadow(), w - 2, h - 2, 0, 0);
            corner(c->DarkShadow(), w - 1, h - 1, 0, 0);
            corner(c->Highlight(), 0, 0, w - 1, h - 1);
        }
        break;
    case ftEnclosedFrame:
        if (pressed) {
            corner(p->Shadow(), 1, 1, w - 2, h - 2);
            corner(p->Highlight(), w - 2, h - 2, 1, 1);
        } else {
            corner(c->Highlight(), 1, 1, w - 2, h - 2);
            corner(c->Shadow(), w - 2, h - 2, 1, 1);
        }
        // The enclosing outline covers every border pixel, in the pressed look too.
        pen->SetColor(c->DarkShadow());
        Canvas->MoveTo(0, 0);
        Canvas->LineTo(w - 1, 0);
        Canvas->LineTo(w - 1, h - 1);
        Canvas->LineTo(0, h - 1);
        Canvas->LineTo(0, 0);
        break;
    }
}

// --- Construction ------------------------------------------------------------------------

TShineSpeedButton::TShineSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);
    FGroupProxy = nullptr;
    FDown = false;
    FClickDownHook = false;
    FAccelCharDown = false;
    FActiveImage = aiFrameLight;
    FDisabledImage = diDefault;
    FDisabledHighlight = clBtnHighlight;
    FDisabledShadow = clBtnShadow;
    FShineColor = clYellow;
    FState = sbsUp;
    FActiveFrame = true;
    FUpFrame = true;
    FDownFrame = true;
    FAllowAllUp = false;
    FGroupIndex = 0;
    FTransparent = false;
    FFrameType = ftNormalFrame;
    FSpacing = 4;
    FMargin = -1;
    FLayout = blGlyphLeft;

    // Colours go in before the handlers, so construction paints nothing through them.
    FColors = std::make_unique<TShineBtnColors>();
    FColors->SetColor(clBtnFace);
    FColors->SetOnChange(Bind(this, &TShineSpeedButton::FontsAndColorsOnChange));
    FPressedColors = std::make_unique<TShineBtnColors>();
    FPressedColors->SetColor(clBtnHighlight);
    FPressedColors->SetOnChange(Bind(this, &TShineSpeedButton::FontsAndColorsOnChange));
    FFont = std::make_unique<TFont>();
    FFont->SetColor(clBtnText);
    FFont->SetOnChange(Bind(this, &TShineSpeedButton::FontsAndColorsOnChange));
    FFontHighlight = clNone;
    FFontShadow = clNone;
    FActiveFont = std::make_unique<TFont>();
    FActiveFont->SetColor(clHighlight);
    FActiveFont->SetOnChange(Bind(this, &TShineSpeedButton::FontsAndColorsOnChange));
    FGlyph = std::make_unique<TBitmap>();
    FGlyph->SetOnChange(Bind(this, &TShineSpeedButton::GlyphOnChange));
    FGlyph->SetTransparentColor(clOlive);

    FMouseInControl = false;
    FDragging = false;
    SetWidth(25);
    SetHeight(25);
    SetCaption("");

    FActiveButtonTimer = new TTimer(this);
    FActiveButtonTimer->SetInterval(ActiveTimerInterval);
    FActiveButtonTimer->SetEnabled(false);
    FActiveButtonTimer->SetOnTimer(Bind(this, &TShineSpeedButton::ActiveButtonTimerOnTimer));
}

TShineSpeedButton::~TShineSpeedButton() {
    // The timer is the one owned component; it goes first, before what its handler reads.
    DestroyComponents();
    FActiveButtonTimer = nullptr;
    FGlyph.reset();
    FColors.reset();
    FPressedColors.reset();
    FFont.reset();
    FActiveFont.reset();
}

void TShineSpeedButton::Loaded() {
    TGraphicControl::Loaded();
}

void TShineSpeedButton::FontsAndColorsOnChange(TObject*) {
    Invalidate();
}

// --- Setters -----------------------------------------------------------------------------

template <class V> void TShineSpeedButton::Store(V& Field, V Value) {
    if (Field == Value)
        return;
    Field = Value;
    Invalidate();
}

void TShineSpeedButton::SetClickDownHook(bool Value) {
    Store(FClickDownHook, Value);
}
void TShineSpeedButton::SetAccelCharDown(bool Value) {
    Store(FAccelCharDown, Value);
}
void TShineSpeedButton::SetFrameType(TFrameType Value) {
    Store(FFrameType, Value);
}
void TShineSpeedButton::SetActiveFrame(bool Value) {
    Store(FActiveFrame, Value);
}
void TShineSpeedButton::SetUpFrame(bool Value) {
    Store(FUpFrame, Value);
}
void TShineSpeedButton::SetDownFrame(bool Value) {
    Store(FDownFrame, Value);
}
void TShineSpeedButton::SetActiveImage(TActiveImageType Value) {
    Store(FActiveImage, Value);
}
void TShineSpeedButton::SetDisabledImage(TDisabledImageType Value) {
    Store(FDisabledImage, Value);
}
void TShineSpeedButton::SetDisabledHighlight(TColor Value) {
    Store(FDisabledHighlight, Value);
}
void TShineSpeedButton::SetDisabledShadow(TColor Value) {
    Store(FDisabledShadow, Value);
}
void TShineSpeedButton::SetShineColor(TColor Value) {
    Store(FShineColor, Value);
}
void TShineSpeedButton::SetLayout(TButtonLayout Value) {
    Store(FLayout, Value);
}
void TShineSpeedButton::SetMargin(int Value) {
    Store(FMargin, Value);
}
void TShineSpeedButton::SetSpacing(int Value) {
    Store(FSpacing, Value);
}

void TShineSpeedButton::SetTransparent(bool Value) {
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    if (Value)
        SetControlStyle(ControlStyle() & ~csOpaque);
    else
        SetControlStyle(ControlStyle() | csOpaque);
    Invalidate();
}

void TShineSpeedButton::SetColors(TShineBtnColors* Value) {
    FColors->Assign(Value);
}
void TShineSpeedButton::SetPressedColors(TShineBtnColors* Value) {
    FPressedColors->Assign(Value);
}

void TShineSpeedButton::SetFont(TFont* Value) {
    if (Value == nullptr)
        return;
    FFont->Assign(Value);
    Invalidate();
}

void TShineSpeedButton::SetActiveFont(TFont* Value) {
    if (Value == nullptr)
        return;
    FActiveFont->Assign(Value);
    Invalidate();
}

void TShineSpeedButton::SetFontHighlight(TColor Value) {
    FFontHighlight = Value;
    Invalidate();
}

void TShineSpeedButton::SetFontShadow(TColor Value) {
    FFontShadow = Value;
    Invalidate();
}

// --- Interaction -------------------------------------------------------------------------

namespace {

bool InsideClient(const TControl& Control, int X, int Y) {
    return X >= 0 && X < Control.Width() && Y >= 0 && Y < Control.Height();
}

} // namespace

void TShineSpeedButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
        WMLButtonDblClick(Message);
        break;
    case CM_DIALOGCHAR:
        CMDialogChar(Message);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledChanged(Message);
        break;
    case CM_FONTCHANGED:
        CMFontChanged(Message);
        break;
    case CM_TEXTCHANGED:
        CMTextChanged(Message);
        break;
    case CM_SYSCOLORCHANGE:
        CMSysColorChange(Message);
        break;
    case CM_MOUSEENTER:
        CMMouseEnter(Message);
        break;
    case CM_MOUSELEAVE:
        CMMouseLeave(Message);
        break;
    case CM_BUTTONPRESSED:
        CMButtonPressed(Message);
        break;
    default:
        TGraphicControl::Dispatch(Message);
        break;
    }
}

void TShineSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    FState = sbsDownActive;
    if (!FDown)
        Invalidate();
    FDragging = true;
}

void TShineSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        TShineButtonState wanted = InsideClient(*this, X, Y) ? sbsDownActive
                                   : FDown                   ? sbsDown
                                                             : sbsUp;
        if (wanted != FState) {
            FState = wanted;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        // The first move over the button activates it before the enter notification comes.
        UpdateTracking();
    }
}

void TShineSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging)
        return;
    bool inside = InsideClient(*this, X, Y);
    if (FGroupIndex == 0) {
        FState = sbsUp;
        FMouseInControl = false;
        FDown = false;
        if (inside)
            Repaint();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            Repaint();
    } else {
        // The tracking update below turns this into the resting look through the leave.
        FState = FDown ? sbsDownActive : sbsUpActive;
        Repaint();
    }
    FDragging = false;
    if (inside)
        Click();
    UpdateTracking();
}

void TShineSpeedButton::Click() {
    TShineButtonState saved = FState;
    if (FClickDownHook) {
        FState = sbsDownActive;
        Repaint();
    }
    TGraphicControl::Click();
    if (FClickDownHook) {
        FState = saved;
        Repaint();
    }
}

void TShineSpeedButton::WMLButtonDblClick(TMessage& Message) {
    TGraphicControl::Dispatch(Message);
    if (FDown)
        DblClick();
}

void TShineSpeedButton::MouseEnter(TShiftState Shift, int X, int Y) {
    if (FOnMouseEnter)
        FOnMouseEnter(this, Shift, X, Y);
    if (FMouseInControl || !Enabled() || DragMode() == dmAutomatic || GetCapture() != 0)
        return;
    FMouseInControl = true;
    if (FState == sbsUp)
        FState = sbsUpActive;
    else if (FState == sbsDown)
        FState = sbsDownActive;
    Repaint();
    FActiveButtonTimer->SetEnabled(true);
}

void TShineSpeedButton::MouseLeave(TShiftState Shift, int X, int Y) {
    if (FOnMouseLeave)
        FOnMouseLeave(this, Shift, X, Y);
    if (!FMouseInControl || !Enabled() || FDragging)
        return;
    FActiveButtonTimer->SetEnabled(false);
    FMouseInControl = false;
    if (FState == sbsUpActive)
        FState = sbsUp;
    else if (FState == sbsDownActive)
        FState = sbsDown;
    Repaint();
}

TPoint TShineSpeedButton::CursorClientPos() const {
    TPoint screen;
    GetCursorPos(&screen);
    return ScreenToClient(screen);
}

void TShineSpeedButton::CMMouseEnter(TMessage&) {
    TPoint p = CursorClientPos();
    MouseEnter(GetCurrentShiftState(), p.X, p.Y);
}

void TShineSpeedButton::CMMouseLeave(TMessage&) {
    TPoint p = CursorClientPos();
    MouseLeave(GetCurrentShiftState(), p.X, p.Y);
}

void TShineSpeedButton::UpdateTracking() {
    if (!Enabled())
        return;
    TPoint screen;
    GetCursorPos(&screen);
    bool over = FindDragTarget(screen, true) == this;
    // The opposite of the truth first, so the handling below passes its own test.
    FMouseInControl = !over;
    Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TShineSpeedButton::ActiveButtonTimerOnTimer(TObject*) {
    if (!FMouseInControl || !Enabled() || FDragging) {
        FActiveButtonTimer->SetEnabled(false);
        return;
    }
    TPoint p = CursorClientPos();
    if (InsideClient(*this, p.X, p.Y))
        return;
    MouseLeave(GetCurrentShiftState(), p.X, p.Y);
}

void TShineSpeedButton::SetDown(bool Value) {
    if (Value == FDown || FGroupIndex == 0)
        return;
    if (FAllowAllUp) {
        FDown = Value;
        GroupUpdateStatus(FGroupIndex);
        FState = FDown ? sbsDown : sbsUp;
        Repaint();
        return;
    }
    // A down button of an exclusive group is released only by a sibling.
    if (FDown)
        return;
    FDown = true;
    GroupUpdateStatus(FGroupIndex);
    FState = sbsDown;
    Repaint();
}

void TShineSpeedButton::SetAllowAllUp(bool Value) {
    if (Value == FAllowAllUp)
        return;
    FAllowAllUp = Value;
    GroupUpdateStatus(FGroupIndex);
}

void TShineSpeedButton::SetGroupIndex(int Value) {
    if (Value != FGroupIndex)
        GroupUpdateStatus(Value);
}

void TShineSpeedButton::GroupUpdateStatus(int Value) {
    FGroupIndex = Value;
    TWinControl* parent = Parent();
    if (Value == 0 || parent == nullptr)
        return;
    // A stock speed button stands for this one, so stock siblings can read the notification.
    FGroupProxy = new TSpeedButton(parent);
    parent->InsertControl(FGroupProxy);
    FGroupProxy->SetGroupIndex(FGroupIndex);
    FGroupProxy->SetAllowAllUp(FAllowAllUp);
    FGroupProxy->SetDown(FDown);
    TMessage message{};
    message.Msg = CM_BUTTONPRESSED;
    message.WParam = FGroupIndex;
    message.LParam = reinterpret_cast<std::intptr_t>(FGroupProxy);
    parent->Broadcast(message);
    parent->RemoveControl(FGroupProxy);
    delete FGroupProxy;
    FGroupProxy = nullptr;
}

void TShineSpeedButton::CMButtonPressed(TMessage& Message) {
    if (static_cast<int>(Message.WParam) != FGroupIndex)
        return;
    auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
    if (sender == nullptr || sender == FGroupProxy)
        return;
    if (sender->Down() && FDown) {
        FDown = false;
        FState = sbsUp;
        Invalidate();
    }
    FAllowAllUp = sender->AllowAllUp();
}

void TShineSpeedButton::CMDialogChar(TMessage& Message) {
    TWinControl* parent = Parent();
    bool accel = IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && Enabled() &&
                 Visible() && parent != nullptr && parent->Showing();
    if (!accel) {
        TGraphicControl::Dispatch(Message);
        return;
    }
    if (FAccelCharDown)
        SetDown(!FDown);
    Click();
    Message.Result = 1;
}

// The caption and the system colours are read afresh by the next paint; the control font is
// not drawn with.
void TShineSpeedButton::CMFontChanged(TMessage&) {
    Invalidate();
}
void TShineSpeedButton::CMTextChanged(TMessage&) {
    Invalidate();
}
void TShineSpeedButton::CMSysColorChange(TMessage&) {
    Invalidate();
}

void TShineSpeedButton::CMEnabledChanged(TMessage&) {
    FDown = false;
    FState = Enabled() ? sbsUp : sbsDisabled;
    UpdateTracking();
    Invalidate();
}

TShiftState TShineSpeedButton::GetCurrentShiftState() {
    TShiftState shift;
    const std::pair<int, TShiftFlag> keys[] = {
        {VK_LBUTTON, ssLeft}, {VK_RBUTTON, ssRight}, {VK_MBUTTON, ssMiddle},
        {VK_SHIFT, ssShift},  {VK_CONTROL, ssCtrl},  {VK_MENU, ssAlt},
    };
    for (const auto& [key, flag] : keys)
        if ((GetKeyState(key) & 0x8000) != 0)
            shift << flag;
    return shift;
}

// --- Registration ------------------------------------------------------------------------

namespace {

const TEnumInfo FrameTypeInfo{{
    {"ftFlatFrame", ftFlatFrame},
    {"ftNormalFrame", ftNormalFrame},
    {"ftEnclosedFrame", ftEnclosedFrame},
}};
const TEnumInfo ActiveImageInfo{{
    {"aiNormal", aiNormal},
    {"aiXorLight", aiXorLight},
    {"aiHalfLight", aiHalfLight},
    {"aiQuaterLight", aiQuaterLight},
    {"aiAddLight", aiAddLight},
    {"aiFrameLight", aiFrameLight},
    {"aiFrameLight2", aiFrameLight2},
    {"aiMaskLight", aiMaskLight},
}};
const TEnumInfo DisabledImageInfo{{
    {"diDefault", diDefault},
    {"diGrayscale", diGrayscale},
    {"diAlphaHalfTrans", diAlphaHalfTrans},
    {"diAlphaQuaterTrans", diAlphaQuaterTrans},
    {"diMaskTrans", diMaskTrans},
}};
const TEnumInfo ButtonLayoutInfo{{
    {"blGlyphLeft", blGlyphLeft},
    {"blGlyphRight", blGlyphRight},
    {"blGlyphTop", blGlyphTop},
    {"blGlyphBottom", blGlyphBottom},
}};

} // namespace

void RegisterShineSpdBtn() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterControlClasses();

    using C = TShineBtnColors;
    RegisterClass<C>("TShineBtnColors", "")
        .Property<TColor>("Highlight", &C::Highlight, &C::SetHighlight, clBtnHighlight)
        .Property<TColor>("Shadow", &C::Shadow, &C::SetShadow, clBtnShadow)
        .Property<TColor>("DarkShadow", &C::DarkShadow, &C::SetDarkShadow, clWindowFrame)
        .Property<TColor>("GradColor", &C::GradColor, &C::SetGradColor, clBlue)
        .Property<bool>("GradVertical", &C::GradVertical, &C::SetGradVertical, false)
        .Property<bool>("Gradation", &C::Gradation, &C::SetGradation, false)
        .Property<TColor>("Color", &C::Color, &C::SetColor);

    using B = TShineSpeedButton;
    RegisterClass<B>("TShineSpeedButton", "TGraphicControl")
        .Property<int>("GroupIndex", &B::GroupIndex, &B::SetGroupIndex, 0)
        .Property<bool>("Down", &B::Down, &B::SetDown, false)
        .Property<bool>("ClickDownHook", &B::ClickDownHook, &B::SetClickDownHook, false)
        .Property<bool>("AccelCharDown", &B::AccelCharDown, &B::SetAccelCharDown, false)
        .Enum("FrameType", &B::FrameType, &B::SetFrameType, FrameTypeInfo,
              std::optional(ftNormalFrame))
        .Property<bool>("Transparent", &B::Transparent, &B::SetTransparent, false)
        .Property<bool>("ActiveFrame", &B::ActiveFrame, &B::SetActiveFrame, true)
        .Property<bool>("UpFrame", &B::UpFrame, &B::SetUpFrame, true)
        .Property<bool>("DownFrame", &B::DownFrame, &B::SetDownFrame, true)
        .Enum("ActiveImage", &B::ActiveImage, &B::SetActiveImage, ActiveImageInfo,
              std::optional(aiFrameLight))
        .Enum("DisabledImage", &B::DisabledImage, &B::SetDisabledImage, DisabledImageInfo,
              std::optional(diDefault))
        .Property<TColor>("DisabledHighlight", &B::DisabledHighlight, &B::SetDisabledHighlight,
                          clBtnHighlight)
        .Property<TColor>("DisabledShadow", &B::DisabledShadow, &B::SetDisabledShadow, clBtnShadow)
        .Object("Colors", &B::Colors)
        .Object("PressedColors", &B::PressedColors)
        .Property<TColor>("ShineColor", &B::ShineColor, &B::SetShineColor, clYellow)
        .Object("Font", &B::Font)
        .Property<TColor>("FontHighlight", &B::FontHighlight, &B::SetFontHighlight, clNone)
        .Property<TColor>("FontShadow", &B::FontShadow, &B::SetFontShadow, clNone)
        .Object("ActiveFont", &B::ActiveFont)
        .Property<bool>("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp, false)
        .Enum("Layout", &B::Layout, &B::SetLayout, ButtonLayoutInfo, std::optional(blGlyphLeft))
        .Property<int>("Margin", &B::Margin, &B::SetMargin, -1)
        .Property<int>("Spacing", &B::Spacing, &B::SetSpacing, 4)
        .Object("Glyph", &B::Glyph)
        .Event("OnMouseEnter", &B::SetOnMouseEnter)
        .Event("OnMouseLeave", &B::SetOnMouseLeave);
}
