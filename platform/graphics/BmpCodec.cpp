#include "platform/graphics/BmpCodec.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PixelRow.h"

#include <algorithm>
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
    std::size_t Size() const { return FData.size(); }
    const std::uint8_t* At(std::size_t Offset) const { return FData.data() + Offset; }

private:
    void Need(std::uint64_t At, std::uint64_t Count) const {
        if (!Has(At, Count))
            throw EInvalidGraphic();
    }
    const TBytes& FData;
};

constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t BI_ALPHABITFIELDS = 6;
constexpr std::size_t CoreHeaderSize = 12; // OS/2 1.x

// Beyond this many pixels per byte of run-length data the file is taken as malformed: runs
// give at most 127.5 pixels per byte, the rest leaves room for skips.
constexpr std::uint64_t MaxRlePixelsPerByte = 256;

// One colour channel of a bit-field pixel: a contiguous run of bits, scaled to 0..255.
struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Max = 0;

    static TChannel From(std::uint32_t Mask) {
        TChannel c;
        c.Mask = Mask;
        if (Mask == 0)
            return c;
        while (((Mask >> c.Shift) & 1) == 0)
            ++c.Shift;
        c.Max = Mask >> c.Shift;
        if ((c.Max & (c.Max + 1)) != 0) // holes in the mask
            throw EInvalidGraphic();
        return c;
    }
    std::uint8_t Of(std::uint32_t Pixel) const {
        if (Max == 0)
            return 0;
        std::uint64_t v = (Pixel & Mask) >> Shift;
        return static_cast<std::uint8_t>((v * 255 + Max / 2) / Max);
    }
};

// What the headers say, checked: the pixel data lies inside the file.
struct TBmpInfo {
    int Width = 0;
    int Height = 0; // rows, always positive
    bool TopDown = false;
    int BitCount = 0;
    std::uint32_t Compression = BI_RGB;
    std::size_t PixelOffset = 0;
    std::size_t Stride = 0;
    std::vector<TColor> Palette;
    TChannel Red, Green, Blue;
};

std::uint64_t RowBytes(std::uint64_t Width, int BitCount) {
    return (Width * BitCount + 31) / 32 * 4;
}

bool KnownInfoHeader(std::uint32_t Size) {
    // The information header, its OS/2 2.x form and its later, longer versions share the
    // first 40 bytes.
    return Size == 40 || Size == 52 || Size == 56 || Size == 64 || Size == 108 || Size == 124;
}

TBmpInfo ReadInfo(const TReader& In) {
    if (In.U16(0) != 0x4D42) // "BM"
        throw EInvalidGraphic();
    TBmpInfo info;
    std::uint32_t offBits = In.U32(10);
    std::uint32_t headerSize = In.U32(FileHeaderSize);
    bool core = headerSize == CoreHeaderSize;
    if (!core && !KnownInfoHeader(headerSize))
        throw EInvalidGraphic();
    if (!In.Has(FileHeaderSize, headerSize))
        throw EInvalidGraphic();
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (core) {
        width = In.U16(18);
        height = In.U16(20);
        if (In.U16(22) != 1)
            throw EInvalidGraphic();
        info.BitCount = In.U16(24);
    } else {
        width = In.I32(18);
        height = In.I32(22);
        if (In.U16(26) != 1)
            throw EInvalidGraphic();
        info.BitCount = In.U16(28);
        info.Compression = In.U32(30);
    }
    if (width < 0 || height == INT_MIN)
        throw EInvalidGraphic();
    // A picture without rows or without columns is empty, however long its other side.
    bool empty = width == 0 || height == 0;
    info.Width = empty ? 0 : static_cast<int>(width);
    info.Height = empty ? 0 : static_cast<int>(height < 0 ? -height : height);
    info.TopDown = height < 0;

    int bits = info.BitCount;
    std::uint32_t compression = info.Compression;
    bool fields = compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS;
    bool valid = (compression == BI_RGB && (bits == 1 || bits == 4 || bits == 8 || bits == 16 ||
                                            bits == 24 || bits == 32)) ||
                 (compression == BI_RLE8 && bits == 8) || (compression == BI_RLE4 && bits == 4) ||
                 (fields && (bits == 16 || bits == 32) && headerSize != 64);
    if (core && bits != 1 && bits != 4 && bits != 8 && bits != 24)
        valid = false;
    if (!valid)
        throw EInvalidGraphic();

    std::size_t paletteAt = FileHeaderSize + headerSize;
    if (fields) {
        // A plain information header is followed by the masks; longer ones hold them.
        std::size_t masksAt = FileHeaderSize + 40;
        if (headerSize == 40)
            paletteAt += compression == BI_ALPHABITFIELDS ? 16 : 12;
        info.Red = TChannel::From(In.U32(masksAt));
        info.Green = TChannel::From(In.U32(masksAt + 4));
        info.Blue = TChannel::From(In.U32(masksAt + 8));
        if (!In.Has(0, paletteAt))
            throw EInvalidGraphic();
    } else if (bits == 16) {
        info.Red = TChannel::From(0x7C00);
        info.Green = TChannel::From(0x03E0);
        info.Blue = TChannel::From(0x001F);
    }

    if (bits <= 8) {
        std::uint32_t limit = 1u << bits;
        std::uint32_t entry = core ? 3 : 4;
        std::uint32_t count = limit;
        if (core) {
            // The core header has no colour count: the palette fills the gap to the pixels.
            if (offBits > paletteAt)
                count = std::min<std::uint64_t>(limit, (offBits - paletteAt) / entry);
        } else {
            std::uint32_t used = In.U32(46);
            if (used > limit)
                throw EInvalidGraphic();
            count = used == 0 ? limit : used;
        }
        if (!In.Has(paletteAt, static_cast<std::uint64_t>(count) * entry))
            throw EInvalidGraphic();
        // Indices past a short palette show black.
        info.Palette.assign(limit, clBlack);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* q = In.At(paletteAt + i * entry);
            info.Palette[i] = RGB(q[2], q[1], q[0]);
        }
        paletteAt += static_cast<std::size_t>(count) * entry;
    }

    if (offBits < paletteAt)
        throw EInvalidGraphic();
    std::uint64_t stride = RowBytes(static_cast<std::uint64_t>(info.Width), bits);
    std::uint64_t pixels = static_cast<std::uint64_t>(info.Width) * info.Height;
    if (compression == BI_RLE8 || compression == BI_RLE4) {
        if (!In.Has(offBits, 0))
            throw EInvalidGraphic();
        std::uint64_t data = In.Size() - offBits;
        if (pixels > data * MaxRlePixelsPerByte)
            throw EInvalidGraphic();
    } else {
        std::uint64_t lastRow = (static_cast<std::uint64_t>(info.Width) * bits + 7) / 8;
        // The last row may lack its padding; every other byte must be there.
        if (pixels > 0 &&
            !In.Has(offBits, stride * (static_cast<std::uint64_t>(info.Height) - 1) + lastRow))
            throw EInvalidGraphic();
    }
    info.PixelOffset = offBits;
    info.Stride = static_cast<std::size_t>(stride);
    return info;
}

bool IsBlackOrWhite(TColor Color) {
    return Color == clBlack || Color == clWhite;
}

// Run-length data (8 or 4 bits per index) onto 24-bit rows already filled with index 0.
// Anything that would write outside the picture or read past the data is malformed.
void ReadRle(const TReader& In, const TBmpInfo& Info, TBitmap& Out) {
    bool four = Info.Compression == BI_RLE4;
    std::size_t at = Info.PixelOffset;
    std::size_t end = In.Size();
    std::int64_t x = 0;
    std::int64_t y = 0; // in file order: 0 is the first row stored
    auto row = [&](std::int64_t Y) {
        return Out.ScanLine(Info.TopDown ? static_cast<int>(Y)
                                         : Info.Height - 1 - static_cast<int>(Y));
    };
    auto put = [&](std::uint8_t* Dest, std::int64_t X, int Index) {
        WritePixel<TRowLayout::Bgr24>(Dest, static_cast<int>(X), Info.Palette[Index]);
    };
    while (true) {
        if (at + 2 > end) {
            // Data that stops without its end marker is complete only past the last row.
            if (y >= Info.Height)
                return;
            throw EInvalidGraphic();
        }
        int count = In.At(at)[0];
        int value = In.At(at)[1];
        at += 2;
        if (count > 0) {
            if (y >= Info.Height || x + count > Info.Width)
                throw EInvalidGraphic();
            std::uint8_t* dest = row(y);
            for (int i = 0; i < count; ++i)
                put(dest, x + i, four ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
            x += count;
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++y;
            break;
        case 1: // end of bitmap
            return;
        case 2: { // delta
            if (at + 2 > end)
                throw EInvalidGraphic();
            x += In.At(at)[0];
            y += In.At(at)[1];
            at += 2;
            if (x > Info.Width || y > Info.Height || (y == Info.Height && x > 0))
                throw EInvalidGraphic();
            break;
        }
        default: { // absolute: value indices follow, padded to a 16-bit boundary
            std::size_t bytes = four ? (static_cast<std::size_t>(value) + 1) / 2 : value;
            std::size_t padded = (bytes + 1) / 2 * 2;
            if (at + bytes > end || y >= Info.Height || x + value > Info.Width)
                throw EInvalidGraphic();
            std::uint8_t* dest = row(y);
            const std::uint8_t* source = In.At(at);
            for (int i = 0; i < value; ++i)
                put(dest, x + i,
                    four ? (i % 2 == 0 ? source[i / 2] >> 4 : source[i / 2] & 15) : source[i]);
            x += value;
            at += std::min(padded, end - at);
            break;
        }
        }
    }
}

void ReadRows(const TReader& In, const TBmpInfo& Info, TBitmap& Out) {
    bool mono = Info.BitCount == 1 && IsBlackOrWhite(Info.Palette[0]) &&
                IsBlackOrWhite(Info.Palette[1]) && Info.Palette[0] != Info.Palette[1];
    TPixelFormat format = Info.BitCount == 32 ? pf32bit : mono ? pf1bit : pf24bit;
    Out.SetPixelFormat(format);
    Out.SetSize(Info.Width, Info.Height);
    if (Out.Empty())
        return;
    if (Info.Compression == BI_RLE8 || Info.Compression == BI_RLE4) {
        // Pixels the runs skip keep colour index 0.
        for (int y = 0; y < Info.Height; ++y) {
            std::uint8_t* dest = Out.ScanLine(y);
            for (int x = 0; x < Info.Width; ++x)
                WritePixel<TRowLayout::Bgr24>(dest, x, Info.Palette[0]);
        }
        ReadRle(In, Info, Out);
        return;
    }
    bool fields = Info.Compression == BI_BITFIELDS || Info.Compression == BI_ALPHABITFIELDS;
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
        } else if (Info.BitCount <= 8) {
            int bits = Info.BitCount;
            int perByte = 8 / bits;
            int mask = (1 << bits) - 1;
            for (int x = 0; x < Info.Width; ++x) {
                int shift = 8 - bits * (x % perByte + 1);
                int index = (source[x / perByte] >> shift) & mask;
                WritePixel<TRowLayout::Bgr24>(dest, x, Info.Palette[index]);
            }
        } else if (Info.BitCount == 16 || fields) {
            int size = Info.BitCount / 8;
            for (int x = 0; x < Info.Width; ++x) {
                const std::uint8_t* p = source + static_cast<std::size_t>(x) * size;
                std::uint32_t pixel = size == 2 ? static_cast<std::uint32_t>(p[0] | (p[1] << 8))
                                                : p[0] | (p[1] << 8) | (p[2] << 16) |
                                                      (static_cast<std::uint32_t>(p[3]) << 24);
                TColor color = RGB(Info.Red.Of(pixel), Info.Green.Of(pixel), Info.Blue.Of(pixel));
                if (size == 2)
                    WritePixel<TRowLayout::Bgr24>(dest, x, color);
                else
                    WritePixel<TRowLayout::Bgr32>(dest, x, color);
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
