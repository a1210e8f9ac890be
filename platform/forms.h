#pragma once
// Forms and controls as plain data. The windows' event procedures read and
// write these properties directly; a host (the Qt face, or nothing in tests)
// listens to every change and keeps the screen in step.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vb {

class Control;
class Container;
class Form;
class Runtime;

enum class PropId : std::uint8_t {
    Visible, Enabled, Left, Top, Width, Height, Caption, Text, Value, Stretch, Tag,
    Interval, WindowState
};

// What a host implements to follow a form.
class FormListener {
public:
    virtual ~FormListener() = default;
    virtual void propertyChanged(Control& control, PropId id) = 0;
    // The form's model is going away; drop every reference to it.
    virtual void formDestroyed(Form&) {}
};

// A property that tells its form's listener when its value changes.
template <class T>
class Property {
public:
    Property(Control* owner, PropId id, T init = T{}) : value_(std::move(init)), id_(id), owner_(owner) {}
    Property(const Property&) = delete;
    Property& operator=(const Property& other) { return *this = other.value_; }
    Property& operator=(const T& v);
    operator const T&() const { return value_; }
    const T& get() const { return value_; }

private:
    // The id beside a small value takes no room of its own: thousands of
    // board cells hold a dozen of these each.
    T value_;
    PropId id_;
    Control* owner_;
};

enum class ControlKind : std::uint8_t {
    Form, Frame, Label, CommandButton, CheckBox, TextBox, Image, RichTextBox, Timer
};

enum class Align : std::uint8_t { Left, Right, Center };

struct Font {
    std::string name;     // empty: the platform's default
    float size = 0;       // points; 0: the platform's default
    bool bold = false;
    bool italic = false;
};

constexpr std::int32_t kDefaultColor = -1;
constexpr std::int32_t Rgb(int r, int g, int b) { return (r << 16) | (g << 8) | b; }

class Control {
public:
    Control(ControlKind kind, std::string name, int index = -1);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    ControlKind Kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    Container* Parent() const { return parent_; }
    Form* OwnerForm() const { return form_; }

    Property<bool> Visible{this, PropId::Visible, true};
    Property<bool> Enabled{this, PropId::Enabled, true};
    Property<float> Left{this, PropId::Left};
    Property<float> Top{this, PropId::Top};
    Property<float> Width{this, PropId::Width};
    Property<float> Height{this, PropId::Height};
    Property<std::string> Caption{this, PropId::Caption};
    Property<std::string> Text{this, PropId::Text};
    Property<std::int16_t> Value{this, PropId::Value};   // check box: 0 or 1
    Property<bool> Stretch{this, PropId::Stretch};
    Property<std::string> Tag{this, PropId::Tag};

    void Move(float left, float top) { Left = left; Top = top; }

    // Design: set once when the form is built; code never changes them.
    int TabIndex = -1;
    std::int32_t BackColor = kDefaultColor;
    std::int32_t ForeColor = kDefaultColor;
    Font font;
    Align Alignment = Align::Left;
    bool Border = false;
    std::string Picture;        // resource path of an image's picture
    std::string Document;       // resource path of a rich-text box's document
    std::string ToolTipText;
    bool Default = false;       // the form's default button (Enter)
    bool MultiLine = false;
    bool VerticalScrollBar = false;

    // Click of a button, check box or image; a check box also raises it
    // whenever its Value changes.
    std::function<void()> Click;

    void notify(PropId id);

protected:
    void setOwnerForm(Form* f) { form_ = f; }

private:
    friend class Container;
    ControlKind kind_;
    std::string name_;
    int index_;
    Container* parent_ = nullptr;
    Form* form_ = nullptr;
};

// Sets a control's designed place, size and tab index in one go.
inline Control& Place(Control& c, float left, float top, float width, float height, int tab = -1) {
    c.Left = left;
    c.Top = top;
    c.Width = width;
    c.Height = height;
    c.TabIndex = tab;
    return c;
}

class Timer : public Control {
public:
    explicit Timer(std::string name);
    std::int32_t Interval() const { return interval_; }
    // Rounded half to even, then a value outside 0..65535 is refused: returns
    // false, the old one stays.
    bool SetInterval(double ms);
    // Ticks only while enabled with an interval above 0.
    bool Active() const { return Enabled && interval_ > 0; }
    // Runs the tick handler when active (the host's or a test's clock says when).
    bool Fire();
    std::function<void()> Tick;

private:
    std::int32_t interval_ = 0;
};

// A frame or a form: holds children in stacking order, bottom first.
class Container : public Control {
public:
    using Control::Control;
    template <class T = Control, class... Args>
    T& Add(Args&&... args) {
        auto owned = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *owned;
        adopt(std::move(owned));
        return ref;
    }
    // Children made only when first asked for, here in the stacking order:
    // thousands of board cells cost nothing until a board is wanted. The
    // maker may make images and labels only, which a host needs no sooner
    // than it shows them.
    void AddLater(std::function<void()> make);
    // Makes the children added for later, if any are still to make.
    const std::vector<Control*>& Children() const;
    // Twips per unit of the children's positions and sizes.
    double ScaleUnitX = 1.0;
    double ScaleUnitY = 1.0;

private:
    void adopt(std::unique_ptr<Control> control);
    void makeLater();
    struct Later {
        std::size_t at;   // place in the stacking order
        std::function<void()> make;
    };
    std::vector<Control*> children_;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Later> later_;
};

class Frame : public Container {
public:
    explicit Frame(std::string name) : Container(ControlKind::Frame, std::move(name)) {}
};

// Elements of a control array, addressed by index.
class ControlArray {
public:
    void Append(Control& c) { items_.push_back(&c); }
    // The elements are children the container makes when first asked for.
    void MadeLaterBy(const Container& c) { maker_ = &c; }
    Control& operator()(int i) const { return *items().at(static_cast<std::size_t>(i)); }
    bool Has(int i) const { return i >= 0 && static_cast<std::size_t>(i) < items().size(); }
    int Count() const { return static_cast<int>(items().size()); }

private:
    const std::vector<Control*>& items() const {
        if (maker_ != nullptr) {
            std::exchange(maker_, nullptr)->Children();
        }
        return items_;
    }
    std::vector<Control*> items_;
    mutable const Container* maker_ = nullptr;
};

class Form : public Container {
public:
    Form(Runtime& rt, std::string name);
    ~Form() override;

    Runtime& rt() const { return rt_; }

    // Outer window bounds in twips and the window state (0 normal, 1
    // minimised, 2 maximised). Left, Top, Width and Height are the base
    // properties; a minimised or maximised window refuses new bounds.
    Property<std::int16_t> WindowState{this, PropId::WindowState};
    bool SetLeft(float v);
    bool SetTop(float v);
    bool SetWidth(float v);
    bool SetHeight(float v);

    // Design of the window.
    float ClientWidth = 0;   // design client area, twips
    float ClientHeight = 0;
    std::string Icon;
    // The window lets the system choose where it first appears; otherwise it
    // opens at Left, Top, whatever they are (0, 0 is a place like any other).
    bool DefaultPlacement = false;

    // Event procedures.
    std::function<void()> Load;
    std::function<void()> Resize;
    std::function<void(std::int16_t&)> KeyPress;
    std::function<void()> Unloaded;   // after the user closed the window

    // Show modeless; loads the form first when it is not loaded.
    void Show();
    bool IsLoaded() const { return loaded_; }

    // Host side.
    void SetListener(FormListener* l) { listener_ = l; }
    FormListener* Listener() const { return listener_; }
    // The real window's bounds changed: store them and raise Resize when
    // the size changed.
    void HostBoundsChanged(float left, float top, float width, float height);
    // The user closed the window by its close box.
    void HostClosed();
    // Every control of the form made so far, in creation order.
    const std::vector<Control*>& AllControls() const { return all_; }
    void Register(Control& c) { all_.push_back(&c); }

private:
    bool setBound(Property<float>& p, float v, bool size);
    Runtime& rt_;
    FormListener* listener_ = nullptr;
    bool loaded_ = false;
    std::vector<Control*> all_;
};

template <class T>
Property<T>& Property<T>::operator=(const T& v) {
    if (!(value_ == v)) {
        value_ = v;
        owner_->notify(id_);
    }
    return *this;
}

} // namespace vb
