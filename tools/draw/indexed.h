#pragma once
// Palette pictures and the byte-exact Windows bitmap and icon files made from them.
// Qt can read these formats but writes neither 1/4/8-bit bitmaps nor 4-bit icons
// with the header layout the game's files need, so they are written by hand.

#include <QByteArray>
#include <QImage>
#include <QRgb>

#include <cstdint>
#include <string_view>
#include <vector>

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;
    std::vector<std::uint8_t> pixels;  // row-major, top row first
    std::vector<bool> transparent;     // empty, or one flag per pixel (icons only)

    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    QImage toImage() const;
};

// A picture given as rows of text, one character per pixel; `key` maps each
// character to its palette index. ' ' is a transparent pixel when allowTransparent.
IndexedImage fromPixelMap(const std::vector<std::string_view>& rows,
                          const std::vector<QRgb>& palette, std::string_view key,
                          bool allowTransparent = false);

// Nearest palette entry for every pixel of an RGB picture.
IndexedImage quantize(const QImage& image, const std::vector<QRgb>& palette);

// A BITMAPINFOHEADER bitmap, bottom-up, rows padded to 4 bytes, with a full
// palette of 2^bitsPerPixel entries (bitsPerPixel is 1, 4 or 8).
QByteArray bmpFile(const IndexedImage& image, int bitsPerPixel);

// A 16-colour icon file holding the given images in order, each with its
// 1-bit transparency mask.
QByteArray icoFile(const std::vector<IndexedImage>& images);
