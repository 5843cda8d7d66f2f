// Skin pictures. Any bytes are loaded as a picture file (JPEG through our libjpeg decoder, any
// other format through Qt): the result is a null image or one within the size bounds, never a
// crash, a hang or an allocation past the bounds.

#include "fuzz/FuzzSupport.h"
#include "ui/skin/JpegDecoder.h"
#include "ui/skin/SkinPicture.h"

#include <cstdlib>
#include <string>

using namespace quillabe;

namespace {

void checkImage(const QImage& image, const char* how) {
    if (image.isNull())
        return;
    const int64_t w = image.width(), h = image.height();
    FUZZ_CHECK(w > 0 && h > 0 && w <= kMaxPictureSide && h <= kMaxPictureSide &&
                   w * h <= kMaxPicturePixels,
               std::string(how) + " gave " + std::to_string(w) + "x" + std::to_string(h));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Qt's readers report every damaged file; thousands of runs need no such lines.
    setenv("QT_LOGGING_RULES", "qt.gui.imageio*=false", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (LooksLikeJpeg(bytes)) {
        const QImage image = DecodeJpeg(bytes);
        checkImage(image, "DecodeJpeg");
        FUZZ_CHECK(image.isNull() || image.format() == QImage::Format_RGB888, "not RGB888");
    }
    checkImage(LoadPictureFile(fuzz::WriteScratchFile("PICTURE.JPG", bytes)), "LoadPictureFile");
    return 0;
}
