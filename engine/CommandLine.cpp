// engine/CommandLine.cpp
#include "engine/CommandLine.h"

#include <charconv>

namespace zumek {
namespace {

bool ParsePositive(const std::string& text, int limit, int& value) {
    if (text.empty()) return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 1 && value <= limit;
}

} // namespace

std::string CommandLine::Usage() {
    return "usage: tovalik [--root DIR] [--documents DIR] [--level NAME] [--frames N] [--frame-ms MS]\n"
           "               [--size WxH] [--log FILE] [--screenshot FILE] [--replay FILE] [--frame-times FILE]\n"
           "               [--stats-every N] [--watch] [--state-hash] [--help] [--version]\n"
           "  --root DIR         resolve resource paths against DIR (default: the working directory,\n"
           "                     or the game's own tree when that has no resources/)\n"
           "  --documents DIR    the documents folder (user resources and level states in DIR/Tovalik/)\n"
           "  --level NAME       start in the level NAME instead of \"splash\"\n"
           "  --frames N         run N frames, then stop as on quit\n"
           "  --frame-ms MS      advance the clock by exactly MS milliseconds per frame (no waiting)\n"
           "  --size WxH         a normal window of that drawable size (default: full screen\n"
           "                     on the current display; Alt+Return switches)\n"
           "  --log FILE         write every engine log record to FILE, one per line\n"
           "  --screenshot FILE  write the last frame shown to FILE as PNG when the run ends\n"
           "  --replay FILE      inject the recorded input of FILE\n"
           "  --frame-times FILE write one line per frame to FILE: its wall-clock milliseconds, the\n"
           "                     objects drawn and the engine clock in milliseconds\n"
           "  --stats-every N    every N frames, log the resident memory, open files and live GL objects\n"
           "  --watch            reload levels, archetypes, scripts, shaders, textures and sounds\n"
           "                     when their files change (shipped or in DIR/Tovalik/resources/)\n"
           "  --state-hash       when the run ends, print \"state hash=H frames=N objects=M\": a hash of\n"
           "                     every object's id, transform and body state\n"
           "  --help             show this text\n"
           "  --version          show the version\n";
}

CommandLine::Result CommandLine::Parse(const std::vector<std::string>& args, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--help") {
            help = true;
            continue;
        }
        if (option == "--version") {
            version = true;
            continue;
        }
        if (option == "--watch") {
            watch = true;
            continue;
        }
        if (option == "--state-hash") {
            stateHash = true;
            continue;
        }
        static const char* const withValue[] = {"--root", "--documents", "--level", "--frames", "--frame-ms",
                                                "--size", "--log", "--screenshot", "--replay", "--frame-times",
                                                "--stats-every"};
        bool known = false;
        for (const char* name : withValue) known = known || option == name;
        if (!known) {
            error = "unknown option \"" + option + "\"";
            return Result::Error;
        }
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return Result::Error;
        }
        const std::string& value = args[++i];
        if (value.empty()) {
            error = option + " needs a non-empty value";
            return Result::Error;
        }
        if (option == "--root") root = value;
        else if (option == "--documents") documents = value;
        else if (option == "--level") level = value;
        else if (option == "--log") logFile = value;
        else if (option == "--screenshot") screenshot = value;
        else if (option == "--replay") replay = value;
        else if (option == "--frame-times") frameTimes = value;
        else if (option == "--frames") {
            if (!ParsePositive(value, 1000000000, frames)) {
                error = "--frames needs a whole number of frames, 1 or more, not \"" + value + "\"";
                return Result::Error;
            }
        } else if (option == "--stats-every") {
            if (!ParsePositive(value, 1000000000, statsEvery)) {
                error = "--stats-every needs a whole number of frames, 1 or more, not \"" + value + "\"";
                return Result::Error;
            }
        } else if (option == "--frame-ms") {
            if (!ParsePositive(value, 1000000, frameMs)) {
                error = "--frame-ms needs a whole number of milliseconds, 1 or more, not \"" + value + "\"";
                return Result::Error;
            }
        } else if (option == "--size") {
            auto x = value.find('x');
            if (x == std::string::npos || !ParsePositive(value.substr(0, x), 16384, width) ||
                !ParsePositive(value.substr(x + 1), 16384, height)) {
                error = "--size needs WIDTHxHEIGHT in pixels (1 to 16384 each), not \"" + value + "\"";
                return Result::Error;
            }
        }
    }
    if (help) return Result::Help;
    if (version) return Result::Version;
    return Result::Run;
}

} // namespace zumek
