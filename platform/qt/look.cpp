#include "platform/qt/look.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace vb::host {

QString ToEditorText(const std::string& text) {
    QString s = ToQString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

std::string FromEditorText(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return ToStdString(s);
}

QString EditorText(const QPlainTextEdit& edit) {
    QString text = edit.document()->toRawText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            c = QLatin1Char('\n');
        }
    }
    return text;
}

std::optional<QColor> ToQColor(std::int32_t rgb) {
    if (rgb == kDefaultColor) {
        return std::nullopt;
    }
    return QColor((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
}

bool HasOwnFont(const Font& font) {
    return !font.name.empty() || font.size > 0 || font.bold || font.italic;
}

namespace {

// Each question costs the font configuration a query or two; the answer
// never changes while the program runs.
bool HasFamily(const QString& family) {
    static QHash<QString, bool> known;
    auto found = known.constFind(family);
    if (found == known.constEnd()) {
        found = known.insert(family, QFontDatabase::hasFamily(family));
    }
    return *found;
}

QString PresentSansFamily() {
    static const QString family = [] {
        for (const char* name : {"Liberation Sans", "Arial", "Helvetica", "DejaVu Sans"}) {
            if (HasFamily(QString::fromLatin1(name))) {
                return QString::fromLatin1(name);
            }
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

// The designs were measured against the old sans font, whose letters take
// about 0.52 of its size in pixels on average. Present sans fonts are wider,
// so a substitute is made smaller until its letters take the same room, and
// captions fit the buttons and labels drawn for them.
constexpr double kDesignLetterWidth = 0.52;

double SubstituteScale(const QString& family) {
    static QHash<QString, double> scales;
    auto found = scales.constFind(family);
    if (found != scales.constEnd()) {
        return *found;
    }
    QFont probe(family);
    probe.setPixelSize(100);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double average = QFontMetricsF(probe).horizontalAdvance(letters) / letters.size();
    const double scale = average > 0 ? std::min(1.0, kDesignLetterWidth * 100 / average) : 1.0;
    scales.insert(family, scale);
    return scale;
}

} // namespace

QFont ToQFont(const Font& font, const QFont& inherited) {
    QFont f = inherited;
    double scale = 1.0;
    if (!font.name.empty()) {
        const QString family = ToQString(font.name);
        if (HasFamily(family)) {
            f.setFamily(family);
        } else {
            f.setFamily(PresentSansFamily());
            f.setStyleHint(QFont::SansSerif);
            scale = SubstituteScale(f.family());
        }
    }
    const double points = font.size > 0 ? font.size : inherited.pointSizeF();
    if (points > 0) {
        f.setPointSizeF(points * scale);
    }
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

QFont FittedFont(const QFont& font, const QString& text, const QRect& box, int flags,
                 const QPaintDevice* device) {
    constexpr double kStep = 0.94;
    constexpr int kMaxSteps = 11;
    const QRectF area(box);
    QFont f = font;
    const double points = font.pointSizeF();
    for (int step = 0; step <= kMaxSteps; ++step) {
        if (step > 0 && points > 0) {
            f.setPointSizeF(points * std::pow(kStep, step));
        }
        const QFontMetricsF metrics = device != nullptr ? QFontMetricsF(f, device) : QFontMetricsF(f);
        const QRectF needed = metrics.boundingRect(area, flags, text);
        if (text.isEmpty() || points <= 0 ||
            (needed.width() <= area.width() + 0.01 && needed.height() <= area.height() + 0.01)) {
            return f;
        }
    }
    return f;
}

QFont FormDefaultFont(const QFont& inherited) {
    return ToQFont(Font{"MS Sans Serif", 8.25f, false, false}, inherited);
}

} // namespace vb::host
