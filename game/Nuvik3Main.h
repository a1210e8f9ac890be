#pragma once
// The game window: its design, its fields and its event procedures. One class,
// split into files by topic (design, board, labyrinth, start-up, settings...).
// It sees only the runtime's model face, never Qt.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/fileerror.h"
#include "platform/forms.h"

class frmNotes;
class frmKLWRP;

using Int16 = std::int16_t;

// One wandering object: monster or fruit.
struct FrutaRec {
    Int16 Row = 0;
    Int16 Col = 0;
    Int16 Cell = 0;     // index of the cell image, -1 when off the board
    Int16 NextDir = 0;  // wished heading
    Int16 Dir = 0;      // current heading
    Int16 DX = 0;
    Int16 DY = 0;
};

// A labyrinth walker, an opening, or a look-ahead position.
struct DigPos {
    Int16 Row = 0;
    Int16 Col = 0;
    Int16 Dir = 0;
};

class Nuvik3Main : public vb::Form {
public:
    explicit Nuvik3Main(vb::Runtime& rt);
    ~Nuvik3Main() override;

    // Cell kinds answered by CellKind.
    static constexpr Int16 ckMuro = 1;
    static constexpr Int16 ckObjeto = 2;
    static constexpr Int16 ckLibre = 32;
    static constexpr int kCols = 75;
    static constexpr int kRows = 35;
    static constexpr int kCells = kCols * kRows;
    static constexpr int kFrutas = 26;
    static constexpr int kEatenMax = 78;

    static constexpr const char* kCaptionLives = "Nuvik3t Cross version ; Vidas: ";
    static constexpr const char* kPlaying = "<Juego en curso>";
    static constexpr const char* kPauseMenu = "A-Morir   B-Fin   Otra/Other-Jugar play";
    static constexpr const char* kDeathPrompt = "PRESIONE ESC...";
    static constexpr const char* kLoadBrowser = "Load: N-User first number   S-Show next   Esc-Cancel   U-Use";

    static bool IsMonster(int i) { return i <= 6 || (i >= 16 && i % 2 == 0); }

    // ---- Design (design.cpp) -------------------------------------------
    vb::Frame* fraMenu = nullptr;
    vb::Frame* fraJuego = nullptr;
    vb::Frame* fraHelp = nullptr;
    vb::Frame* fraColor = nullptr;

    vb::Control* cmdPlay = nullptr;
    vb::Control* cmdHelp = nullptr;
    vb::Control* cmdDispNotes = nullptr;
    vb::Control* chkBeginners = nullptr;
    vb::Control* cmdHSReset = nullptr;
    vb::Control* txtDelay = nullptr;
    vb::Control* cmdSaveCh = nullptr;
    vb::Control* cmdReset = nullptr;
    vb::Control* chkSound = nullptr;
    vb::Control* cmdExit = nullptr;
    vb::Control* lblFechaCopy = nullptr;
    vb::Control* lblTitle = nullptr;
    vb::Control* lblHS = nullptr;
    vb::Control* lblResize = nullptr;
    vb::Control* lblDelay = nullptr;
    vb::Control* lblDeDefault = nullptr;
    vb::Control* lblDifUse = nullptr;
    vb::Control* cmdKLWRP = nullptr;
    vb::Control* cmdPracticar = nullptr;
    vb::ControlArray imgNeuron;   // 0: menu background, 1: final picture

    vb::Timer* Timer1 = nullptr;
    vb::Timer* Timer2 = nullptr;
    vb::Timer* Timer3 = nullptr;
    vb::Timer* Timer4 = nullptr;

    vb::ControlArray imgMuro;     // 0..2624, the board cells
    vb::ControlArray ImgFruta;    // 0..25
    vb::ControlArray ImgNuvik;    // 0..1
    vb::ControlArray ImgMetaR;    // 0
    vb::ControlArray ImgMetaV;    // 0
    vb::Control* imgBala = nullptr;
    vb::Control* imgCruzR = nullptr;
    vb::Control* lblPtVidas = nullptr;
    vb::Control* lblPtTime = nullptr;
    vb::Control* lblPtLab = nullptr;
    vb::Control* lblPtHS = nullptr;
    vb::Control* lblPtScore = nullptr;
    vb::Control* lblPtPause = nullptr;

    vb::Control* RichTextBox1 = nullptr;
    vb::Control* cmdCerrar = nullptr;

    // ---- Board (board.cpp) ---------------------------------------------
    // MuroIdx(c, r) = c + 75 r, filled at start-up.
    void FillMuroIdx();
    void SetCell(Int16& Row, Int16& Col, std::string& Kind, Int16& Count, bool& Flag);
    // By-value convenience for callers that pass constants.
    void SetCell(Int16 Row, Int16 Col, const char* Kind, Int16 Count = 1, bool Flag = false);
    Int16 CellKind(Int16 Row, Int16 Col);
    bool IsFrutaAt(Int16 Col, Int16 Row);
    void ClearBoard();
    void HideFrutas();
    void ClearEatenCells();
    void HideNuvik();
    void DrawNuvik();
    void ShowScores();
    // The image of cell (col, row); the caller checks the bounds.
    vb::Control& Cell(int col, int row) { return imgMuro(MuroIdx[col][row]); }

    // ---- Labyrinth generator (labyrinth.cpp) ---------------------------
    void GenerateLabyrinth();
    // Int(Rnd x n): one draw, in single precision like the draw itself.
    Int16 RndWhole(int n);
    Int16 PickOneOf(Int16 n, Int16 a, Int16 b, Int16 c, Int16 d);

    // ---- Start-up, menu, layout (startup.cpp) --------------------------
    void Form_Load();
    void Form_Resize();
    void cmdHelp_Click();
    void cmdCerrar_Click();
    void cmdDispNotes_Click();
    void cmdKLWRP_Click();
    void cmdExit_Click();

    // ---- Game start and restart (gamestart.cpp) ------------------------
    void cmdPlay_Click();
    void cmdPracticar_Click();
    // The board sized and placed for the window's present size (also the
    // labyrinth editor's).
    void LayOutBoard();

    // ---- Round set-up (round.cpp) ---------------------------------------
    void StartRound();

    // ---- Keyboard (keyboard.cpp) ---------------------------------------
    void Form_KeyPress(Int16& KeyAscii);

    // ---- Game tick (tick.cpp) -------------------------------------------
    void Timer1_Timer();

    // ---- Object movement (movement.cpp) ---------------------------------
    bool MoveFruta(Int16& Dir, Int16& Idx);
private:
    // Step 6 of the tick: the objects on the critter's row or column (the
    // hit cell) take no part in the random turn.
    void RandomTurn(Int16 HitRow, Int16 HitCol);
    void MoveObjects();
public:

    // ---- Final sequence (finalseq.cpp) ----------------------------------
    void Timer3_Timer();
    void Timer4_Timer();

    // ---- Wall-map files (wallmaps.cpp) ----------------------------------
    void SaveDificil();
    void SaveLab(Int16& LabNum);
    void LoadDificil();
    void LoadLab(Int16& LabNum);

    // ---- Bullet (bullet.cpp) --------------------------------------------
    void Timer2_Timer();

    // ---- Labyrinth editor (editor.cpp) ----------------------------------
    void EditLabyrinth();
    void imgMuro_Click(Int16 Index);
    void ClearLabChoice();

    // ---- Load browser (loadbrowser.cpp) ---------------------------------
    void LoadBrowserKey(Int16 KeyAscii);

    // ---- Settings file (settings.cpp) ----------------------------------
    void DefaultSettings();
    // None when the file was written; the game's own saves pay no heed.
    vb::FileError SaveSettings();
    void LoadSettings();
    void cmdSaveCh_Click();
    void cmdReset_Click();
    void cmdHSReset_Click();
    void chkSound_Click();

    // ---- Secondary windows: one instance each, made on first show -------
    std::unique_ptr<frmNotes> Notes;
    std::unique_ptr<frmKLWRP> KLWRP;

    // ---- Fields ----------------------------------------------------------
    // Board
    Int16 MuroIdx[kCols][kRows] = {};
    std::array<FrutaRec, kFrutas> Frutas{};
    Int16 EatenRow[kEatenMax + 1] = {};
    Int16 EatenCol[kEatenMax + 1] = {};
    Int16 EatenCount = 0;
    Int16 ComidaRow = 0;
    Int16 ComidaCol = 0;
    Int16 PrevRow = 0;
    Int16 PrevCol = 0;

    // Start-up and flow
    bool Practicar = false;
    bool Continuar = false;
    bool JuegoNuevo = false;
    bool EditMode = false;
    Int16 NextLabNum = 0;
    Int16 MaxLab = 0;
    Int16 LabInUse = 0;
    bool UsaTimer1 = false;
    Int16 NumFrutas = 0;
    std::string PauseKey;
    bool SettingsMissing = false;
    Int16 MaxCol = 0;
    Int16 MaxRow = 0;
    bool UsarDificil = false;
    Int16 LabACargar = 0;

    // Game start
    double CellW = 0;
    double CellH = 0;
    Int16 MaxSegV = 0;
    Int16 MaxSegH = 0;
    Int16 MinSegV = 0;
    Int16 MinSegH = 0;
    Int16 LabNumber = 0;
    Int16 Arranques = 0;
    bool ModoPractica = false;
    Int16 MovFirst = 0;
    Int16 MovCount = 0;
    bool Reinicio = false;
    Int16 Score = 0;
    Int16 Vidas = 0;
    Int16 MurosExtra = 0;
    bool ErrorCarga = false;

    // Round
    Int16 MovEnd = 0;
    Int16 FrutasMeta = 0;
    float TInicio = 0;
    Int16 NuvikRow = 0;
    Int16 NuvikCol = 0;
    Int16 NuvikDir = 0;
    bool Pausado = false;
    Int16 BalaRow = 0;
    Int16 BalaCol = 0;
    Int16 BalaDir = 0;
    bool BalaParada = false;
    bool MetaAbierta = false;
    Int16 FrutasComidas = 0;
    bool TiempoMostrado = false;
    bool MetaAlcanzada = false;
    Int16 FinMotivo = 0;

    // Tick, movement, final sequence
    Int16 HighScore = 0;
    Int16 MetasLogradas = 0;
    bool FinalJuego = false;
    bool MetaSinFrutas = false;
    Int16 Candidatos[kFrutas] = {};
    bool CruzAlterna = false;
    Int16 CruzPaso = 0;

    // Settings
    Int16 SoundOn = 0;
    Int16 WinState = 0;
    Int16 WinTop = 0;
    Int16 WinLeft = 0;
    Int16 WinWidth = 0;
    Int16 WinHeight = 0;
    Int16 Delay = 0;
    bool Reservado = false;

private:
    void BuildDesign();
    void BindEvents();

    // Puts WinState and the four Win bounds on the window, in that order.
    void ApplyWindowSettings();

    // Game start internals.
    void PrepareBoard();
    bool NewBoard();
    void BuildLabyrinth();
    void RestartBoard();
    void BackToMenu();
    void ShowLivesCaption();
    // lblPtVidas, then the window caption.
    void ShowLives();

    // Round set-up internals.
    void GiveHeading(FrutaRec& f);
    bool ObjectMayStand(int row, int col);
    bool CritterMayStand(int row, int col);
    bool DrawCell(bool (Nuvik3Main::*allowed)(int, int), Int16& row, Int16& col);
    void PlaceFruta(int i);

    // Key handler states and its two shared blocks.
    void DeathPromptKey(Int16 KeyAscii);
    void PlayingKey(Int16 KeyAscii);
    void PauseMenuKey(Int16 KeyAscii);
    void LifeLost(Int16 Motivo);
    void FinJuego();

    // Labyrinth generator internals.
    friend class LabyrinthTestAccess;
    void DigCorridor(DigPos& W, DigPos* OtherList, Int16& OtherCount, Int16 MaxTotal,
                     Int16 MaxLenV, Int16 MaxLenH);
    bool CanDig(const DigPos& P);
    void RandomOrder(Int16 n, Int16* Orden);
};
