#pragma once
// A headless player of whole games. It types keys and fires the game window's
// timers by hand on a simulated clock, the way the host would, until the
// program ends itself; after every timer event it checks what must always
// hold, and for every game tick it works out the catches from what the board
// looked like before the tick and compares the score with them.
//
// No test framework in here: the soak program uses it too. A broken rule is
// reported in Report::failure.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"
#include "platform/vbtext.h"

namespace sim {

// The scripted runtime, with a look at the window while a box is open.
class SimRuntime : public vb::ScriptedRuntime {
public:
    std::function<int(const std::string& prompt, int style, const std::string& title)> onBox;

    int MsgBox(const std::string& prompt, int style, const std::string& title) override {
        const int scripted = ScriptedRuntime::MsgBox(prompt, style, title);
        return onBox ? onBox(prompt, style, title) : scripted;
    }
};

struct Report {
    bool ended = false;       // the program ended itself
    long events = 0;          // timer events fired
    long ticks = 0;           // game ticks among them
    int doors = 0;            // boards ended through the door with the time boxes
    int questions = 0;        // early-door questions, and the Yes answers
    int yes = 0;
    int livesLost = 0;
    int catches = 0;
    int headOnMonsters = 0;
    int doubleCatches = 0;    // ticks with two catches
    int starTicks = 0;
    bool fourthDoor = false;  // the final sequence came from the fourth door
    bool lastLife = false;    // ... or from the last life
    bool crossedMidnight = false;
    Int16 score = 0;
    Int16 highScore = 0;
    std::string failure;      // the first broken rule, empty when none
};

class Player {
public:
    // maxEvents bounds a game, so a fault can never hang the caller.
    explicit Player(unsigned seed, long maxEvents = 400000)
        : seed_(seed), maxEvents_(maxEvents), choice_(seed * 2654435761u + 17u) {}

    SimRuntime rt;
    Nuvik3Main w{rt};

    Report Play() {
        rt.rnd.Seed(seed_);
        // Some games run across midnight, when the clock starts again at 0.
        startSeconds_ = Chance(0.25) ? 86400.0 - Uniform(5, 90) : Uniform(0, 80000);
        SetClock();
        rt.onBox = [this](const std::string& p, int s, const std::string& t) { return OnBox(p, s, t); };
        w.Show();
        highScore0_ = w.HighScore;
        collector_ = Chance(0.6);
        if (Chance(0.15)) {
            w.cmdPracticar->Click();
        }
        ClickPlay();
        for (vb::Timer* t : {w.Timer1, w.Timer2, w.Timer3, w.Timer4}) {
            timers_.push_back({t, -1});
        }
        int idle = 0;
        while (!rt.ended && report_.failure.empty()) {
            if (report_.events >= maxEvents_) {
                Fail("the game did not end within " + std::to_string(maxEvents_) + " timer events");
                break;
            }
            Act();
            Sync();
            if (!FireNext()) {
                if (++idle > 1000) {
                    Fail("no timer runs and the player cannot go on");
                }
                continue;
            }
            idle = 0;
        }
        report_.ended = rt.ended;
        report_.score = w.Score;
        report_.highScore = w.HighScore;
        if (report_.failure.empty() && rt.ended) {
            CheckEnd();
        }
        return report_;
    }

private:
    struct Scheduled {
        vb::Timer* timer;
        double due;  // ms on the simulated clock, -1 while not running
    };
    // What the board looked like, for the catch rules.
    struct View {
        Int16 row = 0, col = 0, dir = 0;
        Int16 movEnd = 0, score = 0, comidas = 0;
        std::array<bool, Nuvik3Main::kFrutas> visible{};
        std::array<FrutaRec, Nuvik3Main::kFrutas> rec{};
    };

    // ---- the clock and the timers ----------------------------------------

    void SetClock() {
        const double s = startSeconds_ + nowMs_ / 1000.0;
        if (s >= 86400.0) {
            report_.crossedMidnight = true;
        }
        rt.clk.now = static_cast<float>(std::fmod(s, 86400.0));
    }

    // A timer that stopped forgets its countdown; one that runs has one.
    void Sync() {
        for (Scheduled& s : timers_) {
            if (!s.timer->Active()) {
                s.due = -1;
            } else if (s.due < 0) {
                s.due = nowMs_ + s.timer->Interval();
            }
        }
    }

    bool FireNext() {
        Scheduled* next = nullptr;
        for (Scheduled& s : timers_) {
            if (s.due >= 0 && (next == nullptr || s.due < next->due)) {
                next = &s;
            }
        }
        if (next == nullptr) {
            return false;
        }
        nowMs_ = next->due;
        next->due += next->timer->Interval();
        SetClock();
        ++report_.events;
        const bool tick = next->timer == w.Timer1;
        if (tick) {
            GameTick();
        } else {
            if (next->timer == w.Timer3) {
                ++report_.starTicks;
            }
            next->timer->Fire();
            Sync();
        }
        rt.boxes.clear();
        CheckAlways(tick);
        return true;
    }

    // ---- the player --------------------------------------------------------

    double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(choice_); }
    bool Chance(double p) { return Uniform(0, 1) < p; }
    template <class T>
    T OneOf(std::initializer_list<T> items) {
        return items.begin()[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(choice_)];
    }

    void Key(char c) {
        Int16 k = static_cast<Int16>(static_cast<unsigned char>(c));
        w.KeyPress(k);
    }

    void ClickPlay() {
        if (w.JuegoNuevo) {
            expectedScore_ = 0;
        }
        w.cmdPlay->Click();
        boardTicks_ = 0;
    }

    bool Star() const { return w.Timer3->Enabled || w.Timer4->Enabled; }

    void Act() {
        const std::string state = w.lblPtPause->Caption;
        if (!w.fraJuego->Visible) {
            // Back in the menu (B): a new game, unless the picture is coming.
            if (w.fraMenu->Visible && !w.Timer4->Enabled && (!Star() || Chance(0.02))) {
                ClickPlay();
            }
            return;
        }
        if (state == Nuvik3Main::kPauseMenu) {
            if (Star() && Chance(0.1)) {
                Key(OneOf({'a', 'A', 'b', 'B'}));
            } else if (Chance(0.01)) {
                LoseLife('a');
            } else if (Chance(0.002) && !Star()) {
                Key('B');  // back to the menu; the next Play starts a new game
            } else {
                Key(OneOf({'z', ' ', '7', '\r', '\x1b', 'x', '3', 'L', '9'}));
            }
            return;
        }
        if (state != Nuvik3Main::kPlaying) {
            return;
        }
        if (!w.Timer1->Enabled) {
            if (Star() && Chance(0.2)) {
                Key(OneOf({'\x1b', 'j', 'k', '\r', 'q'}));
            }
            return;
        }
        // Some noise: stray characters, a pause now and then.
        if (Chance(0.01)) {
            Key(OneOf({'q', '1', '9', '0', 'b', 'a', 'W', '-', '\t'}));
        }
        if (Chance(0.004)) {
            Key('\x1b');
            return;
        }
        if (w.MetaAbierta && Chance(0.05)) {
            Key('\r');  // onto the open door at once
            return;
        }
        if (++boardTicks_ > 4000) {
            LoseLife('A');  // a board that takes this long is given up
            return;
        }
        const Int16 heading = Steer();
        if (heading == 0) {
            LoseLife('a');  // walled in, or nothing reachable
        } else if (heading != w.NuvikDir) {
            static const char* keys[5] = {"", "sSiIfF8", "xXkKvV5", "2,jJ4", "3.lL6"};
            const std::string options = keys[heading];
            Key(options[std::uniform_int_distribution<std::size_t>(0, options.size() - 1)(choice_)]);
        }
    }

    void LoseLife(char a) {
        if (w.lblPtPause->Caption.get() == Nuvik3Main::kPlaying) {
            Key('\x1b');
        }
        if (w.lblPtPause->Caption.get() == Nuvik3Main::kPauseMenu) {
            ++report_.livesLost;
            if (w.Vidas <= 1) {
                report_.lastLife = report_.lastLife || !Star();
            }
            Key(a);
            boardTicks_ = 0;
        }
    }

    // First heading of a shortest way through the passages to the nearest
    // target: the open door, else an object (collector) or the door (runner).
    Int16 Steer() {
        constexpr int n = Nuvik3Main::kCells;
        std::vector<bool> target(n, false);
        bool any = false;
        const auto mark = [&](int r, int c) {
            if (r >= 0 && r < Nuvik3Main::kRows && c >= 0 && c < Nuvik3Main::kCols) {
                target[static_cast<std::size_t>(c + Nuvik3Main::kCols * r)] = true;
                any = true;
            }
        };
        if (w.MetaAbierta || !collector_) {
            mark(0, 0);
        } else {
            for (int i = 0; i < std::min<int>(w.MovEnd, Nuvik3Main::kFrutas); ++i) {
                if (w.ImgFruta(i).Visible) {
                    mark(std::abs(w.Frutas[i].Row), w.Frutas[i].Col);
                }
            }
            if (!any) {
                mark(0, 0);
            }
        }
        const int r0 = std::abs(w.NuvikRow);
        const int c0 = std::abs(w.NuvikCol);
        std::vector<Int16> first(n, -1);
        std::deque<int> queue;
        const int start = c0 + Nuvik3Main::kCols * r0;
        first[static_cast<std::size_t>(start)] = 0;
        queue.push_back(start);
        static constexpr int dr[5] = {0, -1, 1, 0, 0};
        static constexpr int dc[5] = {0, 0, 0, -1, 1};
        while (!queue.empty()) {
            const int k = queue.front();
            queue.pop_front();
            if (k != start && target[static_cast<std::size_t>(k)]) {
                return first[static_cast<std::size_t>(k)];
            }
            for (Int16 h = 1; h <= 4; ++h) {
                const int r = k / Nuvik3Main::kCols + dr[h];
                const int c = k % Nuvik3Main::kCols + dc[h];
                if (r < 0 || r >= Nuvik3Main::kRows || c < 0 || c >= Nuvik3Main::kCols) {
                    continue;
                }
                const int next = c + Nuvik3Main::kCols * r;
                if (first[static_cast<std::size_t>(next)] >= 0 || w.Cell(c, r).Visible) {
                    continue;
                }
                first[static_cast<std::size_t>(next)] = k == start ? h : first[static_cast<std::size_t>(k)];
                queue.push_back(next);
            }
        }
        return 0;
    }

    // ---- one game tick and its catches -----------------------------------

    View Snapshot() const {
        View v;
        v.row = w.NuvikRow;
        v.col = w.NuvikCol;
        v.dir = w.NuvikDir;
        v.movEnd = w.MovEnd;
        v.score = w.Score;
        v.comidas = w.FrutasComidas;
        for (int i = 0; i < Nuvik3Main::kFrutas; ++i) {
            v.visible[static_cast<std::size_t>(i)] = w.ImgFruta(i).Visible;
            v.rec[static_cast<std::size_t>(i)] = w.Frutas[static_cast<std::size_t>(i)];
        }
        return v;
    }

    static bool Reverses(Int16 a, Int16 b) {
        return (a == 1 && b == 2) || (a == 2 && b == 1) || (a == 3 && b == 4) || (a == 4 && b == 3);
    }

    void GameTick() {
        ++report_.ticks;
        const View before = Snapshot();
        const bool finalBefore = w.FinalJuego;
        const Int16 doorsBefore = w.MetasLogradas;
        const Int16 meta = w.FrutasMeta;
        const bool openBefore = w.MetaAbierta;
        inTick_ = true;
        atDoorEnd_.reset();
        question_ = 0;
        timeBoxes_ = 0;

        w.Timer1->Fire();
        inTick_ = false;
        Sync();

        const bool boardEnded = atDoorEnd_.has_value();
        const View after = boardEnded ? *atDoorEnd_ : Snapshot();

        // FindHit looks before the objects move; the catches are the record
        // it found (when it faces the critter) and the first record left on
        // the critter's cell.
        const int end = std::min<int>(before.movEnd, Nuvik3Main::kFrutas);
        int hit = -1;
        for (int i = 0; i < end && hit < 0; ++i) {
            const FrutaRec& f = before.rec[static_cast<std::size_t>(i)];
            if (before.visible[static_cast<std::size_t>(i)] && std::abs(f.Row) == after.row &&
                f.Col == after.col) {
                hit = i;
            }
        }
        const bool headOn = hit >= 0 && Reverses(after.rec[static_cast<std::size_t>(hit)].Dir, after.dir);
        int eaten = -1;
        for (int i = 0; i < end && eaten < 0; ++i) {
            const FrutaRec& f = after.rec[static_cast<std::size_t>(i)];
            if (before.visible[static_cast<std::size_t>(i)] && !(headOn && i == hit) &&
                std::abs(f.Row) == after.row && f.Col == after.col) {
                eaten = i;
            }
        }
        const int scoring = (headOn && !Nuvik3Main::IsMonster(hit) ? 1 : 0) + (eaten >= 0 ? 1 : 0);
        report_.catches += (headOn ? 1 : 0) + (eaten >= 0 ? 1 : 0);
        report_.headOnMonsters += headOn && Nuvik3Main::IsMonster(hit) ? 1 : 0;
        report_.doubleCatches += headOn && eaten >= 0 ? 1 : 0;
        if (expectedScore_ + scoring <= INT16_MAX) {
            expectedScore_ = static_cast<Int16>(expectedScore_ + scoring);
        }
        const std::string where = " (tick " + std::to_string(report_.ticks) + ")";
        if (after.score != expectedScore_) {
            Fail("score " + std::to_string(after.score) + ", scoring catches give " +
                 std::to_string(expectedScore_) + where);
            return;
        }

        // The question comes exactly when the critter stands on the door
        // with the count off the goal.
        const int comidas = before.comidas + scoring;
        const bool onDoor = after.row == 0 && after.col == 0;
        const bool expectQuestion = onDoor && !w.Pausado && comidas != meta;
        if ((question_ != 0) != expectQuestion) {
            Fail(std::string(expectQuestion ? "no" : "an unexpected") + " door question" + where);
            return;
        }
        if (question_ != vb::vbYes) {
            if (after.comidas != comidas) {
                Fail("catches toward the door " + std::to_string(after.comidas) + ", expected " +
                     std::to_string(comidas) + where);
                return;
            }
            // Nothing vanishes but the catches, nothing appears.
            for (int i = 0; i < end; ++i) {
                const bool caught = (headOn && i == hit) || i == eaten;
                const bool was = before.visible[static_cast<std::size_t>(i)];
                const bool is = after.visible[static_cast<std::size_t>(i)];
                if (was != is && !(was && caught)) {
                    Fail("object " + std::to_string(i) + (is ? " appeared" : " vanished uncaught") + where);
                    return;
                }
                if (caught && is) {
                    Fail("object " + std::to_string(i) + " caught but still shown" + where);
                    return;
                }
            }
        }

        const bool opens = openBefore || question_ != 0 || comidas == meta;
        const bool doorEnd = onDoor && opens;
        const bool finalNow = finalBefore || (doorEnd && doorsBefore >= 3);
        if (finalNow) {
            if (timeBoxes_ != 0 || w.Timer1->Enabled || !w.Timer3->Enabled) {
                Fail("the fourth door must stop the tick and start the star, without a box" + where);
                return;
            }
            if (!finalBefore) {
                report_.fourthDoor = true;
            }
        } else if (doorEnd) {
            if (timeBoxes_ != 2 || !boardEnded) {
                Fail("a door must show both time boxes" + where);
                return;
            }
            ++report_.doors;
            boardTicks_ = 0;
            if (w.lblPtPause->Caption.get() != Nuvik3Main::kPauseMenu || w.MetaAbierta ||
                w.Timer1->Enabled || w.MetasLogradas != doorsBefore + 1) {
                Fail("the next board must wait in the pause menu with the door closed" + where);
                return;
            }
        } else if (timeBoxes_ != 0) {
            Fail("time boxes away from the door" + where);
            return;
        } else if (w.MetaAbierta != opens) {
            Fail(std::string("the door should be ") + (opens ? "open" : "closed") + where);
            return;
        }
    }

    int OnBox(const std::string& prompt, int style, const std::string& title) {
        const std::string where = " (tick " + std::to_string(report_.ticks) + ")";
        if (!inTick_) {
            Fail("box \"" + prompt + "\" outside a game tick");
            return vb::vbOK;
        }
        if (prompt == "You reached the door...") {
            if (style != vb::vbYesNo + vb::vbExclamation || title != "Congratulations!" || question_ != 0 ||
                timeBoxes_ != 0) {
                Fail("door question out of shape or order" + where);
            }
            ++report_.questions;
            question_ = Chance(0.5) ? vb::vbYes : vb::vbNo;
            report_.yes += question_ == vb::vbYes ? 1 : 0;
            return question_;
        }
        if (prompt.rfind("Time employed: ", 0) == 0) {
            ++timeBoxes_;
            const std::string time = vb::Trim(w.lblPtTime->Caption);
            if (prompt != "Time employed: " + time || style != vb::vbInformation || title != "CONGRATULATIONS!") {
                Fail("time box \"" + prompt + "\" with the label " + time + where);
            }
            // 00:00:00 as six digits: never negative, not even across midnight.
            if (time.size() != 8 || time[2] != ':' || time[5] != ':' ||
                !std::all_of(time.begin(), time.end(), [](char ch) { return ch == ':' || (ch >= '0' && ch <= '9'); })) {
                Fail("time label " + time + where);
            }
            if (timeBoxes_ == 1) {
                atDoorEnd_ = Snapshot();
                if (!w.fraJuego->Visible || w.fraColor->Visible) {
                    Fail("the first time box belongs over the board" + where);
                }
            } else if (timeBoxes_ == 2) {
                if (w.fraJuego->Visible || !w.fraColor->Visible || !w.imgNeuron(1).Visible) {
                    Fail("the second time box belongs over the painting" + where);
                }
            } else {
                Fail("more than two time boxes" + where);
            }
            return vb::vbOK;
        }
        Fail("unexpected box \"" + prompt + "\"" + where);
        return vb::vbOK;
    }

    // ---- what holds after every timer event -------------------------------

    void CheckAlways(bool afterTick) {
        if (!report_.failure.empty() || rt.ended) {
            return;
        }
        const std::string where = " (event " + std::to_string(report_.events) + ")";
        if (w.Timer2->Enabled) {
            Fail("the bullet timer runs" + where);
        }
        if (w.ImgMetaV(0).Visible != w.MetaAbierta || w.ImgMetaR(0).Visible == w.MetaAbierta) {
            Fail("the door image does not match the door" + where);
        }
        // The score only falls when a new game starts, so the high score is
        // the best score seen (or the one read at start-up).
        peak_ = std::max(peak_, w.Score);
        if (w.HighScore < w.Score || w.HighScore != std::max(highScore0_, peak_)) {
            Fail("high score " + std::to_string(w.HighScore) + " with score " + std::to_string(w.Score) + where);
        }
        if (w.MetasLogradas < 0 || w.MetasLogradas > 3 || w.Vidas > 5) {
            Fail("doors or lives out of range" + where);
        }
        const int end = std::min<int>(w.MovEnd, Nuvik3Main::kFrutas);
        const int cr = std::abs(w.NuvikRow);
        const int cc = std::abs(w.NuvikCol);
        std::vector<int> owner(Nuvik3Main::kCells, -1);
        for (int i = 0; i < Nuvik3Main::kFrutas; ++i) {
            int& left = leftOnCritter_[static_cast<std::size_t>(i)];
            if (i >= end || !w.ImgFruta(i).Visible) {
                left = -1;
                continue;
            }
            const FrutaRec& f = w.Frutas[static_cast<std::size_t>(i)];
            const std::string obj = "object " + std::to_string(i) + " at (" + std::to_string(f.Row) + ", " +
                                    std::to_string(f.Col) + ")";
            if (f.Row < 0 || f.Row >= Nuvik3Main::kRows || f.Col < 0 || f.Col >= Nuvik3Main::kCols) {
                Fail(obj + " is off the board" + where);
                return;
            }
            // An object may stay behind on a cell a catch walled up, where it
            // stood with the critter, until it moves off.
            const int here = f.Col + Nuvik3Main::kCols * f.Row;
            const bool onCritter = (f.Row == cr && f.Col == cc) || left == here;
            left = onCritter ? here : -1;
            if (w.Cell(f.Col, f.Row).Visible && !onCritter) {
                Fail(obj + " stands in a wall" + where);
                return;
            }
            // Only the record found on the critter's cell may have its place
            // set there while its picture stays where it moved.
            const vb::Control& cell = w.Cell(f.Col, f.Row);
            const bool drawnThere = w.ImgFruta(i).Left == cell.Left && w.ImgFruta(i).Top == cell.Top &&
                                    f.Cell == w.MuroIdx[f.Col][f.Row];
            if (!drawnThere && !onCritter) {
                Fail(obj + " is drawn elsewhere" + where);
                return;
            }
            int& o = owner[static_cast<std::size_t>(here)];
            if (o >= 0 && !onCritter) {
                Fail(obj + " shares its cell with object " + std::to_string(o) + where);
                return;
            }
            o = i;
        }
        // Every tick ends with the critter drawn.
        if (afterTick && !w.Pausado) {
            const int shown = (w.ImgNuvik(0).Visible ? 1 : 0) + (w.ImgNuvik(1).Visible ? 1 : 0);
            const vb::Control& cell = w.Cell(cc, cr);
            const vb::Control& nuvik = w.ImgNuvik(w.ImgNuvik(0).Visible ? 0 : 1);
            if (shown != 1 || nuvik.Left != cell.Left || nuvik.Top != cell.Top) {
                Fail("the critter is not drawn once on its cell" + where);
            }
        }
    }

    void CheckEnd() {
        if (w.Timer4->Enabled || !w.fraColor->Visible || w.fraJuego->Visible) {
            Fail("the program ended without the picture");
        }
        // The last save holds the high score reached.
        std::ifstream in(rt.AppFile("Nuvik3w.dat"), std::ios::binary);
        std::string first;
        std::string second;
        std::getline(in, first);
        std::getline(in, second);
        if (!second.empty() && second.back() == '\r') {
            second.pop_back();
        }
        if (second != std::to_string(w.HighScore)) {
            Fail("the settings file holds high score \"" + second + "\", the game reached " +
                 std::to_string(w.HighScore));
        }
    }

    void Fail(const std::string& what) {
        if (report_.failure.empty()) {
            report_.failure = "seed " + std::to_string(seed_) + ": " + what;
        }
    }

    unsigned seed_;
    long maxEvents_;
    std::mt19937 choice_;
    Report report_;
    std::vector<Scheduled> timers_;
    double startSeconds_ = 0;
    double nowMs_ = 0;
    bool collector_ = true;
    long boardTicks_ = 0;
    Int16 expectedScore_ = 0;
    Int16 highScore0_ = 0;
    Int16 peak_ = 0;
    std::array<int, Nuvik3Main::kFrutas> leftOnCritter_ = [] {
        std::array<int, Nuvik3Main::kFrutas> none{};
        none.fill(-1);
        return none;
    }();

    bool inTick_ = false;
    int question_ = 0;
    int timeBoxes_ = 0;
    std::optional<View> atDoorEnd_;
};

} // namespace sim
