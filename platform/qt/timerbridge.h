#pragma once
// A model timer on a QTimer: it ticks only while enabled with an interval
// above 0, and each tick goes through the event gate.
#include <QObject>
#include <QTimer>

#include "platform/forms.h"

namespace vb::host {

class EventGate;

class TimerBridge : public QObject {
    Q_OBJECT
public:
    TimerBridge(Timer& model, EventGate& gate, QObject* parent);
    // Follows the model after its Enabled or Interval changed; a change
    // starts the countdown afresh.
    void Sync();
    // The model is going away: never tick again.
    void Detach();

private:
    void tick();

    Timer* model_;
    EventGate& gate_;
    QTimer timer_;
};

} // namespace vb::host
