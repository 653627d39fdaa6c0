#pragma once

#include "platform/base/Events.h"
#include "platform/base/Object.h"
#include "platform/graphics/Color.h"

#include <cstdint>
#include <memory>
#include <vector>

class TBitmap;
class TFont;
class TGraphic;

enum TPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame
};
enum TPenMode : std::uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMerge,
    pmMask,
    pmXor
};
enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

// Raster operations (ternary: pattern = brush, source, destination).
using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;
constexpr TCopyMode SRCCOPY = cmSrcCopy;

class TPen : public TPersistent {
public:
    AnsiString ClassName() const override { return "TPen"; }
    void Assign(TPersistent* Source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value);
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
    void Changed();
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    TNotifyEvent FOnChange;
};

class TBrush : public TPersistent {
public:
    AnsiString ClassName() const override { return "TBrush"; }
    void Assign(TPersistent* Source) override;
    TColor Color() const { return FColor; }
    // Setting a colour makes a clear brush solid.
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
    void Changed();
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TNotifyEvent FOnChange;
};

// Draws on a bitmap (a bitmap's own pixels, or a form's surface). Coordinates are the
// canvas's own: the state (origin and clip) maps them onto the target, so a parent paints a
// child by saving the state, moving the origin to the child and clipping to it.
// Rules: rectangles are half-open; Rectangle with a clear pen fills one pixel short on the
// right and bottom; LineTo stops before its end point; stretching is nearest neighbour.
class TCanvas : public TPersistent {
public:
    TCanvas();
    explicit TCanvas(TBitmap* Target);
    ~TCanvas() override;
    AnsiString ClassName() const override { return "TCanvas"; }

    TBitmap* Target() const { return FTarget; }
    void SetTarget(TBitmap* Value);

    // The device-context view of the canvas, for DrawText, BitBlt and friends.
    TCanvas* Handle() { return this; }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value); // copies
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value);
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value);
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }

    // Device-context colours: the mono-to-colour mapping of BitBlt (clear bits take the
    // text colour, set bits the background colour). Text is drawn in the font's colour.
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor Value) { FTextColor = Value; }
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value) { FBkColor = Value; }

    // State: origin (where canvas (0, 0) lies on the target) and clip (target coordinates).
    void SaveState();
    void RestoreState();
    // Moves the origin by (DX, DY) in the current coordinates.
    void MoveOrigin(int DX, int DY);
    TPoint Origin() const;
    // Narrows the clip to R, in the current coordinates.
    void IntersectClip(const TRect& R);
    // The clip rectangle in the current coordinates.
    TRect ClipRect() const;

    TColor Pixels(int X, int Y) const;
    void SetPixels(int X, int Y, TColor Color);

    void FillRect(const TRect& R);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    TPoint PenPos() const { return FPenPos; }

    // Copies Source's rectangle into Dest with the copy mode, scaling by nearest neighbour.
    void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // The raster work under CopyRect, BitBlt, StretchBlt and the bitmap's Draw: SourceRect of
    // Source (its own pixel coordinates) scaled into Dest by nearest neighbour, combined by
    // the ternary raster operation Rop with the brush as pattern. A monochrome source gives
    // Zero for its clear bits and One for its set bits. Source pixels of colour Skip are left
    // out (clNone leaves out nothing). Source may be null when Rop does not read it.
    void StretchBitmap(const TRect& Dest, const TBitmap* Source, const TRect& SourceRect,
                       TCopyMode Rop, TColor Zero, TColor One, TColor Skip);

    void TextOut(int X, int Y, const AnsiString& Text);
    void TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text);
    int TextWidth(const AnsiString& Text);
    int TextHeight(const AnsiString& Text);

    // Called after each drawing operation.
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
    void Changed();

private:
    struct TState {
        TPoint Origin;
        TRect Clip;
    };

    // The clip on the target in target coordinates; empty without a target.
    TRect DeviceClip() const;
    TRect ToDevice(const TRect& R) const;
    // Fills a target rectangle (clipped here) with Color combined by the pen mode.
    void FillDevice(const TRect& R, TColor Color, TPenMode Mode);
    // Paints the line from (X1, Y1) to (X2, Y2) in target coordinates, without its end
    // point, in the pen; Dash is where the pen's dash pattern stands and moves on.
    void LineDevice(long long X1, long long Y1, long long X2, long long Y2, int& Dash);

    TBitmap* FTarget = nullptr;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TCopyMode FCopyMode = cmSrcCopy;
    TColor FTextColor = clBlack;
    TColor FBkColor = clWhite;
    TPoint FPenPos;
    TState FState;
    std::vector<TState> FSaved;
    TNotifyEvent FOnChange;
};

using HDC = TCanvas*;

// The platform's raster functions on a device context.
bool BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int XSrc, int YSrc,
            TCopyMode Rop);
bool StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int XSrc, int YSrc,
                int SrcWidth, int SrcHeight, TCopyMode Rop);
TColor SetTextColor(HDC DC, TColor Color);
TColor SetBkColor(HDC DC, TColor Color);
