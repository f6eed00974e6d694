#include "pictures/jpeg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

namespace lnf {
namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    int warnings = 0;
};

[[noreturn]] void ThrowOnError(j_common_ptr cinfo) {
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    throw JpegError(message);
}

void CountWarning(j_common_ptr cinfo, int level) {
    if (level < 0) reinterpret_cast<ErrorManager*>(cinfo->err)->warnings++;
}

struct Source {
    jpeg_source_mgr pub;
    const ByteReader* reader;
    JOCTET buffer[kJpegChunk];
    bool started;
};

void InitSource(j_decompress_ptr cinfo) { reinterpret_cast<Source*>(cinfo->src)->started = true; }

boolean FillInput(j_decompress_ptr cinfo) {
    Source* src = reinterpret_cast<Source*>(cinfo->src);
    size_t n = (*src->reader)(src->buffer, kJpegChunk);
    if (n == 0) {
        // The stream ended early: supply an end-of-image marker and finish what was read.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->buffer[0] = 0xFF;
        src->buffer[1] = JPEG_EOI;
        n = 2;
    }
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = n;
    return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count) {
    Source* src = reinterpret_cast<Source*>(cinfo->src);
    if (count <= 0) return;
    while (count > long(src->pub.bytes_in_buffer)) {
        count -= long(src->pub.bytes_in_buffer);
        FillInput(cinfo);
    }
    src->pub.next_input_byte += count;
    src->pub.bytes_in_buffer -= size_t(count);
}

void TermSource(j_decompress_ptr) {}

struct Decompressor {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    Decompressor() {
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = ThrowOnError;
        err.pub.emit_message = CountWarning;
        jpeg_create_decompress(&cinfo);
    }
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

}  // namespace

namespace {
bool gHeaderOnly = false;
}  // namespace

void SetPicturesHeaderOnly(bool on) { gHeaderOnly = on; }

DecodeResult DecodeJpeg(const ByteReader& reader) {
    Decompressor d;
    Source src{};
    src.reader = &reader;
    src.pub.init_source = InitSource;
    src.pub.fill_input_buffer = FillInput;
    src.pub.skip_input_data = SkipInput;
    src.pub.resync_to_restart = jpeg_resync_to_restart;
    src.pub.term_source = TermSource;
    d.cinfo.src = &src.pub;

    jpeg_read_header(&d.cinfo, TRUE);
    // No picture of the game comes near this; a damaged header must not ask for gigabytes.
    if (d.cinfo.image_width > kMaxPictureSide || d.cinfo.image_height > kMaxPictureSide ||
        uint64_t(d.cinfo.image_width) * d.cinfo.image_height > kMaxPicturePixels)
        throw JpegError("The picture is too large (" + std::to_string(d.cinfo.image_width) + " x " +
                        std::to_string(d.cinfo.image_height) + ")");
    bool grey = d.cinfo.num_components == 1;
    if (gHeaderOnly) {
        DecodeResult blank;
        blank.image = Image(int(std::max(1u, d.cinfo.image_width / 64)), int(std::max(1u, d.cinfo.image_height / 64)),
                            grey ? 1 : 3);
        std::fill(blank.image.pixels.begin(), blank.image.pixels.end(), uint8_t(0));
        return blank;
    }
    d.cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    d.cinfo.dct_method = JDCT_ISLOW;
    d.cinfo.do_fancy_upsampling = TRUE;
    d.cinfo.do_block_smoothing = TRUE;
    jpeg_start_decompress(&d.cinfo);

    DecodeResult result;
    result.image = Image(int(d.cinfo.output_width), int(d.cinfo.output_height), grey ? 1 : 3);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        JSAMPROW row = result.image.row(int(d.cinfo.output_scanline));
        jpeg_read_scanlines(&d.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&d.cinfo);
    result.warnings = d.err.warnings;
    return result;
}

DecodeResult DecodeJpeg(const uint8_t* data, size_t size) {
    if (size == 0) throw JpegError("The picture is empty");
    size_t at = 0;
    ByteReader reader = [&](uint8_t* buffer, size_t want) {
        size_t n = std::min(want, size - at);
        std::memcpy(buffer, data + at, n);
        at += n;
        return n;
    };
    return DecodeJpeg(reader);
}

namespace {
struct Compressor {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    Compressor() {
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = ThrowOnError;
        err.pub.emit_message = CountWarning;
        jpeg_create_compress(&cinfo);
    }
    ~Compressor() {
        jpeg_destroy_compress(&cinfo);
        std::free(out);
    }
};
}  // namespace

std::vector<uint8_t> EncodeJpeg(const Image& image, int quality) {
    if (image.empty()) throw JpegError("Cannot save an empty picture");
    Compressor c;
    jpeg_mem_dest(&c.cinfo, &c.out, &c.outSize);
    c.cinfo.image_width = JDIMENSION(image.width);
    c.cinfo.image_height = JDIMENSION(image.height);
    c.cinfo.input_components = image.channels;
    c.cinfo.in_color_space = image.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c.cinfo);
    jpeg_set_quality(&c.cinfo, quality, TRUE);
    c.cinfo.dct_method = JDCT_ISLOW;
    c.cinfo.optimize_coding = FALSE;
    c.cinfo.restart_interval = 0;
    c.cinfo.restart_in_rows = 0;
    c.cinfo.smoothing_factor = 0;
    c.cinfo.write_JFIF_header = TRUE;
    c.cinfo.density_unit = 0;
    c.cinfo.X_density = 1;
    c.cinfo.Y_density = 1;
    jpeg_start_compress(&c.cinfo, TRUE);
    while (c.cinfo.next_scanline < c.cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.row(int(c.cinfo.next_scanline)));
        jpeg_write_scanlines(&c.cinfo, &row, 1);
    }
    jpeg_finish_compress(&c.cinfo);
    return std::vector<uint8_t>(c.out, c.out + c.outSize);
}

}  // namespace lnf
