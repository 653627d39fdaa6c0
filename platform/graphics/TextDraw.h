#pragma once

#include "platform/graphics/Canvas.h"

// Text on a device context, in the canvas's font and the font's colour, clipped to the
// canvas's clip; flags and results as the platform documents them.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_TABSTOP = 0x80;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;
constexpr unsigned DT_PREFIXONLY = 0x200000;

struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 0;
    int tmOverhang = 0;
};

struct DRAWTEXTPARAMS {
    unsigned cbSize = sizeof(DRAWTEXTPARAMS);
    int iTabLength = 8;
    int iLeftMargin = 0;
    int iRightMargin = 0;
    unsigned uiLengthDrawn = 0;
};

// Length -1 means up to the terminating zero. Returns the height of the text drawn (or
// measured, with DT_CALCRECT, which then sets Rect's right and bottom instead of drawing).
int DrawText(HDC DC, const char* Text, int Length, TRect* Rect, unsigned Format);
int DrawTextEx(HDC DC, const char* Text, int Length, TRect* Rect, unsigned Format,
               DRAWTEXTPARAMS* Params);
bool GetTextMetrics(HDC DC, TEXTMETRIC* Metrics);
// Width and height of one line of text in the canvas's font, no prefix processing.
TPoint GetTextExtent(HDC DC, const char* Text, int Length);
