#include "platform/qt/eventgate.h"

#include <QMetaObject>
#include <exception>

namespace vb::host {

bool EventGate::Run(const std::function<void()>& procedure) {
    if (!Free()) {
        return false;
    }
    busy_ = true;
    std::string fault;
    try {
        procedure();
    } catch (const std::exception& e) {
        fault = e.what();
        if (fault.empty()) {
            fault = "unknown error";
        }
    }
    busy_ = false;
    if (!fault.empty() && onFault_) {
        onFault_(fault);
    }
    flushSoon();
    return true;
}

void EventGate::End() {
    ended_ = true;
    waiting_.clear();
}

void EventGate::WhenFree(QObject* context, std::function<void()> procedure) {
    if (ended_) {
        return;
    }
    if (Free()) {
        procedure();
        return;
    }
    waiting_.emplace_back(context, std::move(procedure));
}

void EventGate::flushSoon() {
    if (waiting_.empty() || flushQueued_) {
        return;
    }
    // Later, from the event loop: the procedure that just ended may still be
    // on the stack of a widget that is about to go away.
    flushQueued_ = true;
    QMetaObject::invokeMethod(&flushContext_, [this] { flush(); }, Qt::QueuedConnection);
}

void EventGate::flush() {
    flushQueued_ = false;
    while (Free() && !waiting_.empty()) {
        auto [context, procedure] = std::move(waiting_.front());
        waiting_.erase(waiting_.begin());
        if (context) {
            procedure();
        }
    }
}

EventGate::ModalScope::ModalScope(EventGate& gate) : gate_(gate) { ++gate_.modalDepth_; }

EventGate::ModalScope::~ModalScope() {
    --gate_.modalDepth_;
    gate_.flushSoon();
}

} // namespace vb::host
