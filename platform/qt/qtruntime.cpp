#include "platform/qt/qtruntime.h"

#include <QApplication>
#include <QFile>
#include <QWindow>

#include "platform/appfolder.h"
#include "platform/forms.h"
#include "platform/qt/formwindow.h"
#include "platform/qt/keyrouter.h"
#include "platform/qt/modalboxes.h"

namespace vb {

namespace {

constexpr int vbCritical = 16;

// Runs a call once a window has been exposed, after Qt has painted it.
class AfterExpose : public QObject {
public:
    AfterExpose(QWindow* window, std::function<void()> then)
        : QObject(window), then_(std::move(then)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            // Qt paints and flushes the window right after this filter.
            QMetaObject::invokeMethod(this, [this] {
                then_();
                deleteLater();
            }, Qt::QueuedConnection);
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    std::function<void()> then_;
};

} // namespace

QtRuntime::QtRuntime() : keys_(std::make_unique<host::KeyRouter>()) {
    gate_.SetFaultHandler([this](const std::string& message) { fault(message); });
}

QtRuntime::~QtRuntime() {
    for (const QPointer<host::FormWindow>& window : made_) {
        delete window.data();
    }
}

int QtRuntime::MsgBox(const std::string& prompt, int style, const std::string& title) {
    if (gate_.Ended()) {
        return host::EscapeAnswer(style);
    }
    releaseHeld();
    const host::EventGate::ModalScope modal(gate_);
    return host::RunMessageBox(boxOwner(), prompt, style, title);
}

std::string QtRuntime::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    if (gate_.Ended()) {
        return {};
    }
    releaseHeld();
    const host::EventGate::ModalScope modal(gate_);
    return host::RunInputBox(boxOwner(), prompt, title, defaultText);
}

QWidget* QtRuntime::boxOwner() {
    // Right after a box closes the window manager may not have given the
    // window back its activation yet: a second box of the same procedure
    // stands over the window the first one stood over, not in the middle of
    // the screen.
    if (QWidget* active = QApplication::activeWindow()) {
        lastBoxOwner_ = active;
    }
    return lastBoxOwner_;
}

void QtRuntime::Beep() { QApplication::beep(); }

// Not Qt's application folder: it goes through Unicode text and comes back
// empty for a folder name that is not valid UTF-8.
std::string QtRuntime::AppPath() { return ExecutableFolder(); }

std::string QtRuntime::ResourceText(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

void QtRuntime::ShowForm(Form& form) {
    if (gate_.Ended()) {
        return;
    }
    host::FormWindow*& window = windows_[&form];
    const bool created = window == nullptr;
    if (created) {
        const bool held = paintFirst_ != nullptr && &form != paintFirst_;
        window = new host::FormWindow(
            form, gate_, pictures_, [this](Form& dropped) { windows_.erase(&dropped); }, !held);
        made_.emplace_back(window);
        const QPointer<host::FormWindow> made(window);
        if (held) {
            window->setUpdatesEnabled(false);
            afterFirstPaint([made] {
                if (made != nullptr) {
                    made->BuildContents();
                    made->setUpdatesEnabled(true);
                }
            });
        }
        afterFirstPaint([made] {
            if (made != nullptr) {
                made->ShowIcon();
            }
        });
    }
    window->Present();
    if (created && &form == paintFirst_) {
        QWindow* handle = window->windowHandle();
        if (handle != nullptr && !window->isMinimized()) {
            new AfterExpose(handle, [this] { releaseHeld(); });
        } else {
            releaseHeld();   // nothing will be painted soon
        }
    }
}

void QtRuntime::PaintFirst(const Form& form) { paintFirst_ = &form; }

void QtRuntime::afterFirstPaint(std::function<void()> work) {
    if (paintFirst_ == nullptr) {
        work();
    } else {
        waiting_.push_back(std::move(work));
    }
}

void QtRuntime::releaseHeld() {
    paintFirst_ = nullptr;
    const std::vector<std::function<void()>> waiting = std::move(waiting_);
    waiting_.clear();
    for (const std::function<void()>& work : waiting) {
        work();
    }
}

void QtRuntime::UnloadForm(Form& form) {
    auto found = windows_.find(&form);
    if (found != windows_.end()) {
        found->second->CloseByHost();
    }
}

void QtRuntime::EndProgram() {
    if (gate_.Ended()) {
        return;
    }
    gate_.End();
    const auto windows = windows_;
    for (const auto& [form, window] : windows) {
        window->CloseByHost();
    }
    // Queued, so it also ends a program that has not entered its loop yet.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

void QtRuntime::SetProgramIcon(const std::string& path) {
    afterFirstPaint([this, path] { QApplication::setWindowIcon(pictures_.Icon(QString::fromStdString(path))); });
}

QWidget* QtRuntime::WindowOf(const Form& form) const {
    auto found = windows_.find(&form);
    return found != windows_.end() ? found->second : nullptr;
}

void QtRuntime::fault(const std::string& message) {
    // A procedure failed in a way the game did not foresee: say so, as the
    // forms runtime did, and end rather than run on in an unknown state.
    MsgBox("Run-time error: " + message, vbCritical, "");
    EndProgram();
}

} // namespace vb
