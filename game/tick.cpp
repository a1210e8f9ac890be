// The game tick: the critter steps, the objects move, catches score, the door
// opens, and at the open door the labyrinth ends (or, at the fourth door, the
// game does).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"
#include "platform/vbtext.h"

namespace {

constexpr float kSecondsPerDay = 86400.0f;

bool Reverses(Int16 dir, Int16 other) {
    return (dir == 1 && other == 2) || (dir == 2 && other == 1) || (dir == 3 && other == 4) ||
           (dir == 4 && other == 3);
}

// A 16-bit count that cannot grow keeps its value.
void AddOne(Int16& field) {
    if (field != INT16_MAX) {
        ++field;
    }
}

} // namespace

void Nuvik3Main::Timer1_Timer() {
    // Tick-local values shared by the three steps below.
    Int16 hitRow = -1;
    Int16 hitCol = -1;
    int hitIndex = 0;
    float elapsed = 0;

    const auto scoreOne = [this] {
        AddOne(Score);
        AddOne(FrutasComidas);
        if (Score > HighScore) {
            HighScore = Score;
        }
    };

    const auto CritterStep = [this] {
        bool step = false;
        int dr = 0;
        int dc = 0;
        switch (NuvikDir) {
        case 1: step = NuvikRow > 0 && CellKind(NuvikRow - 1, NuvikCol) != ckMuro; dr = -1; break;
        case 2: step = NuvikRow < MaxRow && CellKind(NuvikRow + 1, NuvikCol) != ckMuro; dr = 1; break;
        case 3: step = NuvikCol > 0 && CellKind(NuvikRow, NuvikCol - 1) != ckMuro; dc = -1; break;
        case 4: step = NuvikCol < MaxCol && CellKind(NuvikRow, NuvikCol + 1) != ckMuro; dc = 1; break;
        default: break;
        }
        if (step) {
            HideNuvik();
            NuvikRow = static_cast<Int16>(NuvikRow + dr);
            NuvikCol = static_cast<Int16>(NuvikCol + dc);
            DrawNuvik();
        }
    };

    // The first visible record on the critter's cell.
    const auto recordOnCritter = [this]() -> int {
        for (int i = 0; i < std::min<int>(MovEnd, kFrutas); ++i) {
            if (ImgFruta(i).Visible && std::abs(Frutas[i].Row) == NuvikRow &&
                Frutas[i].Col == NuvikCol) {
                return i;
            }
        }
        return -1;
    };

    const auto FindHit = [&] {
        const int i = recordOnCritter();
        if (i >= 0) {
            hitRow = NuvikRow;
            hitCol = NuvikCol;
            ComidaRow = NuvikRow;
            ComidaCol = NuvikCol;
            hitIndex = i;
        }
    };

    // A monster met head-on vanishes without scoring, and its cell stays a
    // passage; a fruit scores.
    const auto Catch = [&] {
        SetCell(hitRow, hitCol, "muro");
        ImgFruta(hitIndex).Visible = false;
        Frutas[hitIndex].Cell = -1;
        if (IsMonster(hitIndex)) {
            SetCell(hitRow, hitCol, "space", 1, true);
        } else {
            scoreOne();
        }
    };

    ShowScores();
    if (!Pausado) {
        lblPtPause->Caption = std::string(kPlaying);
    }
    CritterStep();
    FindHit();
    if (!ModoPractica) {
        RandomTurn(hitRow, hitCol);
        MoveObjects();
    }

    if (hitRow > -1) {
        // The record found on the critter's cell is caught there, wherever
        // its own move took it.
        Frutas[hitIndex].Row = hitRow;
        Frutas[hitIndex].Col = hitCol;
        if (Reverses(Frutas[hitIndex].Dir, NuvikDir)) {
            Catch();
        }
    }

    // Whatever was not met head-on is eaten: monsters score here like fruits.
    if (const int i = recordOnCritter(); i >= 0) {
        ComidaRow = NuvikRow;
        ComidaCol = NuvikCol;
        ImgFruta(i).Visible = false;
        Frutas[i].Cell = -1;
        SetCell(NuvikRow, NuvikCol, "muro");
        scoreOne();
    }

    // Across midnight the clock starts again at 0: a negative difference is
    // one day short.
    const auto sinceRoundStart = [this] {
        const float seconds = rt().Timer() - TInicio;
        return seconds < 0 ? seconds + kSecondsPerDay : seconds;
    };
    const auto openDoor = [&] {
        SetCell(0, 0, "metav");
        MetaAbierta = true;
        elapsed = sinceRoundStart();
    };

    MetaSinFrutas = false;
    if (NuvikRow == 0 && NuvikCol == 0 && !Pausado && FrutasComidas != FrutasMeta) {
        if (rt().MsgBox("You reached the door...", vb::vbYesNo + vb::vbExclamation,
                        "Congratulations!") == vb::vbYes) {
            FrutasComidas = FrutasMeta;
            openDoor();
            HideFrutas();
            ClearEatenCells();
            MetaSinFrutas = true;
        } else {
            openDoor();
        }
    } else if (FrutasComidas == FrutasMeta && !Pausado) {
        openDoor();
    }

    if (!Pausado) {
        DrawNuvik();
    }
    if (!MetaAbierta) {
        SetCell(0, 0, "metar");
    }
    if (NuvikRow == 0 && NuvikCol == 0 && MetaAbierta) {
        MetaAlcanzada = true;
        if (MetasLogradas >= 3) {
            FinalJuego = true;
        } else {
            ++MetasLogradas;
        }
    }
    if (MetaAbierta && !TiempoMostrado) {
        lblPtTime->Caption = vb::FormatTime00(elapsed);
        TiempoMostrado = true;
    }

    if (FinalJuego) {
        Timer1->Enabled = false;
        Timer2->Enabled = false;
        MetaAlcanzada = false;
        SaveSettings();
        Timer3->Enabled = true;
    }
    if (MetaAlcanzada) {
        const std::string message = "Time employed: " + vb::Trim(lblPtTime->Caption);
        rt().MsgBox(message, vb::vbInformation, "CONGRATULATIONS!");
        if (Arranques >= 1) {
            imgNeuron(1).Width = 11175.0f * Width / 11415.0f;
            imgNeuron(1).Height = 7245.0f * Height / 8160.0f;
        }
        imgNeuron(1).Top = 240.0f;
        imgNeuron(1).Left = 120.0f;
        fraColor->Visible = true;
        fraJuego->Visible = false;
        rt().MsgBox(message, vb::vbInformation, "CONGRATULATIONS!");
        fraColor->Visible = false;
        fraJuego->Visible = true;
        // After a Yes at the door the labyrinth choice stands.
        if (!MetaSinFrutas) {
            UsarDificil = false;
            LabACargar = 0;
            LabInUse = 0;
        }
        SaveSettings();
        Reinicio = false;
        cmdPlay_Click();
    }
}
