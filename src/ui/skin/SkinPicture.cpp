#include "ui/skin/SkinPicture.h"

#include "base/PathUtils.h"
#include "base/TextUtils.h"
#include "ui/skin/JpegDecoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QPaintEngine>
#include <QPainter>

#include <filesystem>
#include <fstream>

namespace quillabe {

namespace {

bool withinBounds(const QSize& size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide &&
           size.height() <= kMaxPictureSide &&
           static_cast<int64_t>(size.width()) * size.height() <= kMaxPicturePixels;
}

// The whole file, or false for anything but a regular file of sane size (a FIFO or a device
// would block or never end).
bool readPictureBytes(const std::string& path, std::string& bytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size == 0 || size > static_cast<uintmax_t>(kMaxPictureFileBytes))
        return false;
    std::ifstream in(path, std::ios::binary);
    bytes.resize(size);
    return static_cast<bool>(in.read(bytes.data(), static_cast<std::streamsize>(size)));
}

QImage decodeWithQt(const std::string& bytes) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // Refuse a huge declared size before the reader takes the memory for it.
    QSize declared = reader.size();
    if (declared.isValid() && !withinBounds(declared))
        return {};
    QImage image = reader.read();
    if (image.isNull() || !withinBounds(image.size()))
        return {};
    return image;
}

} // namespace

QImage LoadPictureFile(const std::string& path) {
    std::string bytes;
    if (!readPictureBytes(path, bytes))
        return {};
    if (LooksLikeJpeg(bytes))
        return DecodeJpeg(bytes);
    return decodeWithQt(bytes);
}

std::string ResolvePathIgnoringCase(const std::string& path) {
    if (path.empty() || PathExists(path))
        return path;
    std::string resolved;
    size_t start = 0;
    if (path[0] == kPathDelim) {
        resolved = "/";
        start = 1;
    }
    while (start <= path.size()) {
        size_t end = path.find(kPathDelim, start);
        if (end == std::string::npos)
            end = path.size();
        std::string part = path.substr(start, end - start);
        if (!part.empty()) {
            std::string dir = resolved.empty() ? std::string("./") : AddBackslash(resolved);
            std::string found = FindFileIgnoringCase(dir, part);
            if (!PathExists(found))
                return path;
            resolved = resolved.empty() ? found.substr(2) : found;
        }
        start = end + 1;
    }
    return resolved;
}

std::string DoubledPictureName(const std::string& path) {
    std::string ext = ExtractFileExt(path);
    return path.substr(0, path.size() - ext.size()) + "@2x" + ext;
}

SkinPicture::SkinPicture(QImage normal, QImage doubled)
    : normal_(std::move(normal)), doubled_(std::make_shared<DoubledImage>()) {
    if (!normal_.isNull() && doubled.size() == normal_.size() * 2)
        doubled_->image = std::move(doubled);
}

SkinPicture SkinPicture::Load(const std::string& path) {
    if (path.empty())
        return {};
    QImage normal = LoadPictureFile(ResolvePathIgnoringCase(path));
    if (normal.isNull())
        return {};
    SkinPicture picture(std::move(normal));
    picture.doubled_->path = DoubledPictureName(path);
    return picture;
}

const QImage& SkinPicture::Doubled() const {
    static const QImage none;
    if (!doubled_)
        return none;
    if (!doubled_->path.empty()) {
        QImage doubled = LoadPictureFile(ResolvePathIgnoringCase(doubled_->path));
        doubled_->path.clear();
        if (doubled.size() == normal_.size() * 2)
            doubled_->image = std::move(doubled);
    }
    return doubled_->image;
}

QImage SkinPicture::ForScale(qreal devicePixelRatio) const {
    const bool doubled = devicePixelRatio > 1.0 && HasDoubled();
    QImage image = doubled ? Doubled() : normal_;
    image.setDevicePixelRatio(doubled ? 2.0 : 1.0);
    return image;
}

void SkinPicture::Paint(QPainter& painter, const QPoint& at) const {
    if (IsNull())
        return;
    // The engine's device is where the pixels land: for a widget drawn through render() that is
    // the target image, whose density may differ from the widget's screen.
    QPaintDevice* device = painter.paintEngine() && painter.paintEngine()->paintDevice()
                               ? painter.paintEngine()->paintDevice()
                               : painter.device();
    QImage image = ForScale(device->devicePixelRatio());
    // Enlarging or reducing happens only without a matching picture; smooth beats blocky there.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(at, Size()), image);
    painter.restore();
}

} // namespace quillabe
