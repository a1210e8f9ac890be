#pragma once
// Typed characters reach their form's key handler whatever widget has the
// focus, and an Alt chord types in no box: one filter on the whole
// application, ahead of every widget.
#include <QObject>

namespace vb::host {

class KeyRouter : public QObject {
    Q_OBJECT
public:
    // Installs itself on the running application.
    KeyRouter();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vb::host
