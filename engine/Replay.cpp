// engine/Replay.cpp
#include "engine/Replay.h"

#include <charconv>
#include <sstream>

#include "platform/MessageTranslation.h"

namespace zumek {
namespace {

bool ParseInt(const std::string& word, long long low, long long high, long long& value) {
    if (word.empty()) return false;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size() && value >= low && value <= high;
}

} // namespace

bool Replay::Parse(const std::string& text, std::string& error) {
    m_frames.clear();
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(lineNumber) + ": " + what;
        m_frames.clear();
        return false;
    };
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;

        long long frame = 0;
        if (!ParseInt(w[0], 1, 1000000000, frame)) return fail("\"" + w[0] + "\" is not a frame number (1 or more)");
        if (w.size() < 2) return fail("an event is missing after the frame number");
        const std::string& event = w[1];
        auto& out = m_frames[static_cast<int>(frame)];

        if (event == "key" || event == "keydown" || event == "keyup") {
            if (w.size() != 3) return fail("\"" + event + "\" takes one key name");
            uint32_t key = VirtualKeyFromName(w[2]);
            if (key == 0) return fail("\"" + w[2] + "\" is not a key name");
            if (event != "keyup") out.push_back({WM_KEYDOWN, key, 0});
            if (event != "keydown") out.push_back({WM_KEYUP, key, 0});
        } else if (event == "move" || event == "ldown" || event == "lup" || event == "rdown" || event == "rup") {
            if (w.size() != 4) return fail("\"" + event + "\" takes two coordinates X Y");
            long long x = 0, y = 0;
            if (!ParseInt(w[2], 0, 65535, x) || !ParseInt(w[3], 0, 65535, y))
                return fail("coordinates must be whole numbers from 0 to 65535");
            uint32_t message = event == "move"    ? WM_MOUSEMOVE
                               : event == "ldown" ? WM_LBUTTONDOWN
                               : event == "lup"   ? WM_LBUTTONUP
                               : event == "rdown" ? WM_RBUTTONDOWN
                                                  : WM_RBUTTONUP;
            out.push_back({message, 0, PackPoint(static_cast<int>(x), static_cast<int>(y))});
        } else if (event == "close") {
            if (w.size() != 2) return fail("\"close\" takes no arguments");
            out.push_back({WM_CLOSE, 0, 0});
        } else {
            return fail("unknown event \"" + event + "\"");
        }
    }
    return true;
}

const std::vector<WindowMessage>& Replay::MessagesFor(int frame) const {
    static const std::vector<WindowMessage> none;
    auto it = m_frames.find(frame);
    return it == m_frames.end() ? none : it->second;
}

} // namespace zumek
