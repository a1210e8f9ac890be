#pragma once
// The real window of one form: built from the model when first shown, kept
// in step with every property change, and the way clicks, typed characters,
// moves, resizes, closes and timer ticks get back to the form.
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>
#include <unordered_map>
#include <vector>

#include "platform/forms.h"

class QKeyEvent;
class QPushButton;

namespace vb::host {

class EventGate;
class PanelWidget;
class PictureCache;
class TimerBridge;

class FormWindow : public QWidget, public FormListener {
    Q_OBJECT
public:
    // onDropped is told when the window lets go of its form for good (closed,
    // or the form destroyed); the window then deletes itself. Without
    // withContents the window stays bare (it can be shown, and follows the
    // form's own properties) until BuildContents makes its controls.
    FormWindow(Form& form, EventGate& gate, PictureCache& pictures,
               std::function<void(Form&)> onDropped, bool withContents = true);
    void BuildContents();
    // The form's icon; decoding it is left to whoever makes the window.
    void ShowIcon();
    ~FormWindow() override;

    // Shows the window and brings it forward; the first time it is sized
    // and placed from the model.
    void Present();
    // Takes the window away without telling the form the user closed it.
    void CloseByHost();
    // A typed key whose first receiver is in this window. True when the key
    // was used up (a procedure cancelled it, or Enter pressed a button).
    bool RouteKey(QKeyEvent* event);

    void propertyChanged(Control& control, PropId id) override;
    void formDestroyed(Form& form) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void build(Container& container, PanelWidget& panel);
    void buildFrame(Frame& frame, PanelWidget& parent);
    void buildControl(Control& control, PanelWidget& parent);
    void setUpWidget(QWidget* widget, const Control& control);
    void connectWidget(QWidget* widget, Control& control);
    void buildTabOrder();
    // After a control or panel is shown or hidden: the focus never stays
    // on a control out of sight.
    void settleFocus();
    void formChanged(PropId id);
    void click(Control& control);
    bool pressForEnter();
    void applyFirstGeometry();
    void applyBounds(PropId id);
    void applyWindowState();
    void scheduleBoundsReport();
    void reportBounds();
    QMargins frameMargins() const;
    QRect outerBounds() const;
    void drop();

    Form* form_;
    EventGate& gate_;
    PictureCache& pictures_;
    std::function<void(Form&)> onDropped_;
    PanelWidget* client_ = nullptr;
    std::unordered_map<const Control*, QWidget*> widgets_;
    std::unordered_map<const Container*, PanelWidget*> panels_;
    std::unordered_map<const Control*, TimerBridge*> timers_;
    std::vector<QWidget*> focusOrder_;
    // The control that lost the focus when it went out of sight.
    QPointer<QWidget> lostFocus_;
    QPushButton* defaultButton_ = nullptr;
    bool presented_ = false;
    bool built_ = false;
    bool closingByHost_ = false;
    bool reportQueued_ = false;
    bool reported_ = false;   // the form has heard its first bounds
    // The outer size asked for at the first show, made good once the window
    // manager has told us how thick its frame is.
    QSize wantedOuter_;
    // The frame the window manager puts around the window in the normal
    // state: guessed at the first show, learnt from the first report that
    // has one.
    QMargins normalMargins_;
    bool frameLearnt_ = false;
    // The window's bounds in the normal state, frame included: where it goes
    // back to from minimised or maximised, whatever the window manager
    // would choose. Null until known.
    QRect normal_;
    // Coming back to them: due, or asked of the window manager.
    enum class Back { No, Due, Placed };
    Back back_ = Back::No;
};

} // namespace vb::host
