#include "support/Pixels.h"

const TPalette& DefaultPalette() {
    static const TPalette palette{{'.', clWhite},  {'#', clBlack},  {'r', clRed},     {'g', clLime},
                                  {'b', clBlue},   {'y', clYellow}, {'m', clFuchsia}, {'c', clAqua},
                                  {'s', clSilver}, {'k', clGray}};
    return palette;
}

std::unique_ptr<TBitmap> MakeBitmap(const std::vector<std::string>& Rows, TPixelFormat Format,
                                    const TPalette& Palette) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(Format);
    bitmap->SetSize(Rows.empty() ? 0 : static_cast<int>(Rows[0].size()),
                    static_cast<int>(Rows.size()));
    for (int y = 0; y < bitmap->Height(); ++y) {
        for (int x = 0; x < bitmap->Width(); ++x)
            bitmap->SetPixel(x, y, Palette.at(Rows[y].at(x)));
    }
    return bitmap;
}

std::unique_ptr<TBitmap> MakeFilled(int Width, int Height, TColor Color, TPixelFormat Format) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(Format);
    bitmap->SetSize(Width, Height);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x)
            bitmap->SetPixel(x, y, Color);
    }
    return bitmap;
}

std::vector<std::string> Picture(const TBitmap& Bitmap, const TPalette& Palette) {
    std::vector<std::string> rows;
    for (int y = 0; y < Bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < Bitmap.Width(); ++x) {
            TColor c = Bitmap.GetPixel(x, y);
            char found = '?';
            for (const auto& [ch, color] : Palette) {
                if (color == c)
                    found = ch;
            }
            row += found;
        }
        rows.push_back(row);
    }
    return rows;
}
