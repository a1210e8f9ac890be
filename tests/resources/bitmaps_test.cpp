// The embedded Windows bitmaps: exact header layout and size, loadable by Qt,
// and the colours their subjects are drawn in.
#include "resources/resource_files.h"

#include <QImage>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct BitmapFormat {
    const char* path;
    int width;
    int height;
    int bitsPerPixel;
    int fileBytes;
};

void PrintTo(const BitmapFormat& format, std::ostream* out) { *out << format.path; }

class EmbeddedBitmap : public ::testing::TestWithParam<BitmapFormat> {};

TEST_P(EmbeddedBitmap, HeadersDescribeAnUncompressedPaletteBitmapOfTheExactSize)
{
    const BitmapFormat format = GetParam();
    const QByteArray bytes = embedded(format.path);
    ASSERT_EQ(bytes.size(), format.fileBytes);

    const int paletteBytes = 4 << format.bitsPerPixel;
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(le32(bytes, 2), static_cast<std::uint32_t>(format.fileBytes));
    EXPECT_EQ(le32(bytes, 6), 0u);
    EXPECT_EQ(le32(bytes, 10), static_cast<std::uint32_t>(14 + 40 + paletteBytes));

    const InfoHeader info = infoHeaderAt(bytes, 14);
    EXPECT_EQ(info.size, 40u);
    EXPECT_EQ(info.width, static_cast<std::uint32_t>(format.width));
    EXPECT_EQ(info.height, static_cast<std::uint32_t>(format.height));  // positive: rows bottom-up
    EXPECT_EQ(info.planes, 1u);
    EXPECT_EQ(info.bitsPerPixel, static_cast<std::uint32_t>(format.bitsPerPixel));
    EXPECT_EQ(info.compression, 0u);
    EXPECT_EQ(info.imageBytes, static_cast<std::uint32_t>(paddedRowBytes(format.width, format.bitsPerPixel) * format.height));
    EXPECT_EQ(14 + 40 + paletteBytes + static_cast<int>(info.imageBytes), format.fileBytes);
}

TEST_P(EmbeddedBitmap, LoadsAsAnIndexedImageOfItsSize)
{
    const BitmapFormat format = GetParam();
    const QImage image(format.path);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(format.width, format.height));
    EXPECT_EQ(image.colorCount(), 1 << format.bitsPerPixel);
}

INSTANTIATE_TEST_SUITE_P(Sprites, EmbeddedBitmap,
                         ::testing::Values(BitmapFormat{":/sprites/wall.bmp", 10, 15, 4, 238},
                                           BitmapFormat{":/sprites/monster.bmp", 10, 15, 4, 238},
                                           BitmapFormat{":/sprites/fruit_red.bmp", 10, 15, 4, 238},
                                           BitmapFormat{":/sprites/fruit_green.bmp", 10, 15, 4, 238},
                                           BitmapFormat{":/sprites/critter.bmp", 10, 15, 4, 238},
                                           BitmapFormat{":/sprites/door_closed.bmp", 10, 15, 4, 238},
                                           BitmapFormat{":/sprites/door_open.bmp", 10, 15, 4, 238},
                                           BitmapFormat{":/sprites/bullet.bmp", 10, 15, 4, 238}));

INSTANTIATE_TEST_SUITE_P(Pictures, EmbeddedBitmap,
                         ::testing::Values(BitmapFormat{":/pictures/star.bmp", 76, 76, 8, 6854},
                                           BitmapFormat{":/pictures/menu_background.bmp", 756, 454, 1, 43646}));

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kTeal = qRgb(0, 128, 128);
constexpr QRgb kCyan = qRgb(0, 255, 255);
constexpr QRgb kOlive = qRgb(128, 128, 0);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);

QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000; }

int count(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += at(image, x, y) == colour ? 1 : 0;
    return n;
}

void expectCorners(const QImage& image, QRgb colour)
{
    EXPECT_EQ(at(image, 0, 0), colour);
    EXPECT_EQ(at(image, 9, 0), colour);
    EXPECT_EQ(at(image, 0, 14), colour);
    EXPECT_EQ(at(image, 9, 14), colour);
}

TEST(SpriteColours, EachSubjectShowsInItsColours)
{
    const QImage wall(":/sprites/wall.bmp");
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 10; ++x) {
            const QRgb c = at(wall, x, y);
            EXPECT_TRUE(c == kBlack || (qRed(c) == 0 && qGreen(c) == 0)) << "wall pixel " << x << "," << y;
        }
    EXPECT_GT(count(wall, kBlack), 15);

    const QImage monster(":/sprites/monster.bmp");
    expectCorners(monster, kTeal);
    EXPECT_GT(count(monster, kBlack), count(monster, kWhite));  // a black face...
    EXPECT_GE(count(monster, kWhite), 20);                       // ...with white eyes and grin

    for (const char* path : {":/sprites/fruit_red.bmp", ":/sprites/fruit_green.bmp"}) {
        const QImage fruit(path);
        expectCorners(fruit, kCyan);
        EXPECT_EQ(at(fruit, 0, 7), kOlive) << path;  // the ground beside the oval
    }
    EXPECT_EQ(qRed(at(QImage(":/sprites/fruit_red.bmp"), 4, 7)), 255);
    EXPECT_EQ(qGreen(at(QImage(":/sprites/fruit_green.bmp"), 4, 7)), 255);

    const QImage critter(":/sprites/critter.bmp");
    EXPECT_EQ(at(critter, 0, 14), kTeal);
    EXPECT_EQ(at(critter, 4, 5), kWhite);

    const QImage closed(":/sprites/door_closed.bmp");
    const QImage open(":/sprites/door_open.bmp");
    expectCorners(closed, kOlive);
    expectCorners(open, kOlive);
    EXPECT_EQ(at(closed, 2, 2), qRgb(128, 0, 0));
    EXPECT_EQ(at(open, 2, 2), qRgb(0, 255, 0));
    EXPECT_GT(count(closed, kYellow), 0);
    EXPECT_EQ(count(closed, kYellow), count(open, kYellow));  // the same handle

    const QImage bullet(":/sprites/bullet.bmp");
    expectCorners(bullet, kTeal);
    EXPECT_GT(count(bullet, kWhite), 0);
    EXPECT_GT(count(bullet, kYellow), 0);
    EXPECT_GT(count(bullet, kTeal), 100);  // a small dot
}

TEST(StarPicture, IsADarkRedFourPointedStarOnWhite)
{
    const QImage star(":/pictures/star.bmp");
    EXPECT_EQ(at(star, 0, 0), kWhite);
    EXPECT_EQ(at(star, 75, 75), kWhite);
    // The four tips on the axes, the centre, and white between the points.
    for (const QPoint p : {QPoint(38, 8), QPoint(38, 67), QPoint(8, 38), QPoint(67, 38), QPoint(38, 38)}) {
        const QRgb c = at(star, p.x(), p.y());
        EXPECT_GT(qRed(c), 100) << p.x() << "," << p.y();
        EXPECT_LT(qGreen(c), 60) << p.x() << "," << p.y();
    }
    EXPECT_EQ(at(star, 15, 15), kWhite);
    EXPECT_EQ(at(star, 60, 60), kWhite);
}

TEST(MenuBackground, IsAMostlyDarkTwoColourNightPicture)
{
    const QImage picture(":/pictures/menu_background.bmp");
    ASSERT_EQ(picture.colorCount(), 2);
    int whiteInSky = 0;
    int whiteOverall = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const bool white = at(picture, x, y) == kWhite;
            whiteOverall += white ? 1 : 0;
            whiteInSky += white && y < 60 ? 1 : 0;
        }
    const double pixels = picture.width() * picture.height();
    EXPECT_LT(whiteInSky / (60.0 * picture.width()), 0.12);  // a dark sky at the top
    EXPECT_GT(whiteOverall / pixels, 0.05);                   // dithered, not blank
    EXPECT_LT(whiteOverall / pixels, 0.4);
}

}  // namespace
