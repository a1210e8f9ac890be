#include "platform/qt/keyrouter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/qt/formwindow.h"

namespace vb::host {

KeyRouter::KeyRouter() { QCoreApplication::instance()->installEventFilter(this); }

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* window = widget->window();
    // A key a widget does not take travels on to its parents, and the
    // filter sees it again at each; only its first receiver counts.
    QWidget* first = window->focusWidget() != nullptr ? window->focusWidget() : window;
    if (widget != first) {
        return false;
    }
    auto* form = qobject_cast<FormWindow*>(window);
    return form != nullptr && form->RouteKey(static_cast<QKeyEvent*>(event));
}

} // namespace vb::host
