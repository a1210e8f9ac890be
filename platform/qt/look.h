#pragma once
// Fonts, colours and text as the model gives them, turned into Qt's.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/forms.h"

class QPaintDevice;
class QPlainTextEdit;

namespace vb::host {

// The model's text is UTF-8.
inline QString ToQString(const std::string& s) { return QString::fromStdString(s); }
inline std::string ToStdString(const QString& s) { return s.toStdString(); }

// A multi-line text box holds its lines joined by CR LF, as the forms
// runtime always did; Qt's editors use LF alone.
QString ToEditorText(const std::string& text);
std::string FromEditorText(const QString& text);
// What a multi-line box holds, lines joined by LF. Unlike toPlainText(),
// which turns a non-breaking space into a space, every character comes back
// as itself.
QString EditorText(const QPlainTextEdit& edit);

// nullopt for the platform default colour.
std::optional<QColor> ToQColor(std::int32_t rgb);

// The model font over the font the widget would inherit. A family the
// system lacks (the old "MS Sans Serif" above all) becomes a present sans
// font of the same size.
QFont ToQFont(const Font& font, const QFont& inherited);

// The font of a control that names none: the forms runtime's own default,
// MS Sans Serif 8.25 pt, or its substitute.
QFont FormDefaultFont(const QFont& inherited);

// True when the model font says anything at all.
bool HasOwnFont(const Font& font);

// The font made smaller, step by step, until the text laid out with these
// text flags fits the box; a substitute font can be wider than the one a
// caption was designed for. Never below about half the size: past that the
// text would only be unreadable instead of cut off.
QFont FittedFont(const QFont& font, const QString& text, const QRect& box, int flags,
                 const QPaintDevice* device);

} // namespace vb::host
