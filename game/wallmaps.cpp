// Wall-map files: the wall state of every cell, one line per cell in index
// order, -1 for a wall and 0 for a passage. "dificil.dat.txt" and the
// numbered "<n>.dat.txt" live in the program's folder.
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"
#include "platform/seqfile.h"
#include "platform/vbtext.h"

namespace {

constexpr const char* kDificilFile = "dificil.dat.txt";

std::string NumberedFile(Int16 n) { return vb::CStr(n) + ".dat.txt"; }

// The file is replaced whole at Close; when it cannot be written the
// previous one stays as it was and the caller carries on all the same.
void WriteWalls(Nuvik3Main& w, const std::string& name) {
    vb::SeqWriter f(w.rt().AppFile(name));
    for (int k = 0; k < Nuvik3Main::kCells; ++k) {
        const Int16 v = w.imgMuro(k).Visible ? -1 : 0;
        f.Write({v});
    }
    f.Close();
}

// Any nonzero item is a wall. The first item that is missing or no 16-bit
// number ends the load as failed, leaving the cells read so far as read.
// True when every cell was read.
bool ReadWalls(Nuvik3Main& w, const std::string& name) {
    w.ErrorCarga = false;
    vb::SeqReader f;
    if (f.Open(w.rt().AppFile(name)) != vb::FileError::None) {
        w.ErrorCarga = true;
        return false;
    }
    for (int k = 0; k < Nuvik3Main::kCells; ++k) {
        Int16 v = 0;
        if (f.Input(v) != vb::FileError::None) {
            // Closed on this path too, so a failed load never keeps the file.
            f.Close();
            w.ErrorCarga = true;
            return false;
        }
        w.imgMuro(k).Visible = v != 0;
    }
    f.Close();
    return true;
}

} // namespace

void Nuvik3Main::SaveDificil() {
    WriteWalls(*this, kDificilFile);
    UsarDificil = false;
    LabACargar = 0;
    LabInUse = MaxLab;
    ShowLives();
}

void Nuvik3Main::SaveLab(Int16& LabNum) {
    WriteWalls(*this, NumberedFile(LabNum));
    UsarDificil = false;
    LabACargar = 0;
    ShowLives();
}

void Nuvik3Main::LoadDificil() {
    if (ReadWalls(*this, kDificilFile)) {
        ShowLives();
    }
}

void Nuvik3Main::LoadLab(Int16& LabNum) {
    if (ReadWalls(*this, NumberedFile(LabNum))) {
        ShowLives();
    }
}
