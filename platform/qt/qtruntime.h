#pragma once
// The runtime of the real program: forms in Qt windows, Qt's modal boxes and
// beep, the standard random numbers and the system clock. Make it after the
// QApplication and before the forms it will show.
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/qt/eventgate.h"
#include "platform/qt/picturecache.h"
#include "platform/runtime.h"
#include "platform/stdrandom.h"
#include "platform/systemclock.h"

class QWidget;

namespace vb {

namespace host {
class FormWindow;
class KeyRouter;
} // namespace host

class QtRuntime : public Runtime {
public:
    QtRuntime();
    ~QtRuntime() override;
    QtRuntime(const QtRuntime&) = delete;
    QtRuntime& operator=(const QtRuntime&) = delete;

    RandomSource& random() override { return random_; }
    Clock& clock() override { return clock_; }
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void Beep() override;
    std::string AppPath() override;
    std::string ResourceText(const std::string& path) override;
    void ShowForm(Form& form) override;
    void UnloadForm(Form& form) override;
    void EndProgram() override;

    // The icon of windows that name none of their own, such as the boxes.
    void SetProgramIcon(const std::string& path);

    // The window the player waits for at start-up: windows shown before it
    // has painted are mapped in their turn, but get their controls and paint
    // only after it has painted (or when a modal box comes first, or when it
    // starts minimised). Icons wait as well.
    void PaintFirst(const Form& form);

    // The window showing a form, or nullptr.
    QWidget* WindowOf(const Form& form) const;
    bool Ended() const { return gate_.Ended(); }

private:
    void fault(const std::string& message);
    // Runs the work now, or once the paint-first window has painted.
    void afterFirstPaint(std::function<void()> work);
    void releaseHeld();
    // The window a box stands over: the active one, else the last box's.
    QWidget* boxOwner();

    StdRandom random_;
    SystemClock clock_;
    host::EventGate gate_;
    host::PictureCache pictures_;
    std::unique_ptr<host::KeyRouter> keys_;
    std::unordered_map<const Form*, host::FormWindow*> windows_;
    // Every window ever made, to delete those still around at the end.
    std::vector<QPointer<host::FormWindow>> made_;
    const Form* paintFirst_ = nullptr;
    QPointer<QWidget> lastBoxOwner_;
    std::vector<std::function<void()>> waiting_;
};

} // namespace vb
