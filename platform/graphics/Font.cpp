#include "platform/graphics/Font.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int ScreenPixelsPerInch = 96;
constexpr int PointsPerInch = 72;

// Number * Numerator / Denominator, rounded to the nearest, halves away from zero.
int MulDiv(int Number, int Numerator, int Denominator) {
    std::int64_t product = static_cast<std::int64_t>(Number) * Numerator;
    std::int64_t half = std::abs(Denominator) / 2;
    bool negative = (product < 0) != (Denominator < 0);
    std::int64_t magnitude = (std::llabs(product) + half) / std::abs(Denominator);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace

TFont::TFont() : FName("ＭＳ Ｐゴシック"), FHeight(-12), FColor(clWindowText) {}

void TFont::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TFont*>(Source);
    if (source == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FName = source->FName;
    FHeight = source->FHeight;
    FStyle = source->FStyle;
    FColor = source->FColor;
    FCharset = source->FCharset;
    FQuality = source->FQuality;
    Changed();
}

void TFont::SetName(const AnsiString& Value) {
    if (Value == FName)
        return;
    FName = Value;
    Changed();
}

void TFont::SetHeight(int Value) {
    if (Value == FHeight)
        return;
    FHeight = Value;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, PointsPerInch, ScreenPixelsPerInch);
}

void TFont::SetSize(int Value) {
    SetHeight(-MulDiv(Value, ScreenPixelsPerInch, PointsPerInch));
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value == FStyle)
        return;
    FStyle = Value;
    Changed();
}

void TFont::SetColor(TColor Value) {
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TFont::SetCharset(TFontCharset Value) {
    if (Value == FCharset)
        return;
    FCharset = Value;
    Changed();
}

void TFont::SetQuality(TFontQuality Value) {
    if (Value == FQuality)
        return;
    FQuality = Value;
    Changed();
}

void TFont::Changed() {
    if (FOnChange)
        FOnChange(this);
}
