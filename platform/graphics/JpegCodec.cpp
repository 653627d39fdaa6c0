#include "platform/graphics/JpegCodec.h"

#include "platform/base/Exceptions.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

#include <jerror.h>
#include <libexif/exif-data.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return. Throwing
// through libjpeg's C frames is not safe, so it jumps back to the setjmp of the one function
// that drives libjpeg; everything with a destructor lives outside that function.
struct TErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
};

void ErrorExit(j_common_ptr Info) {
    std::longjmp(reinterpret_cast<TErrorManager*>(Info->err)->Jump, 1);
}

void OutputMessage(j_common_ptr) {}

void InstallErrorManager(jpeg_error_mgr* Manager) {
    jpeg_std_error(Manager);
    Manager->error_exit = ErrorExit;
    Manager->output_message = OutputMessage;
}

// Beyond this the decoder fails with its own error instead of exhausting the machine (a
// progressive file holds its whole coefficient buffer: 72 MB at 24 MP).
constexpr long kMaxDecoderMemory = 1L << 30;

int OrientationOf(const std::uint8_t* Data, unsigned Size) {
    ExifData* exif = exif_data_new();
    if (exif == nullptr)
        return 1;
    // Read what the file says; do not repair or add tags.
    exif_data_unset_option(exif, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(exif, Data, Size);
    int orientation = 1;
    if (ExifEntry* entry = exif_data_get_entry(exif, EXIF_TAG_ORIENTATION);
        entry != nullptr && entry->format == EXIF_FORMAT_SHORT && entry->components >= 1 &&
        entry->size >= 2) {
        int value = exif_get_short(entry->data, exif_data_get_byte_order(exif));
        if (value >= 1 && value <= 8)
            orientation = value;
    }
    exif_data_unref(exif);
    return orientation;
}

bool Transposed(int Orientation) {
    return Orientation >= 5;
}

struct THeaderJob {
    jpeg_decompress_struct Info{};
    TErrorManager Error{};
    const TBytes* Data = nullptr;
    std::size_t ScanStart = 0; // where the first scan's data begins
    int Orientation = 1;
};

bool RunHeader(THeaderJob* Job) {
    if (setjmp(Job->Error.Jump) != 0)
        return false;
    jpeg_create_decompress(&Job->Info);
    jpeg_mem_src(&Job->Info, Job->Data->data(), static_cast<unsigned long>(Job->Data->size()));
    jpeg_save_markers(&Job->Info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&Job->Info, TRUE);
    Job->ScanStart = Job->Data->size() - Job->Info.src->bytes_in_buffer;
    for (jpeg_saved_marker_ptr m = Job->Info.marker_list; m != nullptr; m = m->next) {
        if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 &&
            std::memcmp(m->data, "Exif\0\0", 6) == 0) {
            Job->Orientation = OrientationOf(m->data, m->data_length);
            break;
        }
    }
    return true;
}

// A stream cut short still decodes (libjpeg pads it with grey and warns); finding no end
// marker after the scan data is how a truncated file shows.
bool HasEndMarker(const TBytes& Data, std::size_t From) {
    for (std::size_t i = Data.size(); i >= From + 2; --i) {
        if (Data[i - 2] == 0xFF && Data[i - 1] == 0xD9)
            return true;
    }
    return false;
}

struct TDecodeJob {
    jpeg_decompress_struct Info{};
    TErrorManager Error{};
    const TBytes* Data = nullptr;
    std::uint8_t* const* Rows = nullptr;
    int StoredWidth = 0;
    int StoredHeight = 0;
    bool Transposed = false;
    // Along the destination axis that follows source rows: the source row of each entry, in
    // the order of increasing source row.
    std::vector<int> Order;
    std::vector<int> RowOf;
    // Along the other axis: the source column of each entry.
    std::vector<int> ColumnOf;
    bool IdentityColumns = false;
    std::vector<std::uint8_t> Line;
};

void PutPixel(std::uint8_t* Dest, const std::uint8_t* Source, bool Cmyk, bool Inverted) {
    if (!Cmyk) {
        Dest[0] = Source[0];
        Dest[1] = Source[1];
        Dest[2] = Source[2];
        return;
    }
    // Adobe writes CMYK inverted: each sample is the light left (255 means no ink).
    unsigned k = Inverted ? Source[3] : 255u - Source[3];
    for (int c = 0; c < 3; ++c) {
        unsigned light = Inverted ? Source[2 - c] : 255u - Source[2 - c];
        Dest[c] = static_cast<std::uint8_t>((light * k + 127) / 255);
    }
}

void Distribute(TDecodeJob* Job, const std::uint8_t* Line, int Entry, bool Cmyk, bool Inverted) {
    int pixel = Cmyk ? 4 : 3;
    int count = static_cast<int>(Job->ColumnOf.size());
    if (!Job->Transposed) {
        std::uint8_t* dest = Job->Rows[Entry];
        if (dest == Line)
            return;
        for (int j = 0; j < count; ++j)
            PutPixel(dest + 3 * j, Line + pixel * Job->ColumnOf[j], Cmyk, Inverted);
    } else {
        for (int j = 0; j < count; ++j)
            PutPixel(Job->Rows[j] + 3 * Entry, Line + pixel * Job->ColumnOf[j], Cmyk, Inverted);
    }
}

bool RunDecode(TDecodeJob* Job) {
    if (setjmp(Job->Error.Jump) != 0)
        return false;
    j_decompress_ptr info = &Job->Info;
    jpeg_create_decompress(info);
    info->mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(info, Job->Data->data(), static_cast<unsigned long>(Job->Data->size()));
    jpeg_read_header(info, TRUE);
    // The maps were made for the size ReadJpegInfo found; other data must not index them.
    if (info->image_width != static_cast<JDIMENSION>(Job->StoredWidth) ||
        info->image_height != static_cast<JDIMENSION>(Job->StoredHeight))
        ERREXIT(info, JERR_EMPTY_IMAGE);
    bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    bool inverted = cmyk && info->saw_Adobe_marker;
    info->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(info);
    // Skipping is exact with libjpeg's default (fancy) upsampling; a multi-scan file keeps its
    // whole coefficient buffer anyway, so it reads every row.
    bool skip = !jpeg_has_multiple_scans(info);
    JSAMPROW line = Job->Line.data();
    std::size_t entries = Job->Order.size();
    std::size_t k = 0;
    while (k < entries) {
        int entry = Job->Order[k];
        JDIMENSION row = static_cast<JDIMENSION>(Job->RowOf[entry]);
        while (info->output_scanline < row) {
            if (skip)
                jpeg_skip_scanlines(info, row - info->output_scanline);
            else
                jpeg_read_scanlines(info, &line, 1);
        }
        // A full-width upright row is decoded straight into its destination.
        JSAMPROW target = line;
        if (!Job->Transposed && Job->IdentityColumns && !cmyk)
            target = Job->Rows[entry];
        jpeg_read_scanlines(info, &target, 1);
        Distribute(Job, target, entry, cmyk, inverted);
        std::size_t first = k;
        for (++k; k < entries && Job->RowOf[Job->Order[k]] == static_cast<int>(row); ++k) {
            int other = Job->Order[k];
            if (!Job->Transposed)
                std::memcpy(Job->Rows[other], Job->Rows[Job->Order[first]],
                            3 * Job->ColumnOf.size());
            else
                Distribute(Job, target, other, cmyk, inverted);
        }
    }
    // The rows below the last one sampled are never decoded.
    jpeg_abort_decompress(info);
    return true;
}

struct TEncodeJob {
    jpeg_compress_struct Info{};
    TErrorManager Error{};
    int Width = 0;
    int Height = 0;
    TJpegInput Input = TJpegInput::Rgb;
    const TJpegRowSource* Source = nullptr;
    TJpegSettings Settings;
    std::vector<std::uint8_t> Line;
    unsigned char* Output = nullptr;
    unsigned long OutputSize = 0;
};

bool RunEncode(TEncodeJob* Job) {
    if (setjmp(Job->Error.Jump) != 0)
        return false;
    j_compress_ptr info = &Job->Info;
    jpeg_create_compress(info);
    jpeg_mem_dest(info, &Job->Output, &Job->OutputSize);
    info->image_width = static_cast<JDIMENSION>(Job->Width);
    info->image_height = static_cast<JDIMENSION>(Job->Height);
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    info->dct_method = JDCT_FLOAT;
    jpeg_set_quality(info, Job->Settings.Quality, TRUE);
    if (Job->Settings.Grayscale)
        jpeg_set_colorspace(info, JCS_GRAYSCALE);
    if (Job->Settings.Progressive)
        jpeg_simple_progression(info);
    // Only the order of the samples in a row changes; the settings stay those for RGB.
    if (Job->Input == TJpegInput::Bgr)
        info->in_color_space = JCS_EXT_BGR;
    else if (Job->Input == TJpegInput::Bgrx) {
        info->in_color_space = JCS_EXT_BGRX;
        info->input_components = 4;
    }
    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        // libjpeg takes rows as writable but only reads them.
        JSAMPROW row = const_cast<JSAMPROW>(
            (*Job->Source)(static_cast<int>(info->next_scanline), Job->Line.data()));
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

[[noreturn]] void Fail(int Code) {
    throw EJPEG(Code);
}

} // namespace

TJpegInfo ReadJpegInfo(const TBytes& Data) {
    THeaderJob job;
    job.Data = &Data;
    InstallErrorManager(&job.Error.Pub);
    job.Info.err = &job.Error.Pub;
    bool ok = RunHeader(&job);
    int code = job.Error.Pub.msg_code;
    TJpegInfo result;
    if (ok) {
        int width = static_cast<int>(job.Info.image_width);
        int height = static_cast<int>(job.Info.image_height);
        result.Orientation = job.Orientation;
        result.Width = Transposed(job.Orientation) ? height : width;
        result.Height = Transposed(job.Orientation) ? width : height;
    }
    jpeg_destroy_decompress(&job.Info);
    if (!ok)
        Fail(code);
    if (!HasEndMarker(Data, job.ScanStart))
        Fail(JWRN_JPEG_EOF);
    return result;
}

void DecodeJpeg(const TBytes& Data, const TJpegInfo& Info, int Width, int Height,
                std::uint8_t* const* Rows) {
    if (Width <= 0 || Height <= 0 || Info.Width <= 0 || Info.Height <= 0)
        return;
    TDecodeJob job;
    job.Data = &Data;
    job.Rows = Rows;
    job.Transposed = Transposed(Info.Orientation);
    // Stored size, before orientation.
    int storedWidth = job.Transposed ? Info.Height : Info.Width;
    int storedHeight = job.Transposed ? Info.Width : Info.Height;
    job.StoredWidth = storedWidth;
    job.StoredHeight = storedHeight;
    // Upright (x, y) comes from stored (u, v):
    // 1 (x, y)  2 (W-1-x, y)  3 (W-1-x, H-1-y)  4 (x, H-1-y)
    // 5 (y, x)  6 (y, H-1-x)  7 (W-1-y, H-1-x)  8 (W-1-y, x)
    int o = Info.Orientation;
    bool flipColumns = o == 2 || o == 3 || o == 7 || o == 8;
    bool flipRows = o == 3 || o == 4 || o == 6 || o == 7;
    int rowEntries = job.Transposed ? Width : Height;
    int columnEntries = job.Transposed ? Height : Width;
    job.RowOf.resize(rowEntries);
    for (int i = 0; i < rowEntries; ++i) {
        int s = NearestSource(i, storedHeight, rowEntries);
        job.RowOf[i] = flipRows ? storedHeight - 1 - s : s;
    }
    job.ColumnOf.resize(columnEntries);
    job.IdentityColumns = !flipColumns && columnEntries == storedWidth;
    for (int j = 0; j < columnEntries; ++j) {
        int s = NearestSource(j, storedWidth, columnEntries);
        job.ColumnOf[j] = flipColumns ? storedWidth - 1 - s : s;
    }
    job.Order.resize(rowEntries);
    for (int i = 0; i < rowEntries; ++i)
        job.Order[i] = flipRows ? rowEntries - 1 - i : i;
    job.Line.resize(static_cast<std::size_t>(storedWidth) * 4);
    InstallErrorManager(&job.Error.Pub);
    job.Info.err = &job.Error.Pub;
    bool ok = RunDecode(&job);
    int code = job.Error.Pub.msg_code;
    jpeg_destroy_decompress(&job.Info);
    if (!ok)
        Fail(code);
}

TBytes EncodeJpeg(int Width, int Height, TJpegInput Input, const TJpegRowSource& Source,
                  const TJpegSettings& Settings) {
    TEncodeJob job;
    job.Input = Input;
    job.Width = std::max(Width, 0);
    job.Height = std::max(Height, 0);
    job.Source = &Source;
    job.Settings = Settings;
    job.Settings.Quality = std::clamp(Settings.Quality, 1, 100);
    job.Line.resize(static_cast<std::size_t>(job.Width) * 3 + 1);
    InstallErrorManager(&job.Error.Pub);
    job.Info.err = &job.Error.Pub;
    bool ok = RunEncode(&job);
    int code = job.Error.Pub.msg_code;
    jpeg_destroy_compress(&job.Info);
    TBytes result;
    if (ok)
        result.assign(job.Output, job.Output + job.OutputSize);
    std::free(job.Output);
    if (!ok)
        Fail(code);
    return result;
}
