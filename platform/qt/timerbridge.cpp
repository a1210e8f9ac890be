#include "platform/qt/timerbridge.h"

#include "platform/qt/eventgate.h"

namespace vb::host {

TimerBridge::TimerBridge(Timer& model, EventGate& gate, QObject* parent)
    : QObject(parent), model_(&model), gate_(gate) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TimerBridge::tick);
    Sync();
}

void TimerBridge::Sync() {
    // Never start a QTimer at 0 ms: it would fire on every pass of the loop.
    if (model_ != nullptr && model_->Active()) {
        timer_.start(model_->Interval());
    } else {
        timer_.stop();
    }
}

void TimerBridge::Detach() {
    timer_.stop();
    model_ = nullptr;
}

void TimerBridge::tick() {
    if (model_ == nullptr) {
        return;
    }
    // A refused tick (another procedure running, a modal box open) is
    // dropped, not queued: the next one comes on time.
    gate_.Run([this] { model_->Fire(); });
}

} // namespace vb::host
