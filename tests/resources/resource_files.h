#pragma once
// Reading the embedded files and the little-endian fields of their headers.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>

inline QByteArray embedded(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline std::uint32_t le16(const QByteArray& bytes, int offset)
{
    if (offset + 2 > bytes.size())
        return 0xFFFFFFFF;
    const auto byte = [&](int i) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + i])); };
    return byte(0) | byte(1) << 8;
}

inline std::uint32_t le32(const QByteArray& bytes, int offset)
{
    if (offset + 4 > bytes.size())
        return 0xFFFFFFFF;
    return le16(bytes, offset) | le16(bytes, offset + 2) << 16;
}

// The BITMAPINFOHEADER fields a bitmap or icon image starts with.
struct InfoHeader {
    std::uint32_t size, width, height, planes, bitsPerPixel, compression, imageBytes, coloursUsed;
};

inline InfoHeader infoHeaderAt(const QByteArray& bytes, int offset)
{
    return {le32(bytes, offset),      le32(bytes, offset + 4),  le32(bytes, offset + 8),
            le16(bytes, offset + 12), le16(bytes, offset + 14), le32(bytes, offset + 16),
            le32(bytes, offset + 20), le32(bytes, offset + 32)};
}

inline int paddedRowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }
