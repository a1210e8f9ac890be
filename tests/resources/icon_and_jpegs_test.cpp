// The program icon's file layout and images, and the two JPEG pictures.
#include "resources/resource_files.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

TEST(ProgramIcon, HoldsA32And16PixelSixteenColourImageIn1078Bytes)
{
    const QByteArray bytes = embedded(":/icon/nuvik3t.ico");
    ASSERT_EQ(bytes.size(), 1078);
    EXPECT_EQ(le16(bytes, 0), 0u);
    EXPECT_EQ(le16(bytes, 2), 1u);  // icon
    ASSERT_EQ(le16(bytes, 4), 2u);

    std::uint32_t expectedOffset = 6 + 2 * 16;
    const int sizes[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(sizes[i]);
        const int entry = 6 + 16 * i;
        const int side = sizes[i];
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[entry]), side);
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[entry + 1]), side);
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[entry + 2]), 16);  // colours
        EXPECT_EQ(le16(bytes, entry + 4), 1u);
        EXPECT_EQ(le16(bytes, entry + 6), 4u);
        const auto imageBytes = static_cast<std::uint32_t>(40 + 64 + paddedRowBytes(side, 4) * side + paddedRowBytes(side, 1) * side);
        EXPECT_EQ(le32(bytes, entry + 8), imageBytes);
        EXPECT_EQ(le32(bytes, entry + 12), expectedOffset);

        const InfoHeader info = infoHeaderAt(bytes, static_cast<int>(expectedOffset));
        EXPECT_EQ(info.size, 40u);
        EXPECT_EQ(info.width, static_cast<std::uint32_t>(side));
        EXPECT_EQ(info.height, static_cast<std::uint32_t>(2 * side));  // colour rows and mask rows
        EXPECT_EQ(info.bitsPerPixel, 4u);
        EXPECT_EQ(info.compression, 0u);
        expectedOffset += imageBytes;
    }
    EXPECT_EQ(expectedOffset, 1078u);
}

TEST(ProgramIcon, QtReadsBothImagesWithATransparentSurround)
{
    QImageReader reader(":/icon/nuvik3t.ico");
    ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
    ASSERT_EQ(reader.imageCount(), 2);
    for (const int side : {32, 16}) {
        SCOPED_TRACE(side);
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), QSize(side, side));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        // The heap itself is opaque and holds white and grey stones.
        int white = 0;
        int grey = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QRgb c = image.pixel(x, y);
                if (qAlpha(c) == 255 && c == qRgb(255, 255, 255))
                    ++white;
                if (qAlpha(c) == 255 && (c == qRgb(192, 192, 192) || c == qRgb(128, 128, 128)))
                    ++grey;
            }
        EXPECT_GT(white, side / 2);
        EXPECT_GT(grey, side);
        reader.jumpToNextImage();
    }
}

struct Brightness {
    double mean = 0;      // 0..255, over all channels
    double greenLead = 0; // mean of green minus the larger of red and blue
};

Brightness measure(const QImage& image)
{
    Brightness b;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            b.mean += (qRed(c) + qGreen(c) + qBlue(c)) / 3.0;
            b.greenLead += qGreen(c) - std::max(qRed(c), qBlue(c));
        }
    const double pixels = rgb.width() * rgb.height();
    b.mean /= pixels;
    b.greenLead /= pixels;
    return b;
}

TEST(JpegPictures, LoadAtTheirSizes)
{
    for (const auto& [path, size] : {std::pair{":/pictures/final.jpg", QSize(1169, 850)},
                                     std::pair{":/pictures/dedication.jpg", QSize(1024, 768)}}) {
        SCOPED_TRACE(path);
        const QByteArray bytes = embedded(path);
        ASSERT_GT(bytes.size(), 2);
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[0]), 0xFF);  // JPEG start-of-image marker
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[1]), 0xD8);
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer);
        EXPECT_EQ(reader.format(), "jpeg");
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), size);
    }
}

TEST(JpegPictures, FinalPictureIsADarkGreenPainting)
{
    const QImage image(":/pictures/final.jpg");
    const Brightness b = measure(image);
    EXPECT_LT(b.mean, 70);
    EXPECT_GT(b.greenLead, 8);
    // The two spheres are bright green discs.
    for (const QPoint centre : {QPoint(455, 385), QPoint(845, 585)}) {
        const QRgb c = image.pixel(centre);
        EXPECT_GT(qGreen(c), 120);
        EXPECT_GT(qGreen(c), qRed(c) + 40);
    }
}

}  // namespace
