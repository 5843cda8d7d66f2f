#include "ui/skin/JpegDecoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace quillabe {

namespace {

// A progressive file may repeat scans without end; real pictures have a few dozen at most.
constexpr int kMaxScans = 500;
// libjpeg's own working memory (coefficient buffers of progressive files).
constexpr long kMaxDecoderMemory = 1024L * 1024 * 1024;

// Everything the decoding function changes lives here, in the caller's frame, so that a jump
// back from the library skips no destructor.
struct DecodeState {
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf jump{};
    bool truncated = false;
    QImage image;
    std::vector<unsigned char> row;
};

DecodeState& stateOf(j_common_ptr cinfo) {
    return *static_cast<DecodeState*>(cinfo->client_data);
}

// The library's default handler calls exit(); we return to the decoder instead.
[[noreturn]] void onError(j_common_ptr cinfo) {
    std::longjmp(stateOf(cinfo).jump, 1);
}

// Warnings are not printed; the one that matters is the end of data before the picture's end.
void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        stateOf(cinfo).truncated = true;
}

void onProgress(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        std::longjmp(stateOf(cinfo).jump, 1);
}

bool withinBounds(JDIMENSION width, JDIMENSION height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           static_cast<int64_t>(width) * height <= kMaxPicturePixels;
}

// Adobe writes CMYK inverted; other writers store plain ink values.
void cmykToRgb(const unsigned char* cmyk, uchar* rgb, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<uchar>(ink * k / 255u);
        }
    }
}

// True when the whole picture was decoded into state.image. Holds no object with a destructor:
// the library may jump back to the setjmp below from any call.
bool decode(jpeg_decompress_struct& cinfo, DecodeState& state, std::string_view bytes) {
    if (setjmp(state.jump))
        return false;
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (!withinBounds(cinfo.image_width, cinfo.image_height))
        return false;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (state.truncated || !withinBounds(cinfo.output_width, cinfo.output_height))
        return false;
    state.image = QImage(static_cast<int>(cinfo.output_width),
                         static_cast<int>(cinfo.output_height), QImage::Format_RGB888);
    if (state.image.isNull())
        return false;
    if (cmyk)
        state.row.resize(static_cast<size_t>(cinfo.output_width) * 4);
    while (cinfo.output_scanline < cinfo.output_height) {
        uchar* line = state.image.scanLine(static_cast<int>(cinfo.output_scanline));
        JSAMPROW target = cmyk ? state.row.data() : line;
        if (jpeg_read_scanlines(&cinfo, &target, 1) != 1)
            return false;
        if (cmyk)
            cmykToRgb(state.row.data(), line, cinfo.output_width, cinfo.saw_Adobe_marker);
        if (state.truncated)
            return false;
    }
    jpeg_finish_decompress(&cinfo);
    return !state.truncated;
}

} // namespace

bool LooksLikeJpeg(std::string_view bytes) {
    return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8 &&
           static_cast<unsigned char>(bytes[2]) == 0xFF;
}

QImage DecodeJpeg(std::string_view bytes) {
    if (!LooksLikeJpeg(bytes))
        return {};
    DecodeState state;
    jpeg_decompress_struct cinfo{};
    cinfo.err = jpeg_std_error(&state.errors);
    state.errors.error_exit = onError;
    state.errors.emit_message = onMessage;
    state.progress.progress_monitor = onProgress;
    cinfo.client_data = &state; // kept by the constructor below
    if (setjmp(state.jump)) {   // creating the decoder failed (out of memory)
        jpeg_destroy_decompress(&cinfo);
        return {};
    }
    jpeg_CreateDecompress(&cinfo, JPEG_LIB_VERSION, sizeof(cinfo));
    cinfo.progress = &state.progress;
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    const bool ok = decode(cinfo, state, bytes);
    jpeg_destroy_decompress(&cinfo);
    if (!ok)
        return {};
    return std::move(state.image);
}

} // namespace quillabe
