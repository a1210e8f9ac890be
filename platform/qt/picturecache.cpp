#include "platform/qt/picturecache.h"

#include <QColor>
#include <QFile>
#include <QtGlobal>
#include <cmath>

namespace vb::host {

namespace {

// Every size a window was ever painted at would otherwise stay; the
// pixmaps in use are shared by their painters and outlive a reset.
constexpr qsizetype kMaxScaled = 512;

const QColor kPlaceholder(128, 128, 128);

QImage Opaque(QImage image) {
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

} // namespace

QImage PictureCache::Source(const QString& path) {
    auto it = sources_.constFind(path);
    if (it != sources_.constEnd()) {
        return *it;
    }
    QImage image;
    if (!path.isEmpty() && QFile::exists(path)) {
        image.load(path);
    }
    if (image.isNull() && !path.isEmpty() && !reportedMissing_.contains(path)) {
        reportedMissing_.insert(path);
        qWarning("Picture %s is missing; a placeholder is painted.", qUtf8Printable(path));
    }
    if (!image.isNull()) {
        image = Opaque(image);
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
    } else if (source.size() == device) {
        image = source;
    } else {
        const bool pixelArt = source.width() <= kPixelArtMax && source.height() <= kPixelArtMax;
        image = source.scaled(device, Qt::IgnoreAspectRatio,
                              pixelArt ? Qt::FastTransformation : Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(dpr);
    if (scaled_.size() >= kMaxScaled) {
        scaled_.clear();
    }
    scaled_.insert(key, pixmap);
    return pixmap;
}

QPixmap PictureCache::Natural(const QString& path, qreal dpr) {
    const QImage source = Source(path);
    if (source.isNull()) {
        return {};
    }
    return Scaled(path, source.size(), dpr);
}

} // namespace vb::host
