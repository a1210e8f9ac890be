// The yardstick for the game's start-up: an empty Qt Widgets window of the
// game window's first size, built with the same compiler, flags and Qt.
//
//   startup_empty_window [--paint-after MS]
//
// --paint-after holds the first paint back, so the measuring script can check
// that it times the pixels and not the window's appearance.
#include <QApplication>
#include <QThread>
#include <QWidget>
#include <cstring>

namespace {

class Window : public QWidget {
public:
    explicit Window(int holdMs) : holdMs_(holdMs) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (holdMs_ > 0) {
            QThread::msleep(static_cast<unsigned long>(holdMs_));
            holdMs_ = 0;
        }
    }

private:
    int holdMs_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    int holdMs = 0;
    if (argc == 3 && std::strcmp(argv[1], "--paint-after") == 0) {
        holdMs = std::atoi(argv[2]);
    }
    Window w(holdMs);
    w.setWindowTitle(QStringLiteral("Nuvik3t empty window"));
    // The game window's outer design size, 11415 x 8160 twips.
    w.resize(761, 544);
    w.show();
    return QApplication::exec();
}
