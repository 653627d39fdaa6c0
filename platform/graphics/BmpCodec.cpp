#include "platform/graphics/BmpCodec.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PixelRow.h"

#include <climits>
#include <cstring>

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::uint32_t BI_RGB = 0;
constexpr std::int32_t PelsPerMeter = 3780; // 96 dpi

// Little-endian fields of the file, every read checked against its end.
class TReader {
public:
    explicit TReader(const TBytes& Data) : FData(Data) {}
    bool Has(std::uint64_t At, std::uint64_t Count) const {
        return At <= FData.size() && Count <= FData.size() - At;
    }
    std::uint16_t U16(std::size_t At) const {
        Need(At, 2);
        return static_cast<std::uint16_t>(FData[At] | (FData[At + 1] << 8));
    }
    std::uint32_t U32(std::size_t At) const {
        Need(At, 4);
        return FData[At] | (FData[At + 1] << 8) | (FData[At + 2] << 16) |
               (static_cast<std::uint32_t>(FData[At + 3]) << 24);
    }
    std::int32_t I32(std::size_t At) const { return static_cast<std::int32_t>(U32(At)); }
    const std::uint8_t* At(std::size_t Offset) const { return FData.data() + Offset; }

private:
    void Need(std::uint64_t At, std::uint64_t Count) const {
        if (!Has(At, Count))
            throw EInvalidGraphic();
    }
    const TBytes& FData;
};

// What the headers say, checked: the pixel rows lie inside the data.
struct TBmpInfo {
    int Width = 0;
    int Height = 0; // rows, always positive
    bool TopDown = false;
    int BitCount = 0;
    std::uint32_t Compression = BI_RGB;
    std::size_t PixelOffset = 0;
    std::size_t Stride = 0;
    std::vector<TColor> Palette;
};

std::uint64_t RowBytes(std::uint64_t Width, int BitCount) {
    return (Width * BitCount + 31) / 32 * 4;
}

TBmpInfo ReadInfo(const TReader& In) {
    if (In.U16(0) != 0x4D42) // "BM"
        throw EInvalidGraphic();
    TBmpInfo info;
    std::uint32_t offBits = In.U32(10);
    std::uint32_t headerSize = In.U32(FileHeaderSize);
    // The information header and its later, longer versions share the first 40 bytes.
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        throw EInvalidGraphic();
    if (!In.Has(FileHeaderSize, headerSize))
        throw EInvalidGraphic();
    std::int32_t width = In.I32(18);
    std::int32_t height = In.I32(22);
    if (width < 0 || height == INT_MIN || In.U16(26) != 1)
        throw EInvalidGraphic();
    info.Width = width;
    info.Height = height < 0 ? -height : height;
    info.TopDown = height < 0;
    info.BitCount = In.U16(28);
    info.Compression = In.U32(30);
    if (info.Compression != BI_RGB)
        throw EInvalidGraphic();
    if (info.BitCount != 1 && info.BitCount != 24 && info.BitCount != 32)
        throw EInvalidGraphic();

    std::size_t paletteAt = FileHeaderSize + headerSize;
    if (info.BitCount <= 8) {
        std::uint32_t used = In.U32(46);
        std::uint32_t limit = 1u << info.BitCount;
        if (used > limit)
            throw EInvalidGraphic();
        std::uint32_t count = used == 0 ? limit : used;
        if (!In.Has(paletteAt, count * 4ull))
            throw EInvalidGraphic();
        // Indices past a short palette show black.
        info.Palette.assign(limit, clBlack);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* q = In.At(paletteAt + i * 4);
            info.Palette[i] = RGB(q[2], q[1], q[0]);
        }
    }

    std::uint64_t stride = RowBytes(static_cast<std::uint64_t>(info.Width), info.BitCount);
    std::uint64_t lastRow = (static_cast<std::uint64_t>(info.Width) * info.BitCount + 7) / 8;
    if (offBits < paletteAt)
        throw EInvalidGraphic();
    // The last row may lack its padding; every other byte must be there.
    if (info.Width > 0 && info.Height > 0 &&
        !In.Has(offBits, stride * (static_cast<std::uint64_t>(info.Height) - 1) + lastRow))
        throw EInvalidGraphic();
    info.PixelOffset = offBits;
    info.Stride = static_cast<std::size_t>(stride);
    return info;
}

bool IsBlackOrWhite(TColor Color) {
    return Color == clBlack || Color == clWhite;
}

void ReadRows(const TReader& In, const TBmpInfo& Info, TBitmap& Out) {
    bool mono = Info.BitCount == 1 && IsBlackOrWhite(Info.Palette[0]) &&
                IsBlackOrWhite(Info.Palette[1]) && Info.Palette[0] != Info.Palette[1];
    TPixelFormat format = Info.BitCount == 32 ? pf32bit : mono ? pf1bit : pf24bit;
    Out.SetPixelFormat(format);
    Out.SetSize(Info.Width, Info.Height);
    if (Out.Empty())
        return;
    std::size_t lastRow = (static_cast<std::size_t>(Info.Width) * Info.BitCount + 7) / 8;
    for (int r = 0; r < Info.Height; ++r) {
        const std::uint8_t* source = In.At(Info.PixelOffset + r * Info.Stride);
        std::uint8_t* dest = Out.ScanLine(Info.TopDown ? r : Info.Height - 1 - r);
        if (Info.BitCount == 1 && mono) {
            std::memcpy(dest, source, lastRow);
            if (Info.Palette[0] == clWhite) {
                for (std::size_t i = 0; i < lastRow; ++i)
                    dest[i] = static_cast<std::uint8_t>(~dest[i]);
            }
        } else if (Info.BitCount == 1) {
            for (int x = 0; x < Info.Width; ++x) {
                int index = (source[x >> 3] >> (7 - (x & 7))) & 1;
                WritePixel<TRowLayout::Bgr24>(dest, x, Info.Palette[index]);
            }
        } else {
            std::memcpy(dest, source, lastRow);
        }
    }
}

void Put16(TBytes& Out, std::uint16_t Value) {
    Out.push_back(Value & 0xFF);
    Out.push_back(Value >> 8);
}

void Put32(TBytes& Out, std::uint32_t Value) {
    for (int i = 0; i < 4; ++i)
        Out.push_back((Value >> (8 * i)) & 0xFF);
}

} // namespace

void DecodeBmp(const TBytes& Data, TBitmap& Bitmap) {
    TReader in(Data);
    TBmpInfo info = ReadInfo(in);
    TBitmap decoded;
    ReadRows(in, info, decoded);
    Bitmap.TakeImage(decoded);
}

TBytes EncodeBmp(const TBitmap& Bitmap) {
    int bits = BitsPerPixel(Bitmap.PixelFormat());
    int width = Bitmap.Width();
    int height = Bitmap.Height();
    std::size_t stride = static_cast<std::size_t>(RowBytes(width, bits));
    std::size_t paletteSize = bits == 1 ? 8 : 0;
    std::size_t offBits = FileHeaderSize + InfoHeaderSize + paletteSize;
    std::size_t imageSize = stride * height;

    TBytes out;
    out.reserve(offBits + imageSize);
    Put16(out, 0x4D42);
    Put32(out, static_cast<std::uint32_t>(offBits + imageSize));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(offBits));
    Put32(out, InfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint16_t>(bits));
    Put32(out, BI_RGB);
    Put32(out, static_cast<std::uint32_t>(imageSize));
    Put32(out, PelsPerMeter);
    Put32(out, PelsPerMeter);
    Put32(out, bits == 1 ? 2 : 0);
    Put32(out, 0);
    if (bits == 1) {
        Put32(out, 0x00000000);
        Put32(out, 0x00FFFFFF);
    }

    std::size_t used = (static_cast<std::size_t>(width) * bits + 7) / 8;
    for (int y = height - 1; y >= 0 && width > 0; --y) {
        const std::uint8_t* row = Bitmap.ScanLine(y);
        std::size_t at = out.size();
        out.insert(out.end(), row, row + used);
        out.resize(at + stride, 0);
        if (bits == 1 && width % 8 != 0)
            out[at + used - 1] &= static_cast<std::uint8_t>(0xFF << (8 - width % 8));
        if (bits == 32) {
            for (int x = 0; x < width; ++x)
                out[at + x * 4 + 3] = 0;
        }
    }
    return out;
}
