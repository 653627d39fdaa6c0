#include "platform/graphics/XpmImage.h"

#include "platform/base/Exceptions.h"

#include <cstdlib>
#include <map>
#include <sstream>
#include <vector>

namespace {

std::vector<AnsiString> QuotedStrings(const char* Text) {
    std::vector<AnsiString> strings;
    for (const char* p = Text; *p != '\0'; ++p) {
        if (p[0] == '/' && p[1] == '*') { // comments may hold quotes
            while (*p != '\0' && !(p[0] == '*' && p[1] == '/'))
                ++p;
            if (*p == '\0')
                break;
            ++p;
            continue;
        }
        if (*p != '"')
            continue;
        AnsiString s;
        for (++p; *p != '\0' && *p != '"'; ++p)
            s += *p;
        if (*p == '\0')
            throw EInvalidGraphic();
        strings.push_back(std::move(s));
    }
    return strings;
}

TColor ParseColor(const AnsiString& Spec, bool& Transparent) {
    Transparent = false;
    if (Spec == "None" || Spec == "none") {
        Transparent = true;
        return clFuchsia;
    }
    if (Spec.size() == 7 && Spec[0] == '#') {
        char* end = nullptr;
        unsigned long rgb = std::strtoul(Spec.c_str() + 1, &end, 16);
        if (*end == '\0')
            return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    static const std::map<AnsiString, TColor> names = {
        {"black", clBlack}, {"white", clWhite}, {"red", clRed},   {"green", clLime},
        {"blue", clBlue},   {"gray", clGray},   {"grey", clGray}, {"yellow", clYellow},
    };
    auto it = names.find(Spec);
    if (it == names.end())
        throw EInvalidGraphic();
    return it->second;
}

} // namespace

void LoadXpm(TBitmap& Bitmap, const char* Text) {
    std::vector<AnsiString> strings = QuotedStrings(Text);
    if (strings.empty())
        throw EInvalidGraphic();
    std::istringstream header(strings[0]);
    int width = 0, height = 0, colors = 0, cpp = 0;
    if (!(header >> width >> height >> colors >> cpp) || width <= 0 || height <= 0 || colors <= 0 ||
        cpp <= 0 || cpp > 4 ||
        strings.size() < 1 + static_cast<std::size_t>(colors) + static_cast<std::size_t>(height))
        throw EInvalidGraphic();

    std::map<AnsiString, TColor> palette;
    bool anyTransparent = false;
    for (int i = 1; i <= colors; ++i) {
        const AnsiString& line = strings[i];
        if (line.size() < static_cast<std::size_t>(cpp))
            throw EInvalidGraphic();
        std::istringstream rest(line.substr(cpp));
        AnsiString kind, spec;
        if (!(rest >> kind >> spec) || kind != "c")
            throw EInvalidGraphic();
        bool transparent = false;
        palette[line.substr(0, cpp)] = ParseColor(spec, transparent);
        anyTransparent = anyTransparent || transparent;
    }

    TBitmap result;
    result.SetPixelFormat(pf32bit);
    result.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        const AnsiString& row = strings[1 + colors + y];
        if (row.size() != static_cast<std::size_t>(width) * cpp)
            throw EInvalidGraphic();
        std::uint8_t* pixels = result.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            auto it = palette.find(row.substr(static_cast<std::size_t>(x) * cpp, cpp));
            if (it == palette.end())
                throw EInvalidGraphic();
            pixels[4 * x + 0] = GetBValue(it->second);
            pixels[4 * x + 1] = GetGValue(it->second);
            pixels[4 * x + 2] = GetRValue(it->second);
            pixels[4 * x + 3] = 0;
        }
    }
    if (anyTransparent) {
        result.SetTransparentColor(clFuchsia);
        result.SetTransparent(true);
    }
    Bitmap.Assign(&result);
}
