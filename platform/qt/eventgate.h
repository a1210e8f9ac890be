#pragma once
// One door through which every event procedure enters the game: handlers
// never overlap, none runs while a modal box is open, and none after the
// program has ended.
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vb::host {

class EventGate {
public:
    // Runs the procedure now when the gate is free; false when refused.
    bool Run(const std::function<void()>& procedure);
    bool Free() const { return !ended_ && !busy_ && modalDepth_ == 0; }
    bool Ended() const { return ended_; }
    void End();

    // Runs the procedure as soon as the gate is free (at once when it is),
    // unless the context object is gone by then or the program has ended.
    void WhenFree(QObject* context, std::function<void()> procedure);

    // Called with the message when a procedure fails with an exception,
    // which must never unwind through Qt's event loop.
    void SetFaultHandler(std::function<void(const std::string&)> handler) {
        onFault_ = std::move(handler);
    }

    // Held while a modal box is open.
    class ModalScope {
    public:
        explicit ModalScope(EventGate& gate);
        ~ModalScope();
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

    private:
        EventGate& gate_;
    };

private:
    void flushSoon();
    void flush();

    int modalDepth_ = 0;
    bool busy_ = false;
    bool ended_ = false;
    bool flushQueued_ = false;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> waiting_;
    std::function<void(const std::string&)> onFault_;
    QObject flushContext_;
};

} // namespace vb::host
