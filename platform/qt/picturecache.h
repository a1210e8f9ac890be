#pragma once
// Pictures from the resources, decoded once and kept ready-scaled for each
// size they are painted at, so painting a board is only copying pixels.
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSet>
#include <QSize>
#include <QString>

class QPainter;

namespace vb::host {

class PictureCache {
public:
    // The picture as stored; a null image when the resource is missing.
    QImage Source(const QString& path);

    // The picture stretched over a logical size, with pixels for the device
    // pixel ratio. Pixel pictures (few colours, or small) are scaled by
    // nearest neighbour so they stay crisp; photographs smoothly. A missing
    // picture gives a flat placeholder.
    QPixmap Scaled(const QString& path, QSize logical, qreal dpr);

    // A pixel picture larger than a tile (a black-and-white background, say)
    // is not kept expanded to screen pixels: DrawBanded stretches it over a
    // box, a band of rows at a time, only where the box was exposed. The
    // screen pixels it would take are megabytes; its own few colours are not.
    // Where the box comes close to a whole multiple of the picture, the
    // picture keeps that exact multiple, centred: every picture pixel is then
    // the same number of screen pixels.
    bool IsLargePixelPicture(const QString& path);
    void DrawBanded(QPainter& painter, const QString& path, const QRect& box, const QRect& exposed);

    // The picture at its natural size (one picture pixel per logical pixel).
    QPixmap Natural(const QString& path, qreal dpr);

    // An icon file with all its sizes, decoded once however many windows
    // show it; a null icon when the resource is missing.
    QIcon Icon(const QString& path);

    // Largest side, in pixels, of a picture treated as pixel art whatever
    // its colours: a tile that must cover its cell exactly.
    static constexpr int kPixelArtMax = 48;

private:
    struct Key {
        QString path;
        QSize size;
        int dprPercent;
        bool operator==(const Key&) const = default;
    };
    friend size_t qHash(const Key& k, size_t seed) {
        return qHashMulti(seed, k.path, k.size.width(), k.size.height(), k.dprPercent);
    }

    QHash<QString, QImage> sources_;
    QHash<QString, QIcon> icons_;
    QHash<Key, QPixmap> scaled_;
    QSet<QString> reportedMissing_;
};

} // namespace vb::host
