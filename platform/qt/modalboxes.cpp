#include "platform/qt/modalboxes.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QSpacerItem>
#include <cmath>

#include "platform/qt/look.h"
#include "platform/runtime.h"

namespace vb::host {

namespace {

constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;

QString Title(const std::string& title) {
    return title.empty() ? QCoreApplication::applicationName() : ToQString(title);
}

// The window manager writes the title in its own font, often bold and a
// little larger than the box's, beside its icon and its buttons. A box sized
// to a short text would show its title cut in the middle, so it is made wide
// enough for both. Logical pixels: the room grows with the device pixel ratio.
constexpr double kTitleFontScale = 1.2;
constexpr int kTitleDecoration = 150;

void MakeRoomForTitle(QDialog& box) {
    QFont font = box.font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * kTitleFontScale);
    const double title = QFontMetricsF(font).horizontalAdvance(box.windowTitle());
    const int width = static_cast<int>(std::ceil(title)) + kTitleDecoration;
    // Both boxes fix their size from their layout's, so the room goes into
    // the layout, across all its columns. An input dialog builds its layout
    // only when first asked for its size.
    box.minimumSizeHint();
    QLayout* layout = box.layout();
    const QMargins margins = layout->contentsMargins();
    auto* room = new QSpacerItem(width - margins.left() - margins.right(), 0, QSizePolicy::Fixed,
                                 QSizePolicy::Fixed);
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        grid->addItem(room, grid->rowCount(), 0, 1, grid->columnCount());
    } else {
        layout->addItem(room);
    }
}

// Keeps a question open until one of its buttons answers it: Esc and the
// close box would otherwise answer it with its No or Abort button.
class AwaitButton : public QObject {
protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel);
    }
};

} // namespace

std::vector<BoxButton> BoxButtons(int style) {
    using B = QMessageBox;
    switch (style & 7) {
    case 1:
        return {{B::Ok, vbOK}, {B::Cancel, vbCancel}};
    case 2:
        return {{B::Abort, vbAbort}, {B::Retry, vbRetry}, {B::Ignore, vbIgnore}};
    case 3:
        return {{B::Yes, vbYes}, {B::No, vbNo}, {B::Cancel, vbCancel}};
    case vbYesNo:
        return {{B::Yes, vbYes}, {B::No, vbNo}};
    case 5:
        return {{B::Retry, vbRetry}, {B::Cancel, vbCancel}};
    default:
        return {{B::Ok, vbOK}};
    }
}

QMessageBox::Icon BoxIcon(int style) {
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int EscapeAnswer(int style) {
    const auto buttons = BoxButtons(style);
    for (int wanted : {vbCancel, vbNo}) {
        for (const BoxButton& b : buttons) {
            if (b.answer == wanted) {
                return wanted;
            }
        }
    }
    return buttons.back().answer;
}

bool HasWayOut(int style) {
    const auto buttons = BoxButtons(style);
    return buttons.size() == 1 || EscapeAnswer(style) == vbCancel;
}

int RunMessageBox(QWidget* parent, const std::string& prompt, int style, const std::string& title) {
    QMessageBox box(parent);
    // Esc is also the game's pause key: typed as a question comes up, it
    // must not answer it; nor may the close box, which stands for Esc.
    AwaitButton awaitButton;
    if (!HasWayOut(style)) {
        box.installEventFilter(&awaitButton);
    }
    box.setIcon(BoxIcon(style));
    box.setWindowTitle(Title(title));
    // Prompts such as "<Juego en curso>" are text, never markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(ToEditorText(prompt));
    const auto buttons = BoxButtons(style);
    QMessageBox::StandardButtons set;
    for (const BoxButton& b : buttons) {
        set |= b.button;
    }
    box.setStandardButtons(set);
    const auto defaultIndex = static_cast<std::size_t>((style >> 8) & 3);
    if (defaultIndex < buttons.size()) {
        box.setDefaultButton(buttons[defaultIndex].button);
    }
    MakeRoomForTitle(box);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    for (const BoxButton& b : buttons) {
        if (clicked != nullptr && box.button(b.button) == clicked) {
            return b.answer;
        }
    }
    return EscapeAnswer(style);
}

std::string RunInputBox(QWidget* parent, const std::string& prompt, const std::string& title,
                        const std::string& defaultText) {
    QInputDialog dialog(parent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(Title(title));
    dialog.setLabelText(ToEditorText(prompt));
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
    dialog.setTextValue(ToQString(defaultText));
    MakeRoomForTitle(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return ToStdString(dialog.textValue());
}

} // namespace vb::host
