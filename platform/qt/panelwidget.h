#pragma once
// A container's face: paints the container itself and its image and label
// children in its stacking order, and hosts its other children as real child
// widgets above that painting. Thousands of board cells stay plain data.
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <unordered_map>
#include <vector>

#include "platform/forms.h"

namespace vb::host {

class PictureCache;

class PanelWidget : public QWidget {
    Q_OBJECT
public:
    PanelWidget(Container& model, PictureCache& pictures, QWidget* parent);

    static bool IsPainted(ControlKind kind) {
        return kind == ControlKind::Image || kind == ControlKind::Label;
    }

    // Adds an image or label child on top of those painted so far.
    void AddPainted(Control& child);
    // A property of a painted child changed: repaint only where it was and
    // where it is now.
    void PaintedChanged(const Control& child, PropId id);
    // The container's own caption changed.
    void OwnCaptionChanged();
    // The font a label's caption is drawn in: its own, made smaller where
    // the caption would not fit the label.
    QFont CaptionFont(const Control& label);
    // The topmost visible painted child at a point, or nullptr.
    Control* PaintedAt(QPoint pos) const;
    // The model is going away: forget it and paint nothing more of it.
    void Detach();

    // Raised when an enabled image is clicked (pressed and released on it).
    std::function<void(Control&)> onImageClick;
    // Raised once, when the panel is first shown, before it paints.
    std::function<void()> onFirstShow;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Item {
        Control* control;
        QRect rect;
        bool visible;
        bool image;
        bool stretch;
        bool enabled;
        QString picture;
        QPixmap pixmap;   // ready to copy; null until first painted
        QSize pixmapFor;  // the logical size it was made for
        qreal pixmapDpr = 0;
        QString caption;
        QFont font;         // as designed
        QFont fitted;       // what the caption is drawn in
        bool fitStale = true;
    };

    void invalidate(const QRect& rect);
    void paintFrame(QPainter& painter);
    void paintImage(QPainter& painter, Item& item, const QRect& exposed);
    void paintLabel(QPainter& painter, Item& item);
    const QFont& fittedFont(Item& item);
    const Item* itemAt(QPoint pos) const;

    Container* model_;
    PictureCache& pictures_;
    std::vector<Item> items_;
    std::unordered_map<const Control*, std::size_t> index_;
    // Past a few rectangles a repaint region only gets slower to build than
    // painting the whole panel.
    int pendingRects_ = 0;
    bool wholePending_ = false;
    Control* pressed_ = nullptr;
    QColor back_;
    QColor fore_;
    QString caption_;
};

} // namespace vb::host
