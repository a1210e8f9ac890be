#include "platform/qt/picturecache.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtGlobal>
#include <cmath>
#include <cstring>
#include <vector>

namespace vb::host {

namespace {

// Every size a window was ever painted at would otherwise stay; the
// pixmaps in use are shared by their painters and outlive a reset.
constexpr qsizetype kMaxScaled = 512;

// How far, as a share of its box, a large pixel picture may fall short of
// or overrun the box to keep a whole number of screen pixels per pixel.
constexpr double kWholeFactorSlack = 0.1;

const QColor kPlaceholder(128, 128, 128);

QImage Opaque(QImage image) {
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

bool IsPixelPicture(const QImage& image) {
    return image.colorCount() > 0 ||
           (image.width() <= PictureCache::kPixelArtMax && image.height() <= PictureCache::kPixelArtMax);
}

// The resources say what they hold by their suffix; naming the format spares
// Qt from trying every image plugin on the file.
void ByKnownFormat(QImageReader& reader, const QString& path) {
    reader.setFileName(path);
    reader.setFormat(QFileInfo(path).suffix().toLatin1().toLower());
    reader.setAutoDetectImageFormat(false);
}

QImage Decode(const QString& path) {
    QImageReader reader;
    ByKnownFormat(reader, path);
    QImage image;
    if (!reader.read(&image)) {
        return {};
    }
    // Few colours stay indexed until scaled; everything else is made ready to
    // copy to the screen now.
    return image.colorCount() > 0 ? image : Opaque(image);
}

// One side of a large pixel picture on screen: the box's, or the nearest
// whole multiple of the picture when that is close enough.
int DrawnSide(int picture, int box) {
    const int factor = std::max(1, static_cast<int>(std::lround(static_cast<double>(box) / picture)));
    return std::abs(box - factor * picture) <= kWholeFactorSlack * factor * picture ? factor * picture : box;
}

// Rows first .. first + count - 1 of the picture scaled to size by nearest
// neighbour, straight into screen pixels, in one pass on this thread: no grey
// in-between pixels, and none of the worker threads that Qt's own
// conversions start for large pictures.
QImage Nearest(const QImage& source, QSize size, int first = 0, int count = -1) {
    const bool alpha = source.hasAlphaChannel();
    count = count < 0 ? size.height() : count;
    QImage out(size.width(), count, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const QImage::Format format = source.format();
    const bool indexed = source.colorCount() > 0;
    const QImage pixels = indexed ? source : Opaque(source);   // small when not indexed
    std::vector<QRgb> colors(256, qRgb(0, 0, 0));
    for (int i = 0; i < source.colorCount() && i < 256; ++i) {
        colors[i] = alpha ? qPremultiply(source.color(i)) : (source.color(i) | 0xff000000u);
    }
    std::vector<int> columns(size.width());
    for (int x = 0; x < size.width(); ++x) {
        columns[x] = static_cast<int>((2LL * x + 1) * source.width() / (2LL * size.width()));
    }
    int lastRow = -1;
    for (int y = 0; y < count; ++y) {
        auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
        const int row = static_cast<int>((2LL * (first + y) + 1) * source.height() / (2LL * size.height()));
        if (row == lastRow) {
            std::memcpy(to, out.constScanLine(y - 1), static_cast<std::size_t>(size.width()) * 4);
            continue;
        }
        lastRow = row;
        const uchar* from = pixels.constScanLine(row);
        const auto fill = [&](auto pixel) {
            for (int x = 0; x < size.width(); ++x) {
                to[x] = pixel(columns[x]);
            }
        };
        switch (format) {
        case QImage::Format_Mono:
            fill([&](int c) { return colors[(from[c >> 3] >> (7 - (c & 7))) & 1]; });
            break;
        case QImage::Format_MonoLSB:
            fill([&](int c) { return colors[(from[c >> 3] >> (c & 7)) & 1]; });
            break;
        case QImage::Format_Indexed8:
            fill([&](int c) { return colors[from[c]]; });
            break;
        default:
            fill([&](int c) { return reinterpret_cast<const QRgb*>(from)[c]; });
            break;
        }
    }
    return out;
}

} // namespace

QImage PictureCache::Source(const QString& path) {
    auto it = sources_.constFind(path);
    if (it != sources_.constEnd()) {
        return *it;
    }
    QImage image;
    if (!path.isEmpty() && QFile::exists(path)) {
        image = Decode(path);
    }
    if (image.isNull() && !path.isEmpty() && !reportedMissing_.contains(path)) {
        reportedMissing_.insert(path);
        qWarning("Picture %s is missing; a placeholder is painted.", qUtf8Printable(path));
    }
    sources_.insert(path, image);
    return image;
}

QPixmap PictureCache::Scaled(const QString& path, QSize logical, qreal dpr) {
    if (logical.isEmpty()) {
        return {};
    }
    const Key key{path, logical, static_cast<int>(std::lround(dpr * 100))};
    auto it = scaled_.constFind(key);
    if (it != scaled_.constEnd()) {
        return *it;
    }
    const QSize device(static_cast<int>(std::lround(logical.width() * dpr)),
                       static_cast<int>(std::lround(logical.height() * dpr)));
    const QImage source = Source(path);
    QImage image;
    if (source.isNull()) {
        image = QImage(device, QImage::Format_RGB32);
        image.fill(kPlaceholder);
    } else if (IsPixelPicture(source)) {
        image = Nearest(source, device);
    } else if (source.size() == device) {
        image = source;
    } else {
        image = source.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(dpr);
    if (scaled_.size() >= kMaxScaled) {
        scaled_.clear();
    }
    scaled_.insert(key, pixmap);
    return pixmap;
}

bool PictureCache::IsLargePixelPicture(const QString& path) {
    const QImage source = Source(path);
    return !source.isNull() && IsPixelPicture(source) &&
           (source.width() > kPixelArtMax || source.height() > kPixelArtMax);
}

void PictureCache::DrawBanded(QPainter& painter, const QString& path, const QRect& box,
                              const QRect& exposed) {
    // Rows few enough that Qt blends them on this thread.
    constexpr int kBand = 32;
    const QImage source = Source(path);
    const qreal dpr = painter.device()->devicePixelRatioF();
    const QSize device(static_cast<int>(std::lround(box.width() * dpr)),
                       static_cast<int>(std::lround(box.height() * dpr)));
    if (source.isNull() || device.isEmpty()) {
        return;
    }
    const QSize drawn(DrawnSide(source.width(), device.width()), DrawnSide(source.height(), device.height()));
    // Centred on the box; offsets in device pixels.
    const int left = (device.width() - drawn.width()) / 2;
    const int top = (device.height() - drawn.height()) / 2;
    const QRect rows = exposed & box;
    const int from = std::max(0, static_cast<int>(std::floor((rows.top() - box.top()) * dpr)) - top);
    const int to = std::min(drawn.height(),
                            static_cast<int>(std::ceil((rows.bottom() + 1 - box.top()) * dpr)) - top);
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    for (int y = from - from % kBand; y < to; y += kBand) {
        QImage band = Nearest(source, drawn, y, std::min(kBand, drawn.height() - y));
        band.setDevicePixelRatio(dpr);
        painter.drawImage(QPointF(box.left() + left / dpr, box.top() + (top + y) / dpr), band);
    }
    painter.restore();
}

QIcon PictureCache::Icon(const QString& path) {
    auto it = icons_.constFind(path);
    if (it != icons_.constEnd()) {
        return *it;
    }
    QIcon icon;
    if (!path.isEmpty() && QFile::exists(path)) {
        QImageReader reader;
        ByKnownFormat(reader, path);
        // Every size the file holds: the window manager picks its own.
        const int count = std::max(1, reader.imageCount());
        for (int i = 0; i < count && (i == 0 || reader.jumpToImage(i)); ++i) {
            QImage image;
            if (reader.read(&image)) {
                icon.addPixmap(QPixmap::fromImage(image));
            }
        }
    }
    icons_.insert(path, icon);
    return icon;
}

QPixmap PictureCache::Natural(const QString& path, qreal dpr) {
    const QImage source = Source(path);
    if (source.isNull()) {
        return {};
    }
    return Scaled(path, source.size(), dpr);
}

} // namespace vb::host
