#include "platform/qt/panelwidget.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <utility>

#include "platform/qt/look.h"
#include "platform/qt/picturecache.h"
#include "platform/qt/twips.h"

namespace vb::host {

namespace {

constexpr int kMaxPendingRects = 64;

int TextAlignment(Align a) {
    switch (a) {
    case Align::Right:
        return Qt::AlignRight;
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

int LabelFlags(const Control& label) {
    return TextAlignment(label.Alignment) | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
}

// Inside the border, with a pixel of room on either side.
QRect LabelTextBox(const Control& label, QRect rect) {
    if (label.Border) {
        rect.adjust(1, 1, -1, -1);
    }
    return rect.adjusted(1, 0, -1, 0);
}

} // namespace

PanelWidget::PanelWidget(Container& model, PictureCache& pictures, QWidget* parent)
    : QWidget(parent), model_(&model), pictures_(pictures), caption_(ToQString(model.Caption)) {
    // Every pixel is painted here, so Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    back_ = ToQColor(model.BackColor).value_or(palette().color(QPalette::Window));
    // Only the caption: children keep their own default colours.
    fore_ = ToQColor(model.ForeColor).value_or(palette().color(QPalette::WindowText));
}

void PanelWidget::showEvent(QShowEvent* event) {
    if (onFirstShow) {
        std::exchange(onFirstShow, nullptr)();
    }
    QWidget::showEvent(event);
}

void PanelWidget::AddPainted(Control& child) {
    Item item{};
    item.control = &child;
    item.rect = ChildRect(child);
    item.visible = child.Visible;
    item.image = child.Kind() == ControlKind::Image;
    item.stretch = child.Stretch;
    item.enabled = child.Enabled;
    item.picture = ToQString(child.Picture);
    item.caption = ToQString(child.Caption);
    item.font = HasOwnFont(child.font) ? ToQFont(child.font, font()) : font();
    index_.emplace(&child, items_.size());
    items_.push_back(std::move(item));
    if (items_.back().visible) {
        invalidate(items_.back().rect);
    }
}

void PanelWidget::PaintedChanged(const Control& child, PropId id) {
    auto found = index_.find(&child);
    if (found == index_.end()) {
        return;
    }
    Item& item = items_[found->second];
    switch (id) {
    case PropId::Visible:
        item.visible = child.Visible;
        invalidate(item.rect);
        return;
    case PropId::Left:
    case PropId::Top:
    case PropId::Width:
    case PropId::Height: {
        const QRect now = ChildRect(child);
        if (now == item.rect) {
            return;
        }
        if (item.visible) {
            invalidate(item.rect);
            invalidate(now);
        }
        item.fitStale = item.fitStale || now.size() != item.rect.size();
        item.rect = now;
        return;
    }
    case PropId::Stretch:
        item.stretch = child.Stretch;
        break;
    case PropId::Caption:
        item.caption = ToQString(child.Caption);
        item.fitStale = true;
        break;
    case PropId::Enabled:
        item.enabled = child.Enabled;
        break;
    default:
        return;
    }
    if (item.visible) {
        invalidate(item.rect);
    }
}

void PanelWidget::OwnCaptionChanged() {
    if (model_ != nullptr) {
        caption_ = ToQString(model_->Caption);
        update();
    }
}

void PanelWidget::Detach() {
    model_ = nullptr;
    items_.clear();
    index_.clear();
    onFirstShow = nullptr;
    pressed_ = nullptr;
    update();
}

void PanelWidget::invalidate(const QRect& rect) {
    if (wholePending_ || rect.isEmpty() || !isVisible()) {
        return;
    }
    if (++pendingRects_ > kMaxPendingRects) {
        wholePending_ = true;
        update();
        return;
    }
    update(rect);
}

const PanelWidget::Item* PanelWidget::itemAt(QPoint pos) const {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        if (it->visible && it->rect.contains(pos)) {
            return &*it;
        }
    }
    return nullptr;
}

Control* PanelWidget::PaintedAt(QPoint pos) const {
    const Item* item = itemAt(pos);
    return item != nullptr ? item->control : nullptr;
}

void PanelWidget::paintEvent(QPaintEvent* event) {
    pendingRects_ = 0;
    wholePending_ = false;
    QPainter painter(this);
    const QRegion& region = event->region();
    const QRect bounds = region.boundingRect();
    painter.fillRect(bounds, back_);
    if (model_ == nullptr) {
        return;
    }
    if (model_->Kind() == ControlKind::Form && !model_->Picture.empty()) {
        const QPixmap own =
            pictures_.Natural(ToQString(model_->Picture), painter.device()->devicePixelRatioF());
        painter.drawPixmap(0, 0, own);
    }
    paintFrame(painter);
    const bool scattered = region.rectCount() > 1;
    for (Item& item : items_) {
        if (!item.visible || !bounds.intersects(item.rect) ||
            (scattered && !region.intersects(item.rect))) {
            continue;
        }
        if (item.image) {
            paintImage(painter, item, bounds);
        } else {
            paintLabel(painter, item);
        }
    }
}

void PanelWidget::paintFrame(QPainter& painter) {
    if (model_->Kind() != ControlKind::Frame || !model_->Border) {
        return;
    }
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    const QFontMetrics metrics(font());
    const QSize text = caption_.isEmpty() ? QSize() : metrics.size(flags, caption_);
    const QRect box = rect().adjusted(0, text.height() / 2, -1, -1);
    // An etched line: a dark one with a light one just inside it.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(box.adjusted(1, 1, 0, 0));
    if (!caption_.isEmpty()) {
        const QRect label(8, 0, text.width() + 4, text.height());
        painter.fillRect(label, back_);
        painter.setFont(font());
        painter.setPen(fore_);
        painter.drawText(label.adjusted(2, 0, 0, 0), flags, caption_);
    }
}

void PanelWidget::paintImage(QPainter& painter, Item& item, const QRect& exposed) {
    if (item.picture.isEmpty()) {
        return;
    }
    if (item.stretch && pictures_.IsLargePixelPicture(item.picture)) {
        pictures_.DrawBanded(painter, item.picture, item.rect, exposed);
        return;
    }
    const qreal dpr = painter.device()->devicePixelRatioF();
    const QSize wanted = item.stretch ? item.rect.size() : QSize();
    if (item.pixmapFor != wanted || item.pixmapDpr != dpr || item.pixmap.isNull()) {
        item.pixmap = item.stretch ? pictures_.Scaled(item.picture, wanted, dpr)
                                   : pictures_.Natural(item.picture, dpr);
        item.pixmapFor = wanted;
        item.pixmapDpr = dpr;
    }
    if (item.pixmap.isNull()) {
        return;
    }
    if (item.stretch) {
        painter.drawPixmap(item.rect.topLeft(), item.pixmap);
        return;
    }
    // Natural size from the top-left, cut off at the control's edges.
    const QSize shown = item.pixmap.deviceIndependentSize().toSize().boundedTo(item.rect.size());
    painter.drawPixmap(QRect(item.rect.topLeft(), shown), item.pixmap,
                       QRect(QPoint(0, 0), shown * dpr));
}

QFont PanelWidget::CaptionFont(const Control& label) {
    auto found = index_.find(&label);
    return found != index_.end() ? fittedFont(items_[found->second]) : font();
}

const QFont& PanelWidget::fittedFont(Item& item) {
    if (item.fitStale) {
        item.fitted = FittedFont(item.font, item.caption, LabelTextBox(*item.control, item.rect),
                                 LabelFlags(*item.control), this);
        item.fitStale = false;
    }
    return item.fitted;
}

void PanelWidget::paintLabel(QPainter& painter, Item& item) {
    const Control& c = *item.control;
    painter.fillRect(item.rect, ToQColor(c.BackColor).value_or(palette().color(QPalette::Window)));
    if (c.Border) {
        painter.setPen(QColor(Qt::black));
        painter.drawRect(item.rect.adjusted(0, 0, -1, -1));
    }
    if (item.caption.isEmpty()) {
        return;
    }
    const QColor fore = item.enabled
                            ? ToQColor(c.ForeColor).value_or(palette().color(QPalette::WindowText))
                            : palette().color(QPalette::Disabled, QPalette::WindowText);
    painter.save();
    painter.setClipRect(c.Border ? item.rect.adjusted(1, 1, -1, -1) : item.rect, Qt::IntersectClip);
    painter.setFont(fittedFont(item));
    painter.setPen(fore);
    painter.drawText(LabelTextBox(c, item.rect), LabelFlags(c), item.caption);
    painter.restore();
}

void PanelWidget::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? PaintedAt(event->position().toPoint()) : nullptr;
    QWidget::mousePressEvent(event);
}

void PanelWidget::mouseReleaseEvent(QMouseEvent* event) {
    Control* pressed = pressed_;
    pressed_ = nullptr;
    if (pressed != nullptr && event->button() == Qt::LeftButton &&
        PaintedAt(event->position().toPoint()) == pressed &&
        pressed->Kind() == ControlKind::Image && pressed->Enabled && onImageClick) {
        onImageClick(*pressed);
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

bool PanelWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Item* item = itemAt(help->pos());
        if (item != nullptr && !item->control->ToolTipText.empty()) {
            QToolTip::showText(help->globalPos(), ToQString(item->control->ToolTipText), this,
                               item->rect);
            return true;
        }
        if (item != nullptr) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
    }
    return QWidget::event(event);
}

} // namespace vb::host
