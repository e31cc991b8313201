// engine/CommandLine.h
#pragma once
#include <string>
#include <vector>

namespace zumek {

/// The game's command-line options.
struct CommandLine {
    std::string root;        ///< --root DIR: relative resource paths resolve against DIR
    std::string documents;   ///< --documents DIR: the user's documents folder
    std::string level;       ///< --level NAME: the first place instead of "splash"
    int frames = 0;          ///< --frames N: stop after N frames (0: no limit)
    int frameMs = 0;         ///< --frame-ms MS: the clock advances MS per frame (0: real clock)
    int width = 0;           ///< --size WxH: a normal window of that client size (0 x 0: full screen)
    int height = 0;
    std::string logFile;     ///< --log FILE
    std::string screenshot;  ///< --screenshot FILE
    std::string replay;      ///< --replay FILE
    std::string frameTimes;  ///< --frame-times FILE: each frame's wall-clock milliseconds (benchmarks)
    int statsEvery = 0;      ///< --stats-every N: a log line of memory, descriptors and GL objects every N frames
    bool watch = false;      ///< --watch: reload changed resource files while the game runs
    bool stateHash = false;  ///< --state-hash: print the hash of the objects' state when the run ends
    bool help = false;
    bool version = false;

    enum class Result { Run, Help, Version, Error };

    /// Parses the arguments after the program name; on Error, `error` says what is wrong.
    Result Parse(const std::vector<std::string>& args, std::string& error);

    static std::string Usage();
};

} // namespace zumek
