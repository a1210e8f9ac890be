#include "platform/forms.h"

#include <algorithm>
#include <stdexcept>

#include "platform/runtime.h"
#include "platform/vbnum.h"

namespace vb {

Control::Control(ControlKind kind, std::string name, int index)
    : kind_(kind), name_(std::move(name)), index_(index) {}

void Control::notify(PropId id) {
    if (form_ != nullptr && form_->Listener() != nullptr) {
        form_->Listener()->propertyChanged(*this, id);
    }
    if (id == PropId::Value && kind_ == ControlKind::CheckBox && Click) {
        Click();
    }
}

Timer::Timer(std::string name) : Control(ControlKind::Timer, std::move(name)) {
    Enabled = false;
    Visible = false;
}

bool Timer::SetInterval(double ms) {
    // A fraction stored into the interval rounds first; only the rounded value
    // must fit (65535.4 is taken as 65535, -0.6 is refused).
    const double rounded = RoundHalfEven(ms);
    if (!(rounded >= 0 && rounded <= 65535)) {
        return false;
    }
    const auto v = static_cast<std::int32_t>(rounded);
    if (v != interval_) {
        interval_ = v;
        notify(PropId::Interval);
    }
    return true;
}

bool Timer::Fire() {
    if (!Active() || !Tick) {
        return false;
    }
    Tick();
    return true;
}

void Container::adopt(std::unique_ptr<Control> control) {
    Control* c = control.get();
    c->parent_ = this;
    c->form_ = Kind() == ControlKind::Form ? static_cast<Form*>(this) : OwnerForm();
    children_.push_back(c);
    owned_.push_back(std::move(control));
    if (c->form_ != nullptr) {
        c->form_->Register(*c);
    }
}

void Container::AddLater(std::function<void()> make) {
    later_.push_back({children_.size(), std::move(make)});
}

const std::vector<Control*>& Container::Children() const {
    if (!later_.empty()) {
        // No container is ever a const object (forms and frames are built by
        // their own code), so making children from here is sound.
        const_cast<Container*>(this)->makeLater();
    }
    return children_;
}

void Container::makeLater() {
    std::vector<Later> later = std::move(later_);
    later_.clear();
    // The last first: making at a later place leaves the earlier places as
    // they were.
    for (auto it = later.rbegin(); it != later.rend(); ++it) {
        const std::size_t made = children_.size();
        it->make();
        for (std::size_t i = made; i < children_.size(); ++i) {
            const ControlKind kind = children_[i]->Kind();
            if (kind != ControlKind::Image && kind != ControlKind::Label) {
                throw std::logic_error("a control made later must be an image or a label");
            }
        }
        std::rotate(children_.begin() + static_cast<std::ptrdiff_t>(it->at),
                    children_.begin() + static_cast<std::ptrdiff_t>(made), children_.end());
    }
}

Form::Form(Runtime& rt, std::string name) : Container(ControlKind::Form, std::move(name)), rt_(rt) {
    setOwnerForm(this);
}

Form::~Form() {
    if (listener_ != nullptr) {
        listener_->formDestroyed(*this);
    }
}

bool Form::setBound(Property<float>& p, float v, bool size) {
    if (WindowState != 0) {
        return false; // a minimised or maximised window cannot be moved or sized
    }
    const float old = p;
    p = v;
    if (size && old != v && Resize) {
        Resize();
    }
    return true;
}

bool Form::SetLeft(float v) { return setBound(Left, v, false); }
bool Form::SetTop(float v) { return setBound(Top, v, false); }
bool Form::SetWidth(float v) { return setBound(Width, v, true); }
bool Form::SetHeight(float v) { return setBound(Height, v, true); }

void Form::Show() {
    if (!loaded_) {
        loaded_ = true;
        if (Load) {
            Load();
        }
    }
    rt_.ShowForm(*this);
}

void Form::HostBoundsChanged(float left, float top, float width, float height) {
    const bool resized = width != Width.get() || height != Height.get();
    Left = left;
    Top = top;
    Width = width;
    Height = height;
    if (resized && Resize) {
        Resize();
    }
}

void Form::HostClosed() {
    loaded_ = false;
    if (Unloaded) {
        Unloaded();
    }
}

} // namespace vb
