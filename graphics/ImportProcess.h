// graphics/ImportProcess.h
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zumek {

/// The limits the import helper runs under. Process-wide; tests shorten them.
struct ImportLimits {
    std::string helper;                         ///< the helper's path; empty: HelperPath()
    int timeoutMs = 20000;                      ///< wall-clock time, then the helper is killed (SIGKILL)
    uint64_t memoryBytes = uint64_t{2} << 30;   ///< the helper's address space (RLIMIT_AS); 0: none
    size_t maxAnswerBytes = size_t{512} << 20;  ///< a longer answer is refused and the helper killed
};

/// Runs the import helper `tovalik-import` (tools/import) on one model file: spawned without a
/// shell, its standard input /dev/null, its standard output a pipe read here, its standard error
/// the game's. The helper limits its own address space first thing (the limit is passed on its
/// command line; sanitizer builds, whose shadow memory needs terabytes of address space, skip it).
class ImportProcess {
public:
    enum class Kind { Still, Animated };

    /// What became of one run: the answer's bytes (still to be read by ImportProtocol) when the
    /// helper exited normally, else `failure` saying what happened ("the importer crashed (signal 6)").
    struct Result {
        bool answered = false;
        std::vector<uint8_t> answer;
        std::string failure;
    };

    static ImportLimits& Limits();

    /// The helper: `tovalik-import` beside the running executable, else the one of the build
    /// this was compiled in; empty when neither exists.
    static std::string HelperPath();

    static Result Run(Kind kind, const std::string& path);
};

} // namespace zumek
