#pragma once

#include <cstdint>

// 0x00BBGGRR for an explicit colour; the top bit set names a system colour by its low byte,
// resolved when drawn; clNone means no colour.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clSystemColor = 0x80000000;
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
constexpr int COLOR_COUNT = 31;

constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR;
constexpr TColor clBackground = clSystemColor | COLOR_BACKGROUND;
constexpr TColor clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION;
constexpr TColor clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION;
constexpr TColor clMenu = clSystemColor | COLOR_MENU;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowFrame = clSystemColor | COLOR_WINDOWFRAME;
constexpr TColor clMenuText = clSystemColor | COLOR_MENUTEXT;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clCaptionText = clSystemColor | COLOR_CAPTIONTEXT;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW;
constexpr TColor cl3DLight = clSystemColor | COLOR_3DLIGHT;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;

// The current RGB value (0x00BBGGRR) of a system colour.
TColor GetSysColor(int Index);
// Replaces the system colour table; the host fills it from the desktop's palette. The
// default table holds fixed values (those of a classic light theme).
void SetSysColor(int Index, TColor Value);
void ResetSysColors();

// A system colour becomes its current RGB value; any other value passes unchanged.
TColor ColorToRGB(TColor Color);

constexpr std::uint8_t GetRValue(TColor c) {
    return c & 0xFF;
}
constexpr std::uint8_t GetGValue(TColor c) {
    return (c >> 8) & 0xFF;
}
constexpr std::uint8_t GetBValue(TColor c) {
    return (c >> 16) & 0xFF;
}
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return r | (g << 8) | (static_cast<TColor>(b) << 16);
}
