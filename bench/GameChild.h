// bench/GameChild.h
// What the benchmarks that run the game itself share: starting it as a child process and timing.
#pragma once
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace zumek::bench {

/// Milliseconds of the monotonic clock.
double NowMs();

template <class T>
T Median(std::vector<T> values) {
    if (values.empty()) return T{};
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// Runs `args` (args[0] is the program) with standard output and error into `output`; the exit
/// status, or -1 (with `error` set) when it could not start, was stopped by a signal or ran
/// longer than `timeoutS` seconds.
int RunChild(const std::vector<std::string>& args, const std::filesystem::path& output, int timeoutS, std::string& error);

/// The game executable built beside the running benchmark.
std::string GameBesideBenchmark();

} // namespace zumek::bench
