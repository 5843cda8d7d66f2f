#pragma once
// Skin pictures: loading a picture file whatever can go wrong with it, and painting it crisply at
// any device pixel ratio. Beside a picture "name.ext" a skin may ship "name@2x.ext", twice as
// large, which high-density screens get instead of an enlarged copy.

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>

class QPainter;
class QPoint;

namespace quillabe {

// Files larger than this are not read as pictures.
inline constexpr int64_t kMaxPictureFileBytes = 256LL * 1024 * 1024;

// One picture file: JPEG (known by its content) through libjpeg, any other format through
// QImage. A missing, unreadable, damaged, truncated or oversized file gives a null image.
QImage LoadPictureFile(const std::string& path);

// The path as it stands when it exists; otherwise each part matched without regard to letter
// case (skin files name their pictures in capitals); the path unchanged when nothing matches.
std::string ResolvePathIgnoringCase(const std::string& path);

// "dir/name.ext" to "dir/name@2x.ext".
std::string DoubledPictureName(const std::string& path);

class SkinPicture {
public:
    SkinPicture() = default;
    // A doubled image that is not exactly twice the size of the normal one is ignored.
    explicit SkinPicture(QImage normal, QImage doubled = {});

    // The picture a skin layout names by its full path, with its "@2x" companion when there is
    // one. An empty path (no picture) gives a null picture. The companion is read when a
    // high-density device first asks for it: at 100 % it would only take memory (the doubled
    // background alone is four times the size of the normal one).
    static SkinPicture Load(const std::string& path);

    bool IsNull() const { return normal_.isNull(); }
    bool HasDoubled() const { return !Doubled().isNull(); }
    QSize Size() const { return normal_.size(); } // in device-independent pixels

    // The image that suits the device pixel ratio, its own ratio set so that it covers Size().
    QImage ForScale(qreal devicePixelRatio) const;
    // Paints the picture at its own size, the top left corner at `at`, for the painter's device.
    void Paint(QPainter& painter, const QPoint& at) const;

private:
    struct DoubledImage {
        std::string path; // still to be read when not empty
        QImage image;
    };
    const QImage& Doubled() const;

    QImage normal_;
    // Shared by copies, so the companion is read at most once.
    std::shared_ptr<DoubledImage> doubled_;
};

} // namespace quillabe
