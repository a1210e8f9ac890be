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
    auto* key = static_cast<QKeyEvent*>(event);
    auto* form = qobject_cast<FormWindow*>(window);
    if (form != nullptr && form->RouteKey(key)) {
        return true;
    }
    // An Alt chord is a command: one that no access key took types nothing
    // in the focus widget. Keys without text, Alt itself among them, go on;
    // so does Ctrl+Alt, which is how Windows sends AltGr (on X11 AltGr is
    // not Alt at all).
    return (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == Qt::AltModifier &&
           !key->text().isEmpty();
}

} // namespace vb::host
