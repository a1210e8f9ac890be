// The program: the game window is the start-up window, hosted by the Qt face.
#include <QApplication>
#include <QThreadPool>
#include <fontconfig/fontconfig.h>
#include <thread>

#include "game/Nuvik3Main.h"
#include "platform/qt/qtruntime.h"

int main(int argc, char* argv[]) {
    // Reading the font configuration takes milliseconds that depend on
    // nothing Qt does; it runs while Qt connects to the display, and Qt's
    // own call then finds it done.
    std::thread fontConfig([] { FcInit(); });
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nuvik3t"));
    // Qt spreads larger fills and picture conversions over a pool of threads;
    // this program's are small, and every thread costs memory and a wake-up.
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    vb::QtRuntime rt;
    Nuvik3Main w(rt);
    fontConfig.join();
    rt.PaintFirst(w);
    rt.SetProgramIcon(":/icon/nuvik3t.ico");
    // Runs the window's Load, which opens the notes window first.
    w.Show();
    return QApplication::exec();
}
