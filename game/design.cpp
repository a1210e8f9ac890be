// The game window as designed: panels, controls, captions, places, colours,
// fonts, pictures and the stacking order of the board.
#include <vector>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"

using vb::Align;
using vb::Place;
using vb::ControlKind;
using vb::Rgb;

namespace {

const vb::Font kSansBold825{"MS Sans Serif", 8.25f, true, false};
const vb::Font kSansBold975{"MS Sans Serif", 9.75f, true, false};

vb::Control& Button(vb::Container& in, const char* name, const char* caption, float l, float t,
                    float w, float h, int tab) {
    auto& b = in.Add<vb::Control>(ControlKind::CommandButton, name);
    b.Caption = std::string(caption);
    return Place(b, l, t, w, h, tab);
}

// The menu's labels: flat, thin border, grey unless told otherwise.
vb::Control& MenuLabel(vb::Container& in, const char* name, const std::string& caption, float l,
                       float t, float w, float h, int tab, Align align,
                       std::int32_t back = Rgb(192, 192, 192)) {
    auto& lbl = in.Add<vb::Control>(ControlKind::Label, name);
    lbl.Caption = caption;
    lbl.BackColor = back;
    lbl.ForeColor = Rgb(0, 0, 0);
    lbl.Alignment = align;
    lbl.Border = true;
    return Place(lbl, l, t, w, h, tab);
}

vb::Control& CheckBox(vb::Container& in, const char* name, const char* caption, float l, float t,
                      float w, float h, int tab) {
    auto& c = in.Add<vb::Control>(ControlKind::CheckBox, name);
    c.Caption = std::string(caption);
    c.BackColor = Rgb(224, 224, 224);
    c.ForeColor = Rgb(0, 0, 0);
    return Place(c, l, t, w, h, tab);
}

vb::Control& BoardImage(vb::Container& in, const char* name, int index, const char* picture) {
    auto& img = in.Add<vb::Control>(ControlKind::Image, name, index);
    img.Picture = picture;
    img.Width = 150.0f;
    img.Height = 225.0f;
    return img;
}

const char* FrutaPicture(int i) {
    if (Nuvik3Main::IsMonster(i)) {
        return ":/sprites/monster.bmp";
    }
    return (i <= 11 || i == 21 || i == 23) ? ":/sprites/fruit_red.bmp" : ":/sprites/fruit_green.bmp";
}

} // namespace

void Nuvik3Main::BuildDesign() {
    Caption = std::string("Nuvik3t");
    BackColor = Rgb(0, 0, 64);
    Icon = ":/icon/nuvik3t.ico";
    ClientWidth = 11295.0f;
    ClientHeight = 7650.0f;
    Left = 315.0f;
    Top = 810.0f;
    Width = 11415.0f;
    Height = 8160.0f;
    // The panels are placed in the window's own units.
    ScaleUnitX = 14.175;
    ScaleUnitY = 16.0189;
    const auto unitsX = [](float twips) { return static_cast<float>(twips / 14.175); };
    const auto unitsY = [](float twips) { return static_cast<float>(twips / 16.0189); };

    // ---- Main menu -------------------------------------------------------
    fraMenu = &Add<vb::Frame>("fraMenu");
    fraMenu->Caption = std::string("Nuvik3t 7.7 [Labyrinth] - Main menu");
    fraMenu->BackColor = Rgb(0, 0, 0);
    fraMenu->ForeColor = Rgb(255, 255, 255);
    fraMenu->font = kSansBold825;
    fraMenu->Border = true;
    Place(*fraMenu, 0, 0, unitsX(11250), unitsY(7577), 11);
    vb::Frame& menu = *fraMenu;

    auto& neuron0 = menu.Add<vb::Control>(ControlKind::Image, "imgNeuron", 0);
    neuron0.Picture = ":/pictures/menu_background.bmp";
    neuron0.Stretch = true;
    Place(neuron0, 75, 210, 11175, 7245);

    cmdPlay = &Button(menu, "cmdPlay", "&PLAY GAME", 960, 3960, 1530, 855, 0);
    cmdPlay->Default = true;
    cmdHelp = &Button(menu, "cmdHelp", "&Help", 960, 1680, 1815, 855, 1);
    cmdDispNotes = &Button(menu, "cmdDispNotes", "Display &Notes", 960, 2760, 1530, 855, 2);
    chkBeginners = &CheckBox(menu, "chkBeginners", "&Beginners", 3015, 2025, 1140, 255, 3);
    cmdHSReset = &Button(menu, "cmdHSReset", "Reset HS to &zero", 2805, 3165, 1440, 450, 4);
    txtDelay = &menu.Add<vb::Control>(ControlKind::TextBox, "txtDelay");
    txtDelay->Text = std::string("240");
    Place(*txtDelay, 3285, 4080, 540, 375, 5);
    cmdSaveCh = &Button(menu, "cmdSaveCh", "&SAVE SOME CHANGES", 4410, 1680, 1815, 855, 6);
    cmdReset = &Button(menu, "cmdReset", "&RESET AND WINDOW SIZE", 4410, 2760, 1815, 855, 7);
    cmdReset->ToolTipText = "(Saved labs won't be affected. Laberintos guardados no se borrarán)";
    chkSound = &CheckBox(menu, "chkSound", "Sound &effects", 4695, 3780, 1530, 255, 8);
    cmdExit = &Button(menu, "cmdExit", "E&XIT", 4695, 4230, 1530, 585, 9);
    lblFechaCopy = &MenuLabel(menu, "lblFechaCopy", rt().ResourceText(":/text/credits.txt"), 960,
                              5925, 5250, 465, 12, Align::Center);
    lblTitle = &MenuLabel(menu, "lblTitle", "Nuvik3t 7.7 [Labyrinth]", 945, 810, 2295, 630, 13,
                          Align::Center, Rgb(0, 128, 0));
    lblTitle->ForeColor = Rgb(255, 255, 255);
    lblTitle->font = kSansBold975;
    lblHS = &MenuLabel(menu, "lblHS", "HS:  0", 2805, 2760, 1440, 300, 14, Align::Center);
    lblHS->font = kSansBold975;
    lblResize = &MenuLabel(menu, "lblResize",
                           "You can adjust now the window size for the labyrinth that will appear",
                           3360, 825, 2865, 630, 19, Align::Left);
    lblDelay = &MenuLabel(menu, "lblDelay", "Delay:", 2805, 3735, 1440, 240, 25, Align::Center);
    lblDeDefault = &MenuLabel(menu, "lblDeDefault", "(Default = 240)", 2805, 4575, 1440, 240, 26,
                              Align::Center);
    lblDifUse = &MenuLabel(menu, "lblDifUse",
                           "If you have a purpose (in life) this game will be more fun... Si Ud. "
                           "tiene un propósito, este juego será más divertido tal vez... Good luck!",
                           960, 5280, 5250, 465, 28, Align::Left, Rgb(128, 255, 128));
    cmdKLWRP = &Button(menu, "cmdKLWRP", "KL&WRP", 6435, 1095, 990, 345, 29);
    cmdPracticar = &Button(menu, "cmdPracticar", "Pra&ctice", 6435, 1560, 990, 345, 30);

    Timer1 = &menu.Add<vb::Timer>("Timer1");
    Timer1->SetInterval(240);
    Timer2 = &menu.Add<vb::Timer>("Timer2");
    Timer2->SetInterval(40);
    Timer3 = &menu.Add<vb::Timer>("Timer3");
    Timer3->SetInterval(1000);
    Timer4 = &menu.Add<vb::Timer>("Timer4");
    Timer4->SetInterval(38000);

    // ---- Board: created bottom first, so creation order is the stacking
    // order (the walls lie above the pieces, which show through passages).
    fraJuego = &Add<vb::Frame>("fraJuego");
    fraJuego->BackColor = Rgb(0, 192, 192);
    Place(*fraJuego, 0, 0, unitsX(11295), unitsY(7577), 10);
    vb::Frame& board = *fraJuego;

    vb::Control& nuvik1 = BoardImage(board, "ImgNuvik", 1, ":/sprites/critter.bmp");
    ImgMetaV.Append(BoardImage(board, "ImgMetaV", 0, ":/sprites/door_open.bmp"));
    ImgMetaR.Append(BoardImage(board, "ImgMetaR", 0, ":/sprites/door_closed.bmp"));
    ImgNuvik.Append(BoardImage(board, "ImgNuvik", 0, ":/sprites/critter.bmp"));
    ImgNuvik.Append(nuvik1);

    std::vector<vb::Control*> frutas(kFrutas);
    for (int i = 15; i >= 0; --i) {
        frutas[i] = &BoardImage(board, "ImgFruta", i, FrutaPicture(i));
    }
    // The cells are made when a board is first wanted: the menu, shown first,
    // needs none of them. Each is bound to its click as it is made.
    board.AddLater([this, &board] {
        for (int k = 0; k < kCells; ++k) {
            vb::Control& cell = BoardImage(board, "imgMuro", k, ":/sprites/wall.bmp");
            cell.Click = [this, &cell] { imgMuro_Click(static_cast<Int16>(cell.Index())); };
            imgMuro.Append(cell);
        }
    });
    imgMuro.MadeLaterBy(board);

    const auto status = [&](const char* name, float left, float width, const char* caption,
                            std::int32_t fore, Align align, int tab) {
        auto& lbl = board.Add<vb::Control>(ControlKind::Label, name);
        lbl.Caption = std::string(caption);
        lbl.BackColor = Rgb(0, 0, 64);
        lbl.ForeColor = fore;
        lbl.Alignment = align;
        return &Place(lbl, left, 7335, width, 225, tab);
    };
    const std::int32_t white = Rgb(255, 255, 255);
    lblPtPause = status("lblPtPause", 3510, 7740, "A-Morir   B-Fin   L-Load   Otra/Other-Jugar play",
                        white, Align::Center, 18);
    lblPtScore = status("lblPtScore", 2745, 765, "0", white, Align::Right, 24);
    lblPtHS = status("lblPtHS", 2070, 675, "0", white, Align::Right, 23);
    lblPtLab = status("lblPtLab", 1530, 540, "15", Rgb(255, 192, 128), Align::Left, 22);
    lblPtTime = status("lblPtTime", 750, 780, "00:00:00", white, Align::Left, 21);
    lblPtVidas = status("lblPtVidas", 0, 750, "32767", white, Align::Left, 20);

    for (int i = 16; i < kFrutas; ++i) {
        frutas[i] = &BoardImage(board, "ImgFruta", i, FrutaPicture(i));
    }
    for (int i = 0; i < kFrutas; ++i) {
        if (IsMonster(i)) {
            frutas[i]->Tag = std::string("1");
        }
        ImgFruta.Append(*frutas[i]);
    }
    imgBala = &BoardImage(board, "imgBala", -1, ":/sprites/bullet.bmp");
    imgCruzR = &BoardImage(board, "imgCruzR", -1, ":/pictures/star.bmp");
    imgCruzR->Width = 1140.0f;
    imgCruzR->Height = 1140.0f;
    imgCruzR->Visible = false;

    // ---- Help page -------------------------------------------------------
    fraHelp = &Add<vb::Frame>("fraHelp");
    fraHelp->Caption = std::string("Help (ayuda) - Nuvik3t 7.7 [Labyrinth]");
    fraHelp->Border = true;
    Place(*fraHelp, 0, 0, unitsX(11295), unitsY(7577), 15);
    RichTextBox1 = &fraHelp->Add<vb::Control>(ControlKind::RichTextBox, "RichTextBox1");
    RichTextBox1->Document = ":/text/help.html";
    Place(*RichTextBox1, 120, 360, 11055, 6615, 16);
    cmdCerrar = &Button(*fraHelp, "cmdCerrar", "&CLOSE", 9015, 7110, 2175, 375, 17);

    // ---- Final picture ---------------------------------------------------
    fraColor = &Add<vb::Frame>("fraColor");
    fraColor->BackColor = Rgb(0, 0, 0);
    fraColor->ForeColor = Rgb(255, 255, 255);
    Place(*fraColor, 0, 0, unitsX(11295), unitsY(7695), 27);
    auto& neuron1 = fraColor->Add<vb::Control>(ControlKind::Image, "imgNeuron", 1);
    neuron1.Picture = ":/pictures/final.jpg";
    neuron1.Stretch = true;
    Place(neuron1, 120, 240, 11055, 7365);

    imgNeuron.Append(neuron0);
    imgNeuron.Append(neuron1);
}
