// game/main.cpp
// The entry point of Tovalik: reads the command line, then runs the game.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/CommandLine.h"
#include "engine/EngineLog.h"
#include "game/Game.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"

int main(int argc, char** argv) {
    using namespace zumek;
    // Line-buffered standard output keeps the engine's lines and the scripts' in order.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    CommandLine options;
    std::string error;
    std::vector<std::string> args(argv + 1, argv + argc);
    switch (options.Parse(args, error)) {
    case CommandLine::Result::Help:
        std::fputs(CommandLine::Usage().c_str(), stdout);
        return 0;
    case CommandLine::Result::Version:
        std::printf("tovalik %s (zumek engine)\n", ZUMEK_VERSION);
        return 0;
    case CommandLine::Result::Error:
        std::fprintf(stderr, "tovalik: %s\n%s", error.c_str(), CommandLine::Usage().c_str());
        return 2;
    case CommandLine::Result::Run:
        break;
    }

    std::error_code ec;
    for (const auto* folder : {&options.root, &options.documents}) {
        if (!folder->empty() && !std::filesystem::is_directory(*folder, ec)) {
            std::fprintf(stderr, "tovalik: %s %s: no such folder\n", folder == &options.root ? "--root" : "--documents",
                         folder->c_str());
            return 2;
        }
    }
    Paths::SetResourceRoot(ChooseResourceRoot(options.root, argv[0]));
    if (!options.documents.empty())
        Paths::SetDocumentsFolder(std::filesystem::absolute(options.documents).lexically_normal().string());
    if (!options.logFile.empty() && !EngineLog::Instance().SetLogFile(options.logFile)) {
        std::fprintf(stderr, "tovalik: --log %s: the file cannot be written\n", options.logFile.c_str());
        return 2;
    }
    if (options.frameMs > 0) Clock::UseManual(0);
    // Nobody is there to dismiss a box on a bounded or replayed run.
    if (options.frames > 0 || !options.replay.empty()) SetMessageBoxesAllowed(false);

    try {
        return RunGame(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tovalik: %s\n", e.what());
        return 1;
    } catch (...) {
        std::fprintf(stderr, "tovalik: unknown failure\n");
        return 1;
    }
}
