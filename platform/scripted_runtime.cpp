#include "platform/scripted_runtime.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vb {

float ScriptedRandom::Rnd() {
    ++draws_;
    if (!script_.empty()) {
        const float v = script_.front();
        script_.pop_front();
        return v;
    }
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

ScriptedRuntime::ScriptedRuntime() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nuvik3t-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        folder = pattern;
    }
}

ScriptedRuntime::~ScriptedRuntime() {
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
}

int ScriptedRuntime::MsgBox(const std::string& prompt, int style, const std::string& title) {
    boxes.push_back({prompt, style, title});
    if (answers.empty()) {
        return (style & vbYesNo) == vbYesNo ? vbYes : vbOK;
    }
    const int a = answers.front();
    answers.pop_front();
    return a;
}

std::string ScriptedRuntime::InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
    inputBoxes.push_back({prompt, title, defaultText});
    if (inputs.empty()) {
        return {};
    }
    std::string a = inputs.front();
    inputs.pop_front();
    return a;
}

std::string ScriptedRuntime::ResourceText(const std::string& path) {
    const std::string name = path.rfind(":/", 0) == 0 ? path.substr(2) : path;
    std::ifstream in(std::string(NUVIK_RESOURCE_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace vb
