#pragma once
// The runtime for headless tests: random numbers from a list, scripted answers
// to the boxes, a settable clock, a temporary program folder, and a record of
// every box, beep and window operation, so outcomes can be asserted exactly.
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "platform/runtime.h"

namespace vb {

class ScriptedRandom : public RandomSource {
public:
    // Values handed out in order; once they are used up, a fixed-seed
    // generator takes over so long runs stay reproducible.
    void Push(std::initializer_list<float> values) { script_.insert(script_.end(), values); }
    void Push(float v) { script_.push_back(v); }
    std::size_t Remaining() const { return script_.size(); }
    int Draws() const { return draws_; }
    void Seed(unsigned seed) { engine_.seed(seed); }
    float Rnd() override;
    void Randomize(double seed) override { randomized_ = true; lastSeed_ = seed; }
    bool Randomized() const { return randomized_; }
    double LastSeed() const { return lastSeed_; }

private:
    std::deque<float> script_;
    std::mt19937 engine_{12345u};
    int draws_ = 0;
    bool randomized_ = false;
    double lastSeed_ = 0;
};

class SettableClock : public Clock {
public:
    float Timer() override { return now; }
    float now = 0;
};

class ScriptedRuntime : public Runtime {
public:
    struct Box {
        std::string prompt;
        int style;
        std::string title;
    };
    struct Input {
        std::string prompt;
        std::string title;
        std::string defaultText;
    };

    ScriptedRuntime();
    ~ScriptedRuntime() override;

    RandomSource& random() override { return rnd; }
    Clock& clock() override { return clk; }
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void Beep() override { ++beeps; }
    // Read from the source tree's resources folder, which mirrors the
    // embedded paths (":/text/help.html" is resources/text/help.html).
    std::string ResourceText(const std::string& path) override;
    std::string AppPath() override { return folder; }
    void ShowForm(Form& form) override { shown.push_back(&form); }
    void UnloadForm(Form& form) override { unloaded.push_back(&form); }
    void EndProgram() override { ended = true; }

    ScriptedRandom rnd;
    SettableClock clk;
    // Answers given in order; with none left a box answers Yes (or OK) and
    // an input box is cancelled.
    std::deque<int> answers;
    std::deque<std::string> inputs;
    std::vector<Box> boxes;
    std::vector<Input> inputBoxes;
    int beeps = 0;
    std::vector<Form*> shown;
    std::vector<Form*> unloaded;
    bool ended = false;
    std::string folder; // a fresh temporary folder, removed afterwards
};

} // namespace vb
