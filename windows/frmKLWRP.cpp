#include "windows/frmKLWRP.h"

#include <string>

#include "platform/runtime.h"

frmKLWRP::frmKLWRP(vb::Runtime& rt) : vb::Form(rt, "frmKLWRP") {
    std::string title = rt.ResourceText(":/text/dedication.txt");
    while (!title.empty() && (title.back() == '\n' || title.back() == '\r')) {
        title.pop_back();
    }
    Caption = title + " KLWRP - Nuvik3t";
    ClientWidth = 15240.0f;
    ClientHeight = 11010.0f;
    Icon = ":/icon/nuvik3t.ico";
    DefaultPlacement = true;
    // Drawn by the host at its natural size from the top-left corner.
    Picture = ":/pictures/dedication.jpg";
}
