// Prints the real runtime's program folder, byte for byte, for the tests that
// run it from folders with awkward names.
#include <QApplication>

#include <cstdio>

#include "platform/qt/qtruntime.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vb::QtRuntime rt;
    const std::string folder = rt.AppPath();
    std::fwrite(folder.data(), 1, folder.size(), stdout);
    return folder.empty() ? 1 : 0;
}
