#include "platform/qt/look.h"

#include <QFontDatabase>

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

QString PresentSansFamily() {
    static const QString family = [] {
        for (const char* name : {"Liberation Sans", "Arial", "Helvetica", "DejaVu Sans"}) {
            if (QFontDatabase::hasFamily(QString::fromLatin1(name))) {
                return QString::fromLatin1(name);
            }
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

} // namespace

QFont ToQFont(const Font& font, const QFont& inherited) {
    QFont f = inherited;
    if (!font.name.empty()) {
        const QString family = ToQString(font.name);
        if (QFontDatabase::hasFamily(family)) {
            f.setFamily(family);
        } else {
            f.setFamily(PresentSansFamily());
            f.setStyleHint(QFont::SansSerif);
        }
    }
    if (font.size > 0) {
        f.setPointSizeF(font.size);
    }
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

} // namespace vb::host
