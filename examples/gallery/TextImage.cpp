#include "examples/gallery/TextImage.h"

#include "platform/base/Exceptions.h"

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Malformed(int Line, const char* What) {
    throw EConvertError(Format("text image, line %d: %s", Line, What));
}

// Sizes beyond this are a mistake, not a glyph.
constexpr int MaxSide = 1024;

} // namespace

std::unique_ptr<TBitmap> LoadTextImage(const char* Text) {
    std::istringstream in(Text != nullptr ? Text : "");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    int width = 0;
    int height = 0;
    int colours = 0;
    {
        std::istringstream header(lines.empty() ? std::string() : lines[0]);
        if (!(header >> width >> height >> colours) || width <= 0 || height <= 0 || colours <= 0 ||
            width > MaxSide || height > MaxSide)
            Malformed(1, "expected width, height and number of colours");
    }
    if (static_cast<int>(lines.size()) < 1 + colours + height)
        Malformed(static_cast<int>(lines.size()), "too few lines");

    std::map<char, TColor> palette;
    for (int i = 1; i <= colours; ++i) {
        const std::string& line = lines[i];
        unsigned rgb = 0;
        if (line.size() != 9 || line[1] != ' ' || line[2] != '#' ||
            std::sscanf(line.c_str() + 3, "%6x", &rgb) != 1 || palette.count(line[0]) != 0)
            Malformed(i + 1, "expected a letter and #RRGGBB");
        palette[line[0]] = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }

    auto image = std::make_unique<TBitmap>();
    image->SetPixelFormat(pf32bit);
    image->SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        const std::string& row = lines[1 + colours + y];
        int line = 2 + colours + y;
        if (static_cast<int>(row.size()) != width)
            Malformed(line, "row of the wrong width");
        for (int x = 0; x < width; ++x) {
            auto colour = palette.find(row[x]);
            if (colour == palette.end())
                Malformed(line, "letter without a colour");
            image->SetPixel(x, y, colour->second);
        }
    }
    return image;
}
