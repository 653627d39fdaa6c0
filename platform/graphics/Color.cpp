#include "platform/graphics/Color.h"

#include <array>

namespace {

constexpr std::array<TColor, COLOR_COUNT> DefaultSysColors = {
    RGB(200, 200, 200), // scroll bar
    RGB(0, 128, 128),   // desktop
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application workspace
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3D dark shadow
    RGB(212, 208, 200), // 3D light
    RGB(0, 0, 0),       // tooltip text
    RGB(255, 255, 225), // tooltip background
    RGB(181, 181, 181), // (unused)
    RGB(0, 0, 128),     // hot light
    RGB(166, 202, 240), // gradient active caption
    RGB(192, 192, 192), // gradient inactive caption
    RGB(49, 106, 197),  // menu highlight
    RGB(236, 233, 216), // menu bar
};

std::array<TColor, COLOR_COUNT> SysColors = DefaultSysColors;

} // namespace

TColor GetSysColor(int Index) {
    return Index >= 0 && Index < COLOR_COUNT ? SysColors[Index] : 0;
}

void SetSysColor(int Index, TColor Value) {
    if (Index >= 0 && Index < COLOR_COUNT)
        SysColors[Index] = Value & 0xFFFFFF;
}

void ResetSysColors() {
    SysColors = DefaultSysColors;
}

TColor ColorToRGB(TColor Color) {
    if ((Color & clSystemColor) != 0)
        return GetSysColor(static_cast<int>(Color & 0xFF));
    return Color;
}
