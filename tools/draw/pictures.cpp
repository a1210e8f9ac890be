#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// SplitMix64: tiny, fixed-seed, and the same on every compiler (unlike the
// standard library's distributions).
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double range(double low, double high) { return low + (high - low) * uniform(); }

private:
    std::uint64_t state_;
};

// Smooth value noise on an integer lattice, in [0, 1].
double latticeValue(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393U + static_cast<std::uint32_t>(y) * 668265263U + seed * 2246822519U;
    h = (h ^ (h >> 13)) * 1274126177U;
    return static_cast<double>((h ^ (h >> 16)) & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double valueNoise(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    const double tx = smooth(x - fx);
    const double ty = smooth(y - fy);
    const double top = std::lerp(latticeValue(ix, iy, seed), latticeValue(ix + 1, iy, seed), tx);
    const double bottom = std::lerp(latticeValue(ix, iy + 1, seed), latticeValue(ix + 1, iy + 1, seed), tx);
    return std::lerp(top, bottom, ty);
}

double fractalNoise(double x, double y, std::uint32_t seed, int octaves = 5)
{
    double sum = 0;
    double amplitude = 0.5;
    double total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + static_cast<std::uint32_t>(i));
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// A four-pointed star around the origin with tips at distance 1 on the axes:
// 0 outside, 1 on a lit facet, 2 on a shaded facet (each arm is split along
// its axis, the facets alternating round the star).
int starFacet(double x, double y, double waist)
{
    const double ax = std::abs(x);
    const double ay = std::abs(y);
    // A quadrant is two triangles, origin - tip on the x axis - waist corner and
    // origin - waist corner - tip on the y axis, split by the diagonal; a point is
    // inside when it lies on the origin's side of its triangle's outer edge.
    const auto side = [](double px, double py, double x1, double y1, double x2, double y2) {
        return (x2 - x1) * (py - y1) - (y2 - y1) * (px - x1);
    };
    const bool nearXAxis = ay < ax;
    const bool inside = nearXAxis ? side(ax, ay, 1, 0, waist, waist) >= 0 : side(ax, ay, waist, waist, 0, 1) >= 0;
    if (!inside)
        return 0;
    const bool leftOrUpper = (x < 0) != (y < 0);
    return nearXAxis != leftOrUpper ? 1 : 2;
}

}  // namespace

IndexedImage starPicture()
{
    constexpr int kSize = 76;
    constexpr int kSamples = 4;  // per axis, for smooth edges
    // Entry i lies i/255 of the way from white to dark red; the lit facets use
    // a lighter step on the same line, so every edge blend has an exact entry.
    const QRgb darkRed = qRgb(128, 0, 0);
    constexpr double kLitFacet = 0.82;

    IndexedImage image;
    image.width = kSize;
    image.height = kSize;
    for (int i = 0; i < 256; ++i) {
        const double t = i / 255.0;
        image.palette.push_back(qRgb(static_cast<int>(std::lround(std::lerp(255.0, qRed(darkRed), t))),
                                     static_cast<int>(std::lround(std::lerp(255.0, qGreen(darkRed), t))),
                                     static_cast<int>(std::lround(std::lerp(255.0, qBlue(darkRed), t)))));
    }
    const double centre = kSize / 2.0;
    const double radius = centre - 1.5;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            double sum = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = (x + (sx + 0.5) / kSamples - centre) / radius;
                    const double py = (y + (sy + 0.5) / kSamples - centre) / radius;
                    const int facet = starFacet(px, py, 0.2);
                    sum += facet == 0 ? 0.0 : facet == 1 ? kLitFacet : 1.0;
                }
            image.pixels.push_back(static_cast<std::uint8_t>(std::lround(sum / (kSamples * kSamples) * 255)));
        }
    return image;
}

IndexedImage menuBackgroundPicture()
{
    constexpr int kWidth = 756;
    constexpr int kHeight = 454;
    Random random(0x4E55564B);
    std::vector<double> light(static_cast<std::size_t>(kWidth * kHeight));
    const auto at = [&](int x, int y) -> double& { return light[static_cast<std::size_t>(y * kWidth + x)]; };

    // Rolling hills: a far range and a near slope that rises to a knoll on the left.
    const auto farRidge = [](double x) {
        return 318 + 22 * std::sin(x / 105.0 + 0.8) + 12 * std::sin(x / 41.0 + 2.1) + 5 * std::sin(x / 17.0);
    };
    const auto nearRidge = [](double x) {
        return 372 - 58 * std::exp(-std::pow((x - 210) / 150.0, 2)) + 18 * std::sin(x / 95.0 + 1.3) + 4 * std::sin(x / 23.0);
    };
    constexpr double kStarX = 548;
    constexpr double kStarY = 104;

    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            // Night sky: darkest at the top, a faint glow toward the horizon.
            double l = 0.04 + 0.34 * std::pow(y / 330.0, 2.2);
            // Long thin streaks of cloud, lit faintly from below.
            const double band = fractalNoise(x / 260.0, y / 14.0, 11);
            const double streak = smoothstep(0.56, 0.72, band) * smoothstep(40, 120, y) * (1 - smoothstep(250, 300, y));
            l += 0.32 * streak;
            // The glow of the big star.
            const double d = std::hypot(x - kStarX, y - kStarY);
            l += 0.35 * std::exp(-d / 28.0);

            const double far = farRidge(x);
            const double near = nearRidge(x);
            if (y >= far) {
                // Far hills: dim, with a moonlit rim along the ridge.
                l = 0.16 + 0.08 * fractalNoise(x / 30.0, y / 8.0, 23);
                l += 0.55 * std::exp(-(y - far) / 2.5);
            }
            if (y >= near) {
                // Near slope: dark grass in short strokes, a bright rim at the edge.
                const double grass = fractalNoise(x / 4.0, y / 14.0, 37);
                l = 0.05 + 0.12 * grass + 0.1 * std::exp(-(y - near) / 30.0);
                l += 0.7 * std::exp(-(y - near) / 1.8);
            }
            at(x, y) = std::clamp(l, 0.0, 1.0);
        }

    // Small stars scattered over the sky.
    for (int i = 0; i < 170; ++i) {
        const int x = static_cast<int>(random.range(0, kWidth));
        const int y = static_cast<int>(random.range(0, 280));
        if (y < farRidge(x) - 6 && std::hypot(x - kStarX, y - kStarY) > 45)
            at(x, y) = 1.0;
    }

    // The four-pointed star: long rays on the axes, short ones between.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double dx = x - kStarX;
            const double dy = y - kStarY;
            const double along = std::max(std::abs(dx), std::abs(dy));
            const double across = std::min(std::abs(dx), std::abs(dy));
            double ray = std::exp(-across / (1.6 * std::exp(-along / 30.0) + 0.15)) * (1 - smoothstep(20, 58, along));
            const double diagonalAlong = (std::abs(dx) + std::abs(dy)) / std::sqrt(2.0);
            const double diagonalAcross = std::abs(std::abs(dx) - std::abs(dy)) / std::sqrt(2.0);
            ray = std::max(ray, 0.8 * std::exp(-diagonalAcross / 0.7) * (1 - smoothstep(4, 16, diagonalAlong)));
            const double core = 1 - smoothstep(3, 6, std::hypot(dx, dy));
            at(x, y) = std::min(1.0, at(x, y) + ray + core);
        }

    // A small figure sitting on the knoll, knees drawn up, facing the star.
    // Drawn as a black silhouette against the glow above the far hills.
    QImage figure(kWidth, kHeight, QImage::Format_ARGB32);
    figure.fill(Qt::transparent);
    {
        const double baseX = 212;
        const double baseY = nearRidge(baseX) + 2;
        QPainter painter(&figure);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        QPainterPath body;
        body.moveTo(baseX - 10, baseY);                 // seat, behind
        body.lineTo(baseX - 9, baseY - 22);             // back
        body.quadTo(baseX - 6, baseY - 30, baseX, baseY - 30);  // shoulders
        body.lineTo(baseX + 6, baseY - 24);             // arm toward the knees
        body.lineTo(baseX + 16, baseY - 18);            // hands round the knees
        body.lineTo(baseX + 17, baseY - 14);            // knee
        body.lineTo(baseX + 21, baseY);                 // shin down to the feet
        body.lineTo(baseX + 24, baseY + 1);
        body.lineTo(baseX - 11, baseY + 2);
        body.closeSubpath();
        painter.drawPath(body);
        painter.drawEllipse(QPointF(baseX - 1, baseY - 36), 6.0, 6.5);  // head
        painter.end();
    }
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double cover = qAlpha(figure.pixel(x, y)) / 255.0;
            at(x, y) *= 1 - cover;
        }

    // Floyd-Steinberg dithering, serpentine, to two colours.
    IndexedImage image;
    image.width = kWidth;
    image.height = kHeight;
    image.palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    image.pixels.assign(light.size(), 0);
    for (int y = 0; y < kHeight; ++y) {
        const bool leftToRight = y % 2 == 0;
        const int step = leftToRight ? 1 : -1;
        for (int i = 0; i < kWidth; ++i) {
            const int x = leftToRight ? i : kWidth - 1 - i;
            const double old = at(x, y);
            const double chosen = old >= 0.5 ? 1.0 : 0.0;
            image.pixels[static_cast<std::size_t>(y * kWidth + x)] = chosen > 0 ? 1 : 0;
            const double error = old - chosen;
            const auto spread = [&](int nx, int ny, double part) {
                if (nx >= 0 && nx < kWidth && ny < kHeight)
                    at(nx, ny) += error * part;
            };
            spread(x + step, y, 7 / 16.0);
            spread(x - step, y + 1, 3 / 16.0);
            spread(x, y + 1, 5 / 16.0);
            spread(x + step, y + 1, 1 / 16.0);
        }
    }
    return image;
}

QImage finalPicture()
{
    constexpr int kWidth = 1169;
    constexpr int kHeight = 850;
    Random random(0x5350414345);

    // Deep space: near black, with faint green-blue clouds of dust.
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double dust = std::pow(fractalNoise(x / 240.0, y / 240.0, 5), 2.5);
            const double grain = fractalNoise(x / 3.0, y / 3.0, 9, 2);
            const double r = 4 + 10 * dust + 6 * grain;
            const double g = 8 + 70 * dust + 8 * grain;
            const double b = 14 + 45 * dust + 8 * grain;
            image.setPixel(x, y, qRgb(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b)));
        }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    for (int i = 0; i < 260; ++i) {
        const QPointF p(random.range(0, kWidth), random.range(0, kHeight));
        const int shade = static_cast<int>(random.range(120, 255));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(shade, shade, std::min(255, shade + 20), static_cast<int>(random.range(90, 230))));
        painter.drawEllipse(p, random.range(0.6, 1.6), random.range(0.6, 1.6));
    }

    const QPointF big(455, 385);
    const QPointF small(845, 585);
    constexpr double kBigRadius = 150;
    constexpr double kSmallRadius = 82;

    // Brush strokes sweep round the two spheres like a current; each stroke is
    // a bundle of bristle lines of slightly different green.
    const auto flowAngle = [&](QPointF p) {
        double angle = 0.25 * std::sin(p.y() / 160.0) + 0.15;
        for (const auto& [centre, radius, turn] : {std::tuple{big, kBigRadius, 1.0}, std::tuple{small, kSmallRadius, -1.0}}) {
            const QPointF d = p - centre;
            const double distance = std::hypot(d.x(), d.y());
            const double pull = std::exp(-std::max(0.0, distance - radius) / (radius * 0.9));
            const double tangent = std::atan2(d.y(), d.x()) + turn * kPi / 2;
            angle = std::atan2(std::lerp(std::sin(angle), std::sin(tangent), pull),
                               std::lerp(std::cos(angle), std::cos(tangent), pull));
        }
        return angle;
    };
    const auto stroke = [&](int alphaLow, int alphaHigh, double lengthScale) {
        QPointF p(random.range(-40, kWidth + 40), random.range(-40, kHeight + 40));
        const double hue = random.range(85, 150);
        const double value = random.range(0.25, 0.85);
        const double width = random.range(5, 22);
        const int steps = static_cast<int>(random.range(8, 24) * lengthScale);
        std::vector<QPointF> spine{p};
        for (int s = 0; s < steps; ++s) {
            const double a = flowAngle(p);
            p += QPointF(std::cos(a), std::sin(a)) * 9.0;
            spine.push_back(p);
        }
        const int bristles = std::max(3, static_cast<int>(width / 2.5));
        for (int b = 0; b < bristles; ++b) {
            const double offset = (b / static_cast<double>(bristles - 1) - 0.5) * width;
            QPainterPath path;
            for (std::size_t s = 0; s < spine.size(); ++s) {
                const QPointF ahead = spine[std::min(s + 1, spine.size() - 1)] - spine[s > 0 ? s - 1 : 0];
                const double length = std::max(1e-6, std::hypot(ahead.x(), ahead.y()));
                // Bristles thin out toward the ends of the stroke.
                const double taper = std::sin(kPi * (s + 0.5) / static_cast<double>(spine.size()));
                const QPointF normal(-ahead.y() / length, ahead.x() / length);
                const QPointF q = spine[s] + normal * offset * (0.4 + 0.6 * taper);
                s == 0 ? path.moveTo(q) : path.lineTo(q);
            }
            QColor colour = QColor::fromHsvF(static_cast<float>((hue + random.range(-8, 8)) / 360.0),
                                             static_cast<float>(random.range(0.55, 0.95)),
                                             static_cast<float>(std::clamp(value + random.range(-0.12, 0.12), 0.0, 1.0)));
            colour.setAlpha(static_cast<int>(random.range(alphaLow, alphaHigh)));
            painter.setPen(QPen(colour, random.range(1.0, 3.2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(path);
        }
    };
    for (int i = 0; i < 170; ++i)
        stroke(18, 70, 1.0);

    const auto sphere = [&](QPointF centre, double radius, QColor light, QColor body, QColor edge) {
        QRadialGradient halo(centre, radius * 1.6);
        halo.setColorAt(0.55, QColor(40, 200, 90, 90));
        halo.setColorAt(1.0, QColor(0, 60, 20, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(halo);
        painter.drawEllipse(centre, radius * 1.6, radius * 1.6);

        QRadialGradient shade(centre, radius, centre + QPointF(-radius * 0.4, -radius * 0.45));
        shade.setColorAt(0.0, light);
        shade.setColorAt(0.45, body);
        shade.setColorAt(0.92, edge);
        shade.setColorAt(1.0, QColor(10, 40, 20));
        painter.setBrush(shade);
        painter.drawEllipse(centre, radius, radius);
    };
    sphere(big, kBigRadius, QColor(200, 255, 170), QColor(40, 175, 70), QColor(5, 55, 25));
    sphere(small, kSmallRadius, QColor(225, 255, 150), QColor(90, 190, 40), QColor(15, 60, 10));

    // A few loose strokes over everything keep the spheres part of the painting.
    for (int i = 0; i < 45; ++i)
        stroke(12, 40, 0.7);
    painter.end();
    return image;
}

QImage dedicationPicture()
{
    constexpr int kWidth = 1024;
    constexpr int kHeight = 768;
    constexpr int kHorizon = 470;
    Random random(0x444544);

    // Sky at dusk over still water: a deep blue falling to a warm horizon.
    QImage sky(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter painter(&sky);
        QLinearGradient gradient(0, 0, 0, kHorizon);
        gradient.setColorAt(0.0, QColor(18, 30, 72));
        gradient.setColorAt(0.55, QColor(92, 96, 150));
        gradient.setColorAt(0.85, QColor(214, 160, 150));
        gradient.setColorAt(1.0, QColor(250, 206, 160));
        painter.fillRect(0, 0, kWidth, kHorizon, gradient);

        // A pale sun resting on the horizon, half set.
        painter.setRenderHint(QPainter::Antialiasing);
        QRadialGradient glow(QPointF(640, kHorizon), 240);
        glow.setColorAt(0.0, QColor(255, 236, 200, 190));
        glow.setColorAt(1.0, QColor(255, 220, 180, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawRect(0, 0, kWidth, kHorizon);
        painter.setBrush(QColor(255, 244, 222));
        painter.setClipRect(0, 0, kWidth, kHorizon);
        painter.drawEllipse(QPointF(640, kHorizon), 56, 56);
        painter.setClipping(false);

        // Soft hills, each range paler than the one in front of it.
        const std::array<QColor, 3> ranges = {QColor(120, 104, 150), QColor(82, 70, 118), QColor(48, 44, 86)};
        for (std::size_t r = 0; r < ranges.size(); ++r) {
            QPainterPath hill;
            hill.moveTo(0, kHorizon);
            const double phase = random.range(0, 2 * kPi);
            const double height = 22 + 18.0 * static_cast<double>(r);
            for (int x = 0; x <= kWidth; x += 8) {
                const double lift = height * (0.6 + 0.4 * std::sin(x / (150.0 + 60.0 * static_cast<double>(r)) + phase));
                const double side = r == 2 ? 1 - smoothstep(240, 520, x) : 1.0;
                hill.lineTo(x, kHorizon - lift * side);
            }
            hill.lineTo(kWidth, kHorizon);
            hill.closeSubpath();
            painter.setBrush(ranges[r]);
            painter.drawPath(hill);
        }
        painter.end();
    }

    // The water mirrors the sky, darker, broken by long calm ripples.
    QImage image = sky;
    for (int y = kHorizon; y < kHeight; ++y) {
        const double depth = (y - kHorizon) / static_cast<double>(kHeight - kHorizon);
        for (int x = 0; x < kWidth; ++x) {
            const double wave = std::sin(y * 0.9 / (0.2 + depth) * 0.12 + 3 * fractalNoise(x / 180.0, y / 6.0, 71, 3));
            const int sourceY = std::clamp(2 * kHorizon - y + static_cast<int>(wave * 3 * (0.3 + depth)), 0, kHorizon - 1);
            const QRgb s = sky.pixel(x, sourceY);
            const double dim = 0.78 - 0.28 * depth + 0.05 * wave;
            image.setPixel(x, y, qRgb(static_cast<int>(qRed(s) * dim), static_cast<int>(qGreen(s) * dim),
                                         static_cast<int>(std::min(255.0, qBlue(s) * dim + 12))));
        }
    }
    return image;
}
