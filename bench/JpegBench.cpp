// A photo drawn into a board cell and the board encoded, each beside libjpeg-turbo doing the
// same work on its own, so the ratio of the two is the figure to watch.

#include "HeapCounter.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/JpegImage.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kCellWidth = 120;
constexpr int kCellHeight = 160;

// Smooth light with texture and a little noise, like a photo, so the entropy data is of a
// realistic size.
void PhotoRow(int Y, int Width, int Height, std::uint8_t* Rgb) {
    for (int x = 0; x < Width; ++x) {
        unsigned hash = static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(Y) * 40503u;
        int noise = static_cast<int>((hash >> 13) % 21) - 10;
        int u = x * 255 / Width;
        int v = Y * 255 / Height;
        int texture = ((x / 7 + Y / 5) % 9) * 4;
        auto clamp = [](int c) {
            return static_cast<std::uint8_t>(c < 0 ? 0 : c > 255 ? 255 : c);
        };
        Rgb[3 * x] = clamp(u / 2 + 60 + texture + noise);
        Rgb[3 * x + 1] = clamp(v / 2 + 40 + noise);
        Rgb[3 * x + 2] = clamp(200 - (u + v) / 3 + texture / 2 + noise);
    }
}

// 4:2:0 at quality 90, as a camera would write it.
TBytes MakePhoto(int Width, int Height) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &output, &size);
    info.image_width = static_cast<JDIMENSION>(Width);
    info.image_height = static_cast<JDIMENSION>(Height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(Width) * 3);
    JSAMPROW row = line.data();
    while (info.next_scanline < info.image_height) {
        PhotoRow(static_cast<int>(info.next_scanline), Width, Height, line.data());
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    TBytes result(output, output + size);
    std::free(output);
    return result;
}

const TBytes& Photo(int Megapixels) {
    static std::map<int, TBytes> photos;
    auto found = photos.find(Megapixels);
    if (found == photos.end()) {
        int width = Megapixels == 24 ? 6000 : 4000;
        int height = Megapixels == 24 ? 4000 : 3000;
        found = photos.emplace(Megapixels, MakePhoto(width, height)).first;
    }
    return found->second;
}

// libjpeg-turbo's own streaming decode: every row into one reusable row buffer.
void LibjpegDecode(const TBytes& Data) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, Data.data(), static_cast<unsigned long>(Data.size()));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(info.output_width) *
                                   info.output_components);
    JSAMPROW row = line.data();
    while (info.output_scanline < info.output_height)
        jpeg_read_scanlines(&info, &row, 1);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(line.data());
}

void BM_DrawCell(benchmark::State& State) {
    const TBytes& data = Photo(static_cast<int>(State.range(0)));
    TBitmap cell;
    cell.SetSize(kCellWidth, kCellHeight);
    for (auto _ : State) {
        // A fresh picture each time: a second paint at the same size would not decode.
        State.PauseTiming();
        auto jpeg = std::make_unique<TJPEGImage>();
        jpeg->LoadFromBytes(data);
        State.ResumeTiming();
        jpeg->Draw(cell.Canvas(), Rect(0, 0, kCellWidth, kCellHeight));
        State.PauseTiming();
        jpeg.reset();
        State.ResumeTiming();
    }
}

void BM_LibjpegDecode(benchmark::State& State) {
    const TBytes& data = Photo(static_cast<int>(State.range(0)));
    for (auto _ : State)
        LibjpegDecode(data);
}

// The board as a snapshot holds it: 32 bits per pixel, cells of photo, seams and markers.
TBitmap& Board() {
    static TBitmap board;
    if (board.Empty()) {
        board.SetPixelFormat(pfDevice);
        board.SetSize(480, 320);
        std::vector<std::uint8_t> rgb(480 * 3);
        for (int y = 0; y < 320; ++y) {
            PhotoRow(y, 480, 320, rgb.data());
            std::uint8_t* line = board.ScanLine(y);
            for (int x = 0; x < 480; ++x) {
                bool seam = x % 120 == 119 || y % 160 == 159;
                line[4 * x] = seam ? 255 : rgb[3 * x + 2];
                line[4 * x + 1] = seam ? 255 : rgb[3 * x + 1];
                line[4 * x + 2] = seam ? 255 : rgb[3 * x];
            }
        }
    }
    return board;
}

void BM_EncodeBoard(benchmark::State& State) {
    TJPEGImage jpeg;
    jpeg.Assign(&Board());
    jpeg.SetCompressionQuality(80);
    for (auto _ : State)
        benchmark::DoNotOptimize(jpeg.SaveToBytes());
}

// The whole save step: the image takes a copy of the board, then compresses it.
void BM_AssignAndEncodeBoard(benchmark::State& State) {
    for (auto _ : State) {
        TJPEGImage jpeg;
        jpeg.Assign(&Board());
        jpeg.SetCompressionQuality(80);
        benchmark::DoNotOptimize(jpeg.SaveToBytes());
    }
}

// The same pixels, already RGB, straight through libjpeg with the same settings.
void BM_LibjpegEncode(benchmark::State& State) {
    TBitmap& board = Board();
    std::vector<std::uint8_t> rgb(480 * 320 * 3);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 480; ++x)
            for (int c = 0; c < 3; ++c)
                rgb[(y * 480 + x) * 3 + c] = board.ScanLine(y)[4 * x + 2 - c];
    for (auto _ : State) {
        jpeg_compress_struct info{};
        jpeg_error_mgr error{};
        info.err = jpeg_std_error(&error);
        jpeg_create_compress(&info);
        unsigned char* output = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&info, &output, &size);
        info.image_width = 480;
        info.image_height = 320;
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        info.dct_method = JDCT_FLOAT;
        jpeg_set_quality(&info, 80, TRUE);
        jpeg_start_compress(&info, TRUE);
        while (info.next_scanline < info.image_height) {
            JSAMPROW row = rgb.data() + info.next_scanline * 480 * 3;
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        benchmark::DoNotOptimize(output);
        std::free(output);
    }
}

BENCHMARK(BM_DrawCell)->Arg(12)->Arg(24)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LibjpegDecode)->Arg(12)->Arg(24)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_EncodeBoard)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_AssignAndEncodeBoard)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_LibjpegEncode)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

// Keeps each run's times per iteration for the ratios printed at the end.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override {
        for (const Run& run : Runs)
            if (run.run_type == Run::RT_Iteration)
                Times[run.benchmark_name()] = {run.GetAdjustedCPUTime(), run.GetAdjustedRealTime()};
        ConsoleReporter::ReportRuns(Runs);
    }
    std::map<std::string, std::pair<double, double>> Times;
};

void PrintRatio(const TRatioReporter& Reporter, const char* What, const std::string& Ours,
                const std::string& Theirs, double Goal) {
    auto ours = Reporter.Times.find(Ours);
    auto theirs = Reporter.Times.find(Theirs);
    if (ours == Reporter.Times.end() || theirs == Reporter.Times.end())
        return;
    // CPU time is the figure: on a shared machine the wall clock also counts other work.
    std::printf("%-34s %.3f CPU, %.3f wall (goal <= %.2f)\n", What,
                ours->second.first / theirs->second.first,
                ours->second.second / theirs->second.second, Goal);
}

// Heap a held picture uses beyond its file's bytes after it is drawn into a cell, and the
// most in use while drawing.
void PrintHeap(int Megapixels) {
    const TBytes& data = Photo(Megapixels);
    TBitmap cell;
    cell.SetSize(kCellWidth, kCellHeight);
    std::size_t before = HeapInUse();
    ResetHeapPeak();
    {
        TJPEGImage jpeg;
        jpeg.LoadFromBytes(data);
        jpeg.Draw(cell.Canvas(), Rect(0, 0, kCellWidth, kCellHeight));
        double held = static_cast<double>(HeapInUse() - before) - static_cast<double>(data.size());
        double peak = static_cast<double>(HeapPeak() - before) - static_cast<double>(data.size());
        std::printf("heap %2d MP picture beyond its %.1f MB file: held %.3f MB (goal <= 0.30), "
                    "peak while drawing %.3f MB\n",
                    Megapixels, data.size() / 1e6, held / 1e6, peak / 1e6);
    }
    ResetHeapPeak();
    before = HeapInUse();
    LibjpegDecode(data);
    std::printf("heap %2d MP libjpeg's own decode: peak %.3f MB\n", Megapixels,
                static_cast<double>(HeapPeak() - before) / 1e6);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Photo(12);
    Photo(24);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    PrintRatio(reporter, "draw 12 MP into a cell / libjpeg", "BM_DrawCell/12/min_time:2.000",
               "BM_LibjpegDecode/12/min_time:2.000", 1.05);
    PrintRatio(reporter, "draw 24 MP into a cell / libjpeg", "BM_DrawCell/24/min_time:2.000",
               "BM_LibjpegDecode/24/min_time:2.000", 1.05);
    PrintRatio(reporter, "encode board q80 / libjpeg", "BM_EncodeBoard/min_time:1.000",
               "BM_LibjpegEncode/min_time:1.000", 1.2);
    PrintRatio(reporter, "assign and encode board / libjpeg",
               "BM_AssignAndEncodeBoard/min_time:1.000", "BM_LibjpegEncode/min_time:1.000", 1.2);
    PrintHeap(12);
    PrintHeap(24);
    benchmark::Shutdown();
    return 0;
}
