#include "platform/qt/controlwidgets.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextBrowser>
#include <QUrl>

#include "platform/qt/look.h"

namespace vb::host {

namespace {

// A command button whose caption wraps onto more lines when it is too long
// for one, as the forms runtime's buttons do; Qt's would cut it off.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

    static constexpr int kFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    // Inside the button's bevel.
    static QRect TextArea(const QRect& rect) { return rect.adjusted(3, 2, -3, -2); }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        QRect area = TextArea(rect());
        if (isDown()) {
            area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
        }
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        painter.drawText(area, kFlags, text());
    }
};

// A multi-line box that takes only text from a paste or a drop. Qt 6.4's own
// box reads past the end of data that holds nothing, as the clipboard does
// when no program owns it, and crashes the game.
class MultiLineBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override {
        return source != nullptr && source->hasText();
    }
    void insertFromMimeData(const QMimeData* source) override {
        if (canInsertFromMimeData(source)) {
            QPlainTextEdit::insertFromMimeData(source);
        }
    }
};

void ApplyColors(QWidget* widget, const Control& control) {
    const auto back = ToQColor(control.BackColor);
    const auto fore = ToQColor(control.ForeColor);
    if (!back && !fore) {
        return;
    }
    QPalette pal = widget->palette();
    if (back) {
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
            pal.setColor(role, *back);
        }
        widget->setAutoFillBackground(true);
    }
    if (fore) {
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            pal.setColor(role, *fore);
        }
    }
    widget->setPalette(pal);
}

QWidget* CreateTextBox(const Control& control, QWidget* parent) {
    if (!control.MultiLine) {
        return new QLineEdit(parent);
    }
    auto* edit = new MultiLineBox(parent);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // As from every other control, Tab goes on to the next one: a player
    // without a mouse reaches the buttons after the box.
    edit->setTabChangesFocus(true);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(control.VerticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAlwaysOff);
    return edit;
}

// A rich-text box reads and lays out its document only when it is first
// shown: a page the player may never open costs nothing at start-up.
class RichTextBox : public QTextBrowser {
public:
    RichTextBox(const QString& document, QWidget* parent) : QTextBrowser(parent), document_(document) {
        setOpenExternalLinks(false);
    }

protected:
    void showEvent(QShowEvent* event) override {
        if (!document_.isEmpty()) {
            // Through the URL, so the document's own charset declaration counts.
            setSource(QUrl(QLatin1String("qrc") + document_));
            document_.clear();
        }
        QTextBrowser::showEvent(event);
    }

private:
    QString document_;
};

QWidget* CreateRichText(const Control& control, QWidget* parent) {
    const QString path = ToQString(control.Document);
    const bool present = path.startsWith(QLatin1String(":/")) && QFile::exists(path);
    return new RichTextBox(present ? path : QString(), parent);
}

} // namespace

QString WidgetName(const Control& control) {
    QString name = ToQString(control.Name());
    if (control.Index() >= 0) {
        name += QStringLiteral("(%1)").arg(control.Index());
    }
    return name;
}

QWidget* CreateControlWidget(Control& control, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (control.Kind()) {
    case ControlKind::CommandButton:
        widget = new CommandButton(parent);
        break;
    case ControlKind::CheckBox:
        widget = new QCheckBox(parent);
        break;
    case ControlKind::TextBox:
        widget = CreateTextBox(control, parent);
        break;
    case ControlKind::RichTextBox:
        widget = CreateRichText(control, parent);
        break;
    default:
        return nullptr;
    }
    widget->setObjectName(WidgetName(control));
    ApplyColors(widget, control);
    for (PropId id : {PropId::Caption, PropId::Text, PropId::Value}) {
        ShowProperty(widget, control, id);
    }
    return widget;
}

void FitCaption(QWidget* widget, const Control& control) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (button == nullptr) {
        return;
    }
    const QFont inherited = widget->parentWidget() != nullptr ? widget->parentWidget()->font() : widget->font();
    const QFont designed = HasOwnFont(control.font) ? ToQFont(control.font, inherited) : inherited;
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const QRect area = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        widget->setFont(FittedFont(designed, box->text(), area,
                                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, widget));
    } else {
        widget->setFont(FittedFont(designed, button->text(), CommandButton::TextArea(widget->rect()),
                                   CommandButton::kFlags, widget));
    }
}

void ShowProperty(QWidget* widget, const Control& control, PropId id) {
    switch (id) {
    case PropId::Caption:
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(ToQString(control.Caption));
        }
        break;
    case PropId::Text:
        if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            const QString text = ToQString(control.Text);
            if (line->text() != text) {
                line->setText(text);
            }
        } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
            const QString text = ToEditorText(control.Text);
            if (EditorText(*edit) != text) {
                const QSignalBlocker quiet(edit);
                edit->setPlainText(text);
            }
        }
        break;
    case PropId::Value:
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            const int v = control.Value;
            box->setTristate(v == 2);
            box->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
        }
        break;
    default:
        break;
    }
}

} // namespace vb::host
