#pragma once
// JPEG pictures through libjpeg. Damaged input never ends the program: a decoding error, a
// truncated file or a declared size past the bounds gives a null image.

#include <QImage>

#include <cstdint>
#include <string_view>

namespace quillabe {

// A skin picture is a window background at most; larger declared sizes are refused before any
// pixel memory is taken.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = 64LL * 1024 * 1024;

bool LooksLikeJpeg(std::string_view bytes); // starts with the SOI marker

// RGB888 image, or a null image when the data is not a complete JPEG within the bounds.
QImage DecodeJpeg(std::string_view bytes);

} // namespace quillabe
