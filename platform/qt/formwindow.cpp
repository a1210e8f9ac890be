#include "platform/qt/formwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "platform/codepage.h"
#include "platform/qt/controlwidgets.h"
#include "platform/qt/eventgate.h"
#include "platform/qt/look.h"
#include "platform/qt/panelwidget.h"
#include "platform/qt/picturecache.h"
#include "platform/qt/timerbridge.h"
#include "platform/qt/twips.h"

namespace vb::host {

namespace {

// The frame the window manager put around the last window it decorated: the
// best guess for the next window's frame before that one is shown.
QMargins knownMargins;

constexpr int kEnter = 13;

} // namespace

FormWindow::FormWindow(Form& form, EventGate& gate, PictureCache& pictures,
                       std::function<void(Form&)> onDropped, bool withContents)
    : form_(&form), gate_(gate), pictures_(pictures), onDropped_(std::move(onDropped)) {
    setObjectName(ToQString(form.Name()));
    setWindowTitle(ToQString(form.Caption));
    // The designs were laid out for the runtime's default font; Qt's is
    // larger and would not fit their captions.
    setFont(HasOwnFont(form.font) ? ToQFont(form.font, FormDefaultFont(font())) : FormDefaultFont(font()));
    client_ = new PanelWidget(form, pictures_, this);
    client_->setObjectName(QStringLiteral("client"));
    // A timer ticks whether or not the frame holding it was ever shown.
    for (Control* control : form.AllControls()) {
        if (control->Kind() == ControlKind::Timer) {
            timers_[control] = new TimerBridge(static_cast<Timer&>(*control), gate_, this);
        }
    }
    setEnabled(form.Enabled);
    form.SetListener(this);
    if (withContents) {
        BuildContents();
    }
}

FormWindow::~FormWindow() {
    if (form_ != nullptr && form_->Listener() == this) {
        form_->SetListener(nullptr);
    }
}

// ---- Building ---------------------------------------------------------------

void FormWindow::BuildContents() {
    if (built_ || form_ == nullptr) {
        return;
    }
    built_ = true;
    build(*form_, *client_);
    buildTabOrder();
}

void FormWindow::ShowIcon() {
    if (form_ != nullptr && !form_->Icon.empty()) {
        setWindowIcon(pictures_.Icon(ToQString(form_->Icon)));
    }
}

void FormWindow::build(Container& container, PanelWidget& panel) {
    panels_[&container] = &panel;
    panel.onImageClick = [this](Control& image) { click(image); };
    // Children are made bottom first: a new widget lies above its elder
    // siblings, so the stacking order carries over.
    for (Control* child : container.Children()) {
        switch (child->Kind()) {
        case ControlKind::Image:
        case ControlKind::Label:
            panel.AddPainted(*child);
            break;
        case ControlKind::Frame:
            buildFrame(static_cast<Frame&>(*child), panel);
            break;
        case ControlKind::Form:
        case ControlKind::Timer:
            break;
        default:
            buildControl(*child, panel);
            break;
        }
    }
}

void FormWindow::buildFrame(Frame& frame, PanelWidget& parent) {
    auto* widget = new PanelWidget(frame, pictures_, &parent);
    widget->setObjectName(WidgetName(frame));
    // Before its children, which take the frame's font as their own.
    setUpWidget(widget, frame);
    if (frame.Visible) {
        build(frame, *widget);
        return;
    }
    // A hidden frame's children are made when it is first shown: the first
    // screen waits for none of them. The model holds every change made in
    // the meantime.
    widget->onFirstShow = [this, &frame, widget] {
        if (form_ != nullptr) {
            build(frame, *widget);
            buildTabOrder();
        }
    };
}

void FormWindow::buildControl(Control& control, PanelWidget& parent) {
    QWidget* widget = CreateControlWidget(control, &parent);
    if (widget == nullptr) {
        return;
    }
    setUpWidget(widget, control);
    connectWidget(widget, control);
    if (control.Kind() == ControlKind::CommandButton && control.Default && defaultButton_ == nullptr) {
        defaultButton_ = static_cast<QPushButton*>(widget);
    }
}

void FormWindow::setUpWidget(QWidget* widget, const Control& control) {
    widgets_[&control] = widget;
    if (HasOwnFont(control.font)) {
        widget->setFont(ToQFont(control.font, widget->font()));
    }
    if (!control.ToolTipText.empty()) {
        widget->setToolTip(ToQString(control.ToolTipText));
    }
    widget->setGeometry(ChildRect(control));
    FitCaption(widget, control);
    widget->setEnabled(control.Enabled);
    widget->setVisible(control.Visible);
}

void FormWindow::connectWidget(QWidget* widget, Control& control) {
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        connect(box, &QCheckBox::clicked, this, [this, box, &control] {
            if (form_ == nullptr) {
                return;
            }
            // The model decides: its Value change raises Click, and the box
            // then shows whatever the model holds.
            gate_.Run([&control] { control.Value = static_cast<std::int16_t>(control.Value == 1 ? 0 : 1); });
            if (form_ != nullptr) {
                ShowProperty(box, control, PropId::Value);
            }
        });
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, &control] { click(control); });
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        connect(line, &QLineEdit::textEdited, this, [this, &control](const QString& text) {
            if (form_ != nullptr) {
                control.Text = ToStdString(text);
            }
        });
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        connect(edit, &QPlainTextEdit::textChanged, this, [this, edit, &control] {
            if (form_ != nullptr) {
                control.Text = FromEditorText(EditorText(*edit));
            }
        });
    }
}

void FormWindow::buildTabOrder() {
    std::vector<QWidget*> order;
    const std::function<void(const Container&)> collect = [&](const Container& container) {
        std::vector<Control*> children = container.Children();
        // Controls without a tab index come after the others, as created.
        std::stable_sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
            const auto key = [](const Control* c) { return c->TabIndex < 0 ? INT_MAX : c->TabIndex; };
            return key(a) < key(b);
        });
        for (Control* child : children) {
            if (child->Kind() == ControlKind::Frame) {
                if (panels_.count(static_cast<const Frame*>(child)) != 0) {
                    collect(static_cast<const Frame&>(*child));
                }
                continue;
            }
            auto found = widgets_.find(child);
            if (found != widgets_.end() && found->second->focusPolicy() != Qt::NoFocus) {
                order.push_back(found->second);
            }
        }
    };
    collect(*form_);
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    focusOrder_ = std::move(order);
}

void FormWindow::settleFocus() {
    QWidget* focus = focusWidget();
    if (focus != nullptr && focus != this && !focus->isVisibleTo(this)) {
        // A control out of sight takes no key, nor the key's release: the
        // window itself holds the focus while no control can, so every key
        // reaches the form alone.
        lostFocus_ = focus;
        setFocus(Qt::OtherFocusReason);
        return;
    }
    if (focus != this) {
        return;
    }
    // Controls are in sight again: the focus goes back to the one that lost
    // it, or else to the first in the focus order.
    const auto takes = [this](const QWidget* w) {
        return w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) != 0;
    };
    QWidget* next = lostFocus_ != nullptr && takes(lostFocus_) ? lostFocus_.data() : nullptr;
    for (auto it = focusOrder_.begin(); next == nullptr && it != focusOrder_.end(); ++it) {
        next = takes(*it) ? *it : nullptr;
    }
    if (next != nullptr) {
        next->setFocus(Qt::OtherFocusReason);
    }
}

// ---- The model changed ---------------------------------------------------------

void FormWindow::propertyChanged(Control& control, PropId id) {
    if (form_ == nullptr) {
        return;
    }
    if (&control == form_) {
        formChanged(id);
        return;
    }
    if (control.Kind() == ControlKind::Timer) {
        auto found = timers_.find(&control);
        if (found != timers_.end() && (id == PropId::Enabled || id == PropId::Interval)) {
            found->second->Sync();
        }
        return;
    }
    if (PanelWidget::IsPainted(control.Kind())) {
        auto panel = panels_.find(control.Parent());
        if (panel != panels_.end()) {
            panel->second->PaintedChanged(control, id);
        }
        return;
    }
    auto found = widgets_.find(&control);
    if (found == widgets_.end()) {
        return;
    }
    QWidget* widget = found->second;
    switch (id) {
    case PropId::Visible:
        widget->setVisible(control.Visible);
        settleFocus();
        break;
    case PropId::Enabled:
        widget->setEnabled(control.Enabled);
        break;
    case PropId::Left:
    case PropId::Top:
        widget->setGeometry(ChildRect(control));
        break;
    case PropId::Width:
    case PropId::Height:
        widget->setGeometry(ChildRect(control));
        FitCaption(widget, control);
        break;
    case PropId::Caption:
        if (auto* panel = qobject_cast<PanelWidget*>(widget)) {
            panel->OwnCaptionChanged();
        } else {
            ShowProperty(widget, control, id);
            FitCaption(widget, control);
        }
        break;
    default:
        ShowProperty(widget, control, id);
        break;
    }
}

void FormWindow::formChanged(PropId id) {
    switch (id) {
    case PropId::Caption:
        setWindowTitle(ToQString(form_->Caption));
        break;
    case PropId::Left:
    case PropId::Top:
    case PropId::Width:
    case PropId::Height:
        applyBounds(id);
        break;
    case PropId::WindowState:
        applyWindowState();
        break;
    case PropId::Visible:
        if (presented_) {
            setVisible(form_->Visible);
        }
        break;
    case PropId::Enabled:
        setEnabled(form_->Enabled);
        break;
    default:
        break;
    }
}

void FormWindow::formDestroyed(Form& form) {
    if (&form == form_) {
        hide();
        drop();
    }
}

// ---- Events back to the form --------------------------------------------------

void FormWindow::click(Control& control) {
    if (form_ != nullptr) {
        gate_.Run([&control] {
            if (control.Click) {
                control.Click();
            }
        });
    }
}

bool FormWindow::RouteKey(QKeyEvent* event) {
    if (form_ == nullptr || !gate_.Free()) {
        return false;
    }
    // Chords are commands (Alt+letter presses a button), not typing; Tab
    // moves the focus and Delete types nothing.
    if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
        return false;
    }
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete) {
        return false;
    }
    bool cancelled = false;
    bool enter = false;
    for (const uint code : event->text().toUcs4()) {
        const int ascii = Cp1252Byte(static_cast<char32_t>(code));
        if (ascii < 0) {
            continue;   // no character of the code page: nothing to report
        }
        enter = enter || ascii == kEnter;
        auto keyAscii = static_cast<std::int16_t>(ascii);
        gate_.Run([this, &keyAscii] {
            if (form_->KeyPress) {
                form_->KeyPress(keyAscii);
            }
        });
        if (form_ == nullptr) {
            return true;
        }
        cancelled = cancelled || keyAscii == 0;
    }
    if (cancelled) {
        return true;
    }
    return enter && pressForEnter();
}

bool FormWindow::pressForEnter() {
    QWidget* focus = focusWidget();
    if (qobject_cast<QPlainTextEdit*>(focus) != nullptr) {
        return false;   // a new line in the text, not a button
    }
    // A button with the focus takes Enter itself; otherwise the default
    // button does, but only where it can be seen: while its panel is hidden
    // Enter belongs to the key handler alone.
    auto* button = qobject_cast<QPushButton*>(focus);
    if (button == nullptr || !button->isVisible()) {
        button = defaultButton_;
    }
    if (button == nullptr || !button->isVisible() || !button->isEnabled()) {
        return false;
    }
    button->click();
    return true;
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (closingByHost_ || form_ == nullptr || gate_.Ended()) {
        event->accept();
        return;
    }
    // The user closes it. Not in the middle of a procedure or a modal box:
    // the form could not learn of it safely then.
    if (!gate_.Free()) {
        event->ignore();
        return;
    }
    event->accept();
    Form* form = form_;
    drop();
    // The owner may destroy the form here; we no longer listen to it.
    gate_.Run([form] { form->HostClosed(); });
}

void FormWindow::CloseByHost() {
    closingByHost_ = true;
    drop();
    close();
}

void FormWindow::drop() {
    if (form_ == nullptr) {
        return;
    }
    Form* form = form_;
    form_ = nullptr;
    for (auto& [control, timer] : timers_) {
        timer->Detach();
    }
    for (auto& [container, panel] : panels_) {
        panel->Detach();
    }
    widgets_.clear();
    focusOrder_.clear();
    panels_.clear();
    timers_.clear();
    defaultButton_ = nullptr;
    if (form->Listener() == this) {
        form->SetListener(nullptr);
    }
    if (onDropped_) {
        onDropped_(*form);
    }
    deleteLater();
}

// ---- Window bounds --------------------------------------------------------------

QMargins FormWindow::frameMargins() const {
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QRect FormWindow::outerBounds() const {
    // Right after a change of state Qt may still hold the other state's
    // frame, and it says nothing when it learns the new one; in the normal
    // state the frame is the one learnt at the first show.
    return isMaximized() ? frameGeometry() : geometry().marginsAdded(normalMargins_);
}

void FormWindow::Present() {
    if (form_ == nullptr) {
        return;
    }
    if (!presented_) {
        presented_ = true;
        applyFirstGeometry();
        switch (form_->WindowState.get()) {
        case 1:
            setWindowState(Qt::WindowMinimized);
            break;
        case 2:
            setWindowState(Qt::WindowMaximized);
            break;
        default:
            break;
        }
    }
    show();
    raise();
    activateWindow();
}

void FormWindow::applyFirstGeometry() {
    const QSize outer(ToPixels(form_->Width), ToPixels(form_->Height));
    QSize client(ToPixels(form_->ClientWidth), ToPixels(form_->ClientHeight));
    if (!outer.isEmpty()) {
        normalMargins_ = knownMargins;
        wantedOuter_ = outer;
        client = outer.shrunkBy(normalMargins_);
    }
    if (!client.isEmpty()) {
        resize(client);
    }
    if (!form_->DefaultPlacement) {
        move(ToPixels(form_->Left), ToPixels(form_->Top));
        // Also for a window that starts minimised or maximised: these are
        // the bounds it takes when the player restores it.
        normal_ = QRect(pos(), outer);
    }
}

void FormWindow::applyBounds(PropId id) {
    if (!presented_ || form_->WindowState != 0 || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        return;
    }
    // Only the bound that changed: the others may hold what the window has
    // not reported yet, and a form told of its bounds one at a time must
    // not pull the window back to the old ones in between.
    const QRect now = outerBounds();
    QRect wanted = now;
    switch (id) {
    case PropId::Left:
        wanted.moveLeft(ToPixels(form_->Left));
        break;
    case PropId::Top:
        wanted.moveTop(ToPixels(form_->Top));
        break;
    case PropId::Width:
        wanted.setWidth(ToPixels(form_->Width));
        break;
    default:
        wanted.setHeight(ToPixels(form_->Height));
        break;
    }
    if (wanted != now) {
        QRect client = wanted.marginsRemoved(normalMargins_);
        client.setSize(client.size().expandedTo(QSize(1, 1)));
        setGeometry(client);
    }
    normal_ = wanted;
}

void FormWindow::applyWindowState() {
    if (!presented_) {
        return;
    }
    // Minimised keeps the maximised flag, as window managers do: a window
    // minimised from maximised, by the player or by the form, comes back
    // maximised, and the state changeEvent passes on to the form leaves the
    // window as it is.
    const int state = form_->WindowState;
    Qt::WindowStates wanted = windowState();
    if (state == 0) {
        wanted &= ~(Qt::WindowMinimized | Qt::WindowMaximized);
    } else if (state == 1) {
        wanted |= Qt::WindowMinimized;
    } else if (state == 2) {
        wanted = (wanted & ~Qt::WindowMinimized) | Qt::WindowMaximized;
    } else {
        return;
    }
    if (wanted != windowState()) {
        setWindowState(wanted);
    }
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    client_->setGeometry(rect());
    QWidget::resizeEvent(event);
    scheduleBoundsReport();
}

void FormWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    scheduleBoundsReport();
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || form_ == nullptr) {
        return;
    }
    const std::int16_t state = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    if (state == 0 && (old & (Qt::WindowMinimized | Qt::WindowMaximized))) {
        back_ = Back::Due;
    }
    form_->WindowState = state;
    scheduleBoundsReport();
}

void FormWindow::scheduleBoundsReport() {
    if (reportQueued_ || form_ == nullptr || !presented_) {
        return;
    }
    // Moves and resizes come in bursts; the form hears of the final bounds.
    reportQueued_ = true;
    QMetaObject::invokeMethod(this, [this] { reportBounds(); }, Qt::QueuedConnection);
}

void FormWindow::reportBounds() {
    reportQueued_ = false;
    if (form_ == nullptr || !isVisible()) {
        return;
    }
    if (isMinimized()) {
        // No bounds worth telling, but the first display is still news.
        if (!reported_ && form_->Resize) {
            reported_ = gate_.Run(form_->Resize);
        }
        return;
    }
    if (!gate_.Free()) {
        gate_.WhenFree(this, [this] { scheduleBoundsReport(); });
        return;
    }
    if (!isMaximized()) {
        if (back_ != Back::No && normal_.isValid()) {
            // Back from minimised or maximised: where it was in the normal
            // state, wherever the window manager put it. A window never
            // seen normal takes the others' frame.
            if (!frameLearnt_) {
                frameLearnt_ = true;
                normalMargins_ = knownMargins;
            }
            const QRect client = normal_.marginsRemoved(normalMargins_);
            if (back_ == Back::Due && geometry() != client) {
                back_ = Back::Placed;
                setGeometry(client);
                return;   // its own events report it
            }
            back_ = Back::No;
        } else if (!frameLearnt_ && !frameMargins().isNull()) {
            frameLearnt_ = true;
            normalMargins_ = frameMargins();
            knownMargins = normalMargins_;
            // The first show guessed the frame; now that the window manager
            // has put its own around the window, make the outer size the one
            // asked for.
            const QSize client = wantedOuter_.shrunkBy(normalMargins_);
            if (wantedOuter_.isValid() && client != size() && !client.isEmpty()) {
                resize(client);
                return;   // its own resize event reports it
            }
        }
        normal_ = outerBounds();
    }
    const QRect outer = outerBounds();
    const bool firstDisplay = !reported_;
    reported_ = true;
    gate_.Run([this, outer, firstDisplay] {
        const float width = ToTwips(outer.width());
        const float height = ToTwips(outer.height());
        const bool resized = width != form_->Width || height != form_->Height;
        form_->HostBoundsChanged(ToTwips(outer.x()), ToTwips(outer.y()), width, height);
        // A form hears Resize at its first display even when the window
        // came out exactly the size it asked for.
        if (firstDisplay && !resized && form_ != nullptr && form_->Resize) {
            form_->Resize();
        }
    });
}

} // namespace vb::host
