// The program: the game window is the start-up window, hosted by the Qt face.
#include <QApplication>

#include "game/Nuvik3Main.h"
#include "platform/qt/qtruntime.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nuvik3t"));
    vb::QtRuntime rt;
    rt.SetProgramIcon(":/icon/nuvik3t.ico");
    Nuvik3Main w(rt);
    // Runs the window's Load, which opens the notes window first.
    w.Show();
    return QApplication::exec();
}
