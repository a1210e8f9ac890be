#include "indexed.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace {

void put16(QByteArray& out, std::uint32_t v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

void put32(QByteArray& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

int paddedRowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

void putInfoHeader(QByteArray& out, int width, int height, int bitsPerPixel, std::uint32_t imageBytes)
{
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);  // planes
    put16(out, static_cast<std::uint32_t>(bitsPerPixel));
    put32(out, 0);  // no compression
    put32(out, imageBytes);
    put32(out, 3780);  // 96 dpi, in pixels per metre
    put32(out, 3780);
    put32(out, 0);  // every palette entry is used...
    put32(out, 0);  // ...and counts as important
}

void putPalette(QByteArray& out, const std::vector<QRgb>& palette, int entries)
{
    if (static_cast<int>(palette.size()) > entries)
        throw std::runtime_error("palette has more entries than the bit depth holds");
    for (int i = 0; i < entries; ++i) {
        const QRgb c = i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : qRgb(0, 0, 0);
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
}

// Pixel rows bottom-up, each packed most significant bits first and zero-padded.
void putRows(QByteArray& out, int width, int height, int bitsPerPixel,
             const auto& bitsAt /* (x, y) -> value */)
{
    const int rowBytes = paddedRowBytes(width, bitsPerPixel);
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const int bit = x * bitsPerPixel;
            const int shift = 8 - bitsPerPixel - bit % 8;
            row[bit / 8] = static_cast<char>(static_cast<std::uint8_t>(row[bit / 8]) | (bitsAt(x, y) << shift));
        }
        out.append(row);
    }
}

}  // namespace

QImage IndexedImage::toImage() const
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto i = static_cast<std::size_t>(y * width + x);
            image.setPixel(x, y, !transparent.empty() && transparent[i] ? qRgba(0, 0, 0, 0) : palette[pixels[i]]);
        }
    return image;
}

IndexedImage fromPixelMap(const std::vector<std::string_view>& rows, const std::vector<QRgb>& palette,
                          std::string_view key, bool allowTransparent)
{
    IndexedImage image;
    image.width = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    image.height = static_cast<int>(rows.size());
    image.palette = palette;
    for (const std::string_view row : rows) {
        if (static_cast<int>(row.size()) != image.width)
            throw std::runtime_error("pixel map row of the wrong width: " + std::string(row));
        for (const char c : row) {
            const bool clear = allowTransparent && c == ' ';
            const std::size_t index = clear ? 0 : key.find(c);
            if (index == std::string_view::npos || index >= palette.size())
                throw std::runtime_error(std::string("unknown pixel character '") + c + "'");
            image.pixels.push_back(static_cast<std::uint8_t>(index));
            if (allowTransparent)
                image.transparent.push_back(clear);
        }
    }
    return image;
}

IndexedImage quantize(const QImage& source, const std::vector<QRgb>& palette)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    IndexedImage image;
    image.width = rgb.width();
    image.height = rgb.height();
    image.palette = palette;
    image.pixels.reserve(static_cast<std::size_t>(image.width * image.height));
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const QRgb c = rgb.pixel(x, y);
            int best = 0;
            int bestDistance = std::numeric_limits<int>::max();
            for (std::size_t i = 0; i < palette.size(); ++i) {
                const int dr = qRed(c) - qRed(palette[i]);
                const int dg = qGreen(c) - qGreen(palette[i]);
                const int db = qBlue(c) - qBlue(palette[i]);
                const int distance = dr * dr + dg * dg + db * db;
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = static_cast<int>(i);
                }
            }
            image.pixels.push_back(static_cast<std::uint8_t>(best));
        }
    return image;
}

QByteArray bmpFile(const IndexedImage& image, int bitsPerPixel)
{
    const int entries = 1 << bitsPerPixel;
    const auto imageBytes = static_cast<std::uint32_t>(paddedRowBytes(image.width, bitsPerPixel) * image.height);
    const auto offset = static_cast<std::uint32_t>(14 + 40 + entries * 4);
    QByteArray out;
    out.append("BM");
    put32(out, offset + imageBytes);
    put32(out, 0);  // reserved
    put32(out, offset);
    putInfoHeader(out, image.width, image.height, bitsPerPixel, imageBytes);
    putPalette(out, image.palette, entries);
    putRows(out, image.width, image.height, bitsPerPixel, [&](int x, int y) { return image.at(x, y); });
    return out;
}

QByteArray icoFile(const std::vector<IndexedImage>& images)
{
    std::vector<QByteArray> bodies;
    for (const IndexedImage& image : images) {
        if (image.width > 255 || image.height > 255)
            throw std::runtime_error("icon image too large");
        const auto xorBytes = static_cast<std::uint32_t>(paddedRowBytes(image.width, 4) * image.height);
        const auto andBytes = static_cast<std::uint32_t>(paddedRowBytes(image.width, 1) * image.height);
        QByteArray body;
        // The height counts the colour rows and the mask rows together.
        putInfoHeader(body, image.width, image.height * 2, 4, xorBytes + andBytes);
        putPalette(body, image.palette, 16);
        const auto clear = [&](int x, int y) {
            return !image.transparent.empty() && image.transparent[static_cast<std::size_t>(y * image.width + x)];
        };
        putRows(body, image.width, image.height, 4, [&](int x, int y) { return clear(x, y) ? 0 : image.at(x, y); });
        putRows(body, image.width, image.height, 1, [&](int x, int y) { return clear(x, y) ? 1 : 0; });
        bodies.push_back(body);
    }

    QByteArray out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon, not a cursor
    put16(out, static_cast<std::uint32_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.append(static_cast<char>(images[i].width));
        out.append(static_cast<char>(images[i].height));
        out.append(static_cast<char>(16));  // colours
        out.append('\0');
        put16(out, 1);  // planes
        put16(out, 4);  // bits per pixel
        put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const QByteArray& body : bodies)
        out.append(body);
    return out;
}
