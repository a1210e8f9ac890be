#pragma once
// The services the windows call on besides their controls: random numbers, the
// clock, modal boxes, the beep, the program folder, showing and unloading
// windows and ending the program. The real program gets them from the Qt host;
// tests get them from ScriptedRuntime, so every outcome can be made exact.
#include <string>

namespace vb {

class Form;

// Message box styles and answers the windows use.
constexpr int vbOKOnly = 0;
constexpr int vbYesNo = 4;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
constexpr int vbOK = 1;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform in [0, 1) as a single-precision value; never 1.0.
    virtual float Rnd() = 0;
    // Seeds the sequence from the given number (the clock, at start-up).
    virtual void Randomize(double seed) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight.
    virtual float Timer() = 0;
};

class Runtime {
public:
    virtual ~Runtime() = default;

    virtual RandomSource& random() = 0;
    virtual Clock& clock() = 0;

    float Rnd() { return random().Rnd(); }
    void Randomize() { random().Randomize(clock().Timer()); }
    float Timer() { return clock().Timer(); }

    // Modal: no game timer ticks until it returns.
    virtual int MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
    // The typed text; empty when cancelled.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    virtual void Beep() = 0;

    // The program's folder, without a trailing separator ("/" for the root);
    // empty when it cannot be known.
    virtual std::string AppPath() = 0;
    // Full path of a file in the program's folder; empty when the folder is
    // not known, which every file operation of the runtime refuses, so no file
    // is read or written in some other folder.
    std::string AppFile(const std::string& name) {
        const std::string folder = AppPath();
        if (folder.empty()) {
            return {};
        }
        return folder.back() == '/' ? folder + name : folder + "/" + name;
    }

    // The text of an embedded resource (":/text/..."), empty when there is none.
    virtual std::string ResourceText(const std::string& path) = 0;

    // Shows a loaded form modeless, bringing it forward when already shown.
    virtual void ShowForm(Form& form) = 0;
    // Takes a form off the screen for good.
    virtual void UnloadForm(Form& form) = 0;
    // Ends the program: every window closes, nothing more of the program runs.
    virtual void EndProgram() = 0;
};

} // namespace vb
