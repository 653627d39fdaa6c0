#include "support/JpegFixtures.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

std::vector<std::uint8_t> MakeJpeg(const TJpegFixture& Fixture) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &output, &size);
    info.image_width = static_cast<JDIMENSION>(Fixture.Width);
    info.image_height = static_cast<JDIMENSION>(Fixture.Height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, Fixture.Quality, TRUE);
    int h = 2, v = 2;
    switch (Fixture.Subsampling) {
    case TSubsampling::s444:
        h = v = 1;
        break;
    case TSubsampling::s422:
        v = 1;
        break;
    case TSubsampling::s420:
        break;
    case TSubsampling::s440:
        h = 1;
        break;
    }
    info.comp_info[0].h_samp_factor = h;
    info.comp_info[0].v_samp_factor = v;
    if (Fixture.Progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(Fixture.Width) * 3);
    while (info.next_scanline < info.image_height) {
        int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < Fixture.Width; ++x) {
            TRgb p = Fixture.Pixel(x, y);
            line[3 * x] = p.R;
            line[3 * x + 1] = p.G;
            line[3 * x + 2] = p.B;
        }
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> result(output, output + size);
    std::free(output);
    return result;
}

TRgb PhotoPixel(int X, int Y, int Width, int Height) {
    double u = static_cast<double>(X) / Width;
    double v = static_cast<double>(Y) / Height;
    double texture = std::sin(X * 0.9) * std::cos(Y * 0.7) * 24 + ((X * 7 + Y * 13) % 17 - 8);
    auto clamp = [](double c) {
        return static_cast<std::uint8_t>(c < 0 ? 0 : c > 255 ? 255 : c);
    };
    return {clamp(40 + 180 * u + texture), clamp(60 + 150 * v - texture * 0.5),
            clamp(200 - 120 * u * v + texture * 0.8)};
}

std::vector<std::uint8_t> WithExifOrientation(const std::vector<std::uint8_t>& Jpeg,
                                              int Orientation) {
    // "Exif\0\0", then a little-endian TIFF header and one IFD with one SHORT entry.
    std::vector<std::uint8_t> tiff = {'I',
                                      'I',
                                      42,
                                      0,
                                      8,
                                      0,
                                      0,
                                      0, // header, IFD at 8
                                      1,
                                      0, // one entry
                                      0x12,
                                      0x01,
                                      3,
                                      0,
                                      1,
                                      0,
                                      0,
                                      0, // orientation, SHORT, 1
                                      static_cast<std::uint8_t>(Orientation),
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0,
                                      0}; // no next IFD
    std::vector<std::uint8_t> payload = {'E', 'x', 'i', 'f', 0, 0};
    payload.insert(payload.end(), tiff.begin(), tiff.end());
    std::size_t length = payload.size() + 2;
    std::vector<std::uint8_t> result(Jpeg.begin(), Jpeg.begin() + 2);
    result.push_back(0xFF);
    result.push_back(0xE1);
    result.push_back(static_cast<std::uint8_t>(length >> 8));
    result.push_back(static_cast<std::uint8_t>(length & 0xFF));
    result.insert(result.end(), payload.begin(), payload.end());
    result.insert(result.end(), Jpeg.begin() + 2, Jpeg.end());
    return result;
}
