// The yardsticks for the game's start-up: an empty Qt Widgets window of the
// game window's first size, built with the same compiler, flags and Qt, and
// the same window showing one label and one button, the least any window that
// shows text pays (fonts, shaping, glyphs, style).
//
//   startup_empty_window [--label-and-button] [--paint-after MS]
//
// --paint-after holds the first paint back, so the measuring script can check
// that it times the pixels and not the window's appearance.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QWidget>
#include <charconv>
#include <cstdio>
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

// A whole non-negative number of milliseconds, or -1.
int parseMs(const char* text) {
    int ms = -1;
    const char* end = text + std::strlen(text);
    const auto [rest, error] = std::from_chars(text, end, ms);
    return error == std::errc() && rest == end && ms >= 0 ? ms : -1;
}

int usage() {
    std::fputs("usage: startup_empty_window [--label-and-button] [--paint-after MS]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    int holdMs = 0;
    bool labelAndButton = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--label-and-button") == 0) {
            labelAndButton = true;
        } else if (std::strcmp(argv[i], "--paint-after") == 0 && i + 1 < argc) {
            holdMs = parseMs(argv[++i]);
            if (holdMs < 0) return usage();
        } else {
            return usage();
        }
    }

    QApplication app(argc, argv);
    Window w(holdMs);
    // The measuring tool finds the window by the "Nuvik3t" at the title's start.
    w.setWindowTitle(labelAndButton ? QStringLiteral("Nuvik3t label and button window")
                                    : QStringLiteral("Nuvik3t empty window"));
    // The game window's outer design size, 11415 x 8160 twips.
    w.resize(761, 544);
    if (labelAndButton) {
        auto* label = new QLabel(QStringLiteral("Nuvik3t 7.7 [Labyrinth]"), &w);
        label->setGeometry(10, 10, 200, 30);
        auto* button = new QPushButton(QStringLiteral("&PLAY GAME"), &w);
        button->setGeometry(10, 50, 100, 40);
    }
    w.show();
    return QApplication::exec();
}
