// Skin pictures: the shipped art, and damaged files that must give a null picture, never a crash,
// a hang or a giant allocation.

#include "ui/skin/SkinPicture.h"
#include "support/TempDir.h"
#include "ui/skin/JpegDecoder.h"
#include "ui/skin/SkinLayout.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>
#include <sys/stat.h>

using namespace quillabe;

namespace {

const std::string kSkinDir = std::string(QUILLABE_SOURCE) + "/data/skin/ozu/skin/";

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The shipped background with the frame size in its SOF header replaced.
std::string jpegDeclaring(int width, int height) {
    std::string bytes = readBytes(kSkinDir + "main_background.jpg");
    for (size_t i = 2; i + 9 < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i + 1]);
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && b >= 0xC0 && b <= 0xC2) {
            bytes[i + 5] = static_cast<char>(height >> 8);
            bytes[i + 6] = static_cast<char>(height & 0xFF);
            bytes[i + 7] = static_cast<char>(width >> 8);
            bytes[i + 8] = static_cast<char>(width & 0xFF);
            return bytes;
        }
    }
    ADD_FAILURE() << "no frame header";
    return bytes;
}

// A BMP file header and info header declaring a size, with no pixels behind them.
std::string bmpDeclaring(int32_t width, int32_t height) {
    std::string h(54, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            h[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    h[0] = 'B';
    h[1] = 'M';
    put32(2, 54 + 12);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    h[26] = 1;
    h[28] = 24;
    return h + std::string(12, '\x7f');
}

int channelGap(QColor a, QColor b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

TEST(SkinPicture, ShippedSkinNamesOnlyPicturesThatLoadWithTheirDoubles) {
    SkinLayout layout;
    ASSERT_TRUE(LoadSkinLayoutFile(kSkinDir + "skin.ini", layout));
    auto expectPicture = [](const std::string& path, const SkinRect& rect) {
        SkinPicture picture = SkinPicture::Load(path);
        ASSERT_FALSE(picture.IsNull()) << path;
        EXPECT_TRUE(picture.HasDoubled()) << path;
        EXPECT_EQ(picture.Size(), QSize(rect.width, rect.height)) << path;
    };
    expectPicture(layout.ImageMain.picture, layout.ImageMain.rect);
    auto buttons = [&](const auto& list) {
        for (const SkinButton& b : list)
            for (const std::string& picture : b.pictures)
                expectPicture(picture, b.rect);
    };
    buttons(layout.ToolbarButtons);
    buttons(layout.MainButtons);
    buttons(layout.SystemButtons);
    for (const SkinImageControl& line : layout.ToolbarImageLines)
        expectPicture(line.picture, line.rect);
    expectPicture(layout.SplashLeftImage, {0, 0, 125, 278});
}

TEST(SkinPicture, JpegDecodesThroughLibjpegWithItsColours) {
    QImage image = DecodeJpeg(readBytes(kSkinDir + "main_background.jpg"));
    ASSERT_EQ(image.size(), QSize(754, 571));
    EXPECT_EQ(LoadPictureFile(kSkinDir + "MAIN_BACKGROUND.JPG"), QImage()) << "names are exact";
    EXPECT_EQ(LoadPictureFile(kSkinDir + "main_background.jpg"), image);
    EXPECT_LT(channelGap(image.pixelColor(400, 400), QColor(244, 246, 249)), 6) << "media panel";
    EXPECT_LT(image.pixelColor(400, 15).lightness(), 40) << "title strip";
    EXPECT_LT(channelGap(image.pixelColor(300, 100), Qt::white), 6) << "file list well";
}

TEST(SkinPicture, DamagedFilesGiveNullPictures) {
    test::TempDir dir;
    const std::string jpeg = readBytes(kSkinDir + "main_background.jpg");
    ASSERT_GT(jpeg.size(), 1000u);
    std::mt19937 random(7);
    std::string noise(4096, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    std::string jpegNoise = std::string("\xFF\xD8\xFF", 3) + noise;

    struct Damaged {
        const char* name;
        std::string bytes;
    };
    const Damaged cases[] = {
        {"truncated JPEG", jpeg.substr(0, jpeg.size() / 2)},
        {"JPEG cut inside its header", jpeg.substr(0, 40)},
        {"JPEG declaring 65500 x 65500", jpegDeclaring(65500, 65500)},
        {"JPEG declaring 20000 x 8", jpegDeclaring(20000, 8)},
        {"JPEG declaring 10000 x 10000 (over 64 Mpixel)", jpegDeclaring(10000, 10000)},
        {"JPEG declaring 0 x 0", jpegDeclaring(0, 0)},
        {"JPEG marker then noise", jpegNoise},
        {"random bytes", noise},
        {"empty file", ""},
        {"BMP declaring 100000 x 100000", bmpDeclaring(100000, 100000)},
        {"BMP declaring a negative width", bmpDeclaring(-5, 5)},
        {"text", "[MAINFORM]\nImageMainPic=x.jpg\n"},
    };
    for (const Damaged& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.Write("damaged.jpg", c.bytes);
        auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(LoadPictureFile(path).isNull());
        EXPECT_TRUE(SkinPicture::Load(path).IsNull());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    }
}

TEST(SkinPicture, MissingFoldersAndPipesGiveNullPictures) {
    test::TempDir dir;
    EXPECT_TRUE(LoadPictureFile(dir.File("missing.bmp")).isNull());
    EXPECT_TRUE(LoadPictureFile(dir.Path()).isNull());
    EXPECT_TRUE(SkinPicture::Load("").IsNull());
    // A pipe with no writer would block a plain read for ever.
    std::string fifo = dir.File("pipe.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(LoadPictureFile(fifo).isNull());
}

TEST(SkinPicture, BitmapsThroughQtAndNamesInAnyLetterCase) {
    test::TempDir dir;
    QImage source(3, 2, QImage::Format_RGB32);
    source.fill(QColor(10, 200, 30));
    source.setPixelColor(2, 1, QColor(250, 5, 60));
    std::string folder = dir.Path() + "Sub/";
    dir.Write("Sub/keep", "");
    ASSERT_TRUE(source.save(QString::fromStdString(folder + "Pic.bmp"), "BMP"));

    // Skin files name their pictures upper-cased.
    SkinPicture picture = SkinPicture::Load(dir.Path() + "SUB/PIC.BMP");
    ASSERT_FALSE(picture.IsNull());
    QImage image = picture.ForScale(1.0);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(10, 200, 30));
    EXPECT_EQ(image.pixelColor(2, 1), QColor(250, 5, 60));
    EXPECT_EQ(ResolvePathIgnoringCase(dir.Path() + "SUB/PIC.BMP"), folder + "Pic.bmp");
    EXPECT_EQ(ResolvePathIgnoringCase(dir.Path() + "SUB/NONE.BMP"), dir.Path() + "SUB/NONE.BMP");
}

TEST(SkinPicture, DoubledCompanionPaintsDevicePixelForDevicePixel) {
    test::TempDir dir;
    QImage normal(4, 3, QImage::Format_RGB32);
    normal.fill(Qt::gray);
    // A one-device-pixel checkerboard: any enlargement or blur shows.
    QImage doubled(8, 6, QImage::Format_RGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            doubled.setPixelColor(x, y, (x + y) % 2 ? Qt::black : Qt::white);
    ASSERT_TRUE(normal.save(QString::fromStdString(dir.File("pic.bmp")), "BMP"));
    ASSERT_TRUE(doubled.save(QString::fromStdString(dir.File("pic@2x.bmp")), "BMP"));
    EXPECT_EQ(DoubledPictureName("/a/PIC.BMP"), "/a/PIC@2x.BMP");

    SkinPicture picture = SkinPicture::Load(dir.Path() + "PIC.BMP");
    ASSERT_TRUE(picture.HasDoubled());
    EXPECT_EQ(picture.Size(), QSize(4, 3));

    QImage target(8, 6, QImage::Format_RGB32);
    target.setDevicePixelRatio(2.0);
    target.fill(Qt::red);
    {
        QPainter painter(&target);
        picture.Paint(painter, QPoint(0, 0));
    }
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(target.pixelColor(x, y), doubled.pixelColor(x, y)) << x << "," << y;

    QImage plain(4, 3, QImage::Format_RGB32);
    {
        QPainter painter(&plain);
        picture.Paint(painter, QPoint(0, 0));
    }
    EXPECT_EQ(plain.pixelColor(3, 2), QColor(Qt::gray));

    // A companion of the wrong size would paint out of place; it is not used.
    QImage wrong(9, 6, QImage::Format_RGB32);
    wrong.fill(Qt::black);
    ASSERT_TRUE(wrong.save(QString::fromStdString(dir.File("pic@2x.bmp")), "BMP"));
    EXPECT_FALSE(SkinPicture::Load(dir.Path() + "PIC.BMP").HasDoubled());
}

} // namespace
