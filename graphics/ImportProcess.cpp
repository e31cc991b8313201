// graphics/ImportProcess.cpp
#include "graphics/ImportProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <chrono>
#include <cstring>
#include <filesystem>

#include "graphics/ImportProtocol.h"

extern char** environ;

namespace zumek {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kHelperName = "tovalik-import";

bool IsExecutable(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && access(path.c_str(), X_OK) == 0;
}

int MillisecondsLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

/// Waits for `pid` until `deadline`, then kills it; returns its wait status.
int Reap(pid_t pid, Clock::time_point deadline, bool& killed) {
    int status = 0;
    for (;;) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return status;
        if (done < 0 && errno != EINTR) return 0;
        if (MillisecondsLeft(deadline) == 0) break;
        usleep(1000);
    }
    killed = true;
    kill(pid, SIGKILL);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

std::string Seconds(int ms) {
    char text[32];
    std::snprintf(text, sizeof text, ms % 1000 == 0 ? "%.0f s" : "%.1f s", ms / 1000.0);
    return text;
}

/// Spawns the helper with its standard output on `answerFd`; 0 or an errno value.
int Spawn(const std::string& helper, ImportProcess::Kind kind, const std::string& path, const ImportLimits& limits,
          int answerFd, int readFd, pid_t& pid) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, answerFd, 1);
    posix_spawn_file_actions_addclose(&actions, readFd);
    const std::string memory = std::to_string(limits.memoryBytes >> 20);
    std::vector<std::string> args = {helper, kind == ImportProcess::Kind::Still ? "still" : "animated", path};
    if (limits.memoryBytes > 0) args.insert(args.end(), {"--memory-mib", memory});
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int error = posix_spawn(&pid, helper.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

} // namespace

ImportLimits& ImportProcess::Limits() {
    static ImportLimits limits;
    return limits;
}

std::string ImportProcess::HelperPath() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && IsExecutable(self.parent_path() / kHelperName)) return (self.parent_path() / kHelperName).string();
#ifdef ZUMEK_IMPORT_HELPER
    // Tests and benchmarks run from folders below the build; the build's helper serves them.
    if (IsExecutable(ZUMEK_IMPORT_HELPER)) return ZUMEK_IMPORT_HELPER;
#endif
    return {};
}

ImportProcess::Result ImportProcess::Run(Kind kind, const std::string& path) {
    const ImportLimits limits = Limits();
    Result result;
    const std::string helper = limits.helper.empty() ? HelperPath() : limits.helper;
    if (helper.empty() || !IsExecutable(helper)) {
        result.failure = "the importer " + (helper.empty() ? std::string(kHelperName) : helper) + " is missing";
        return result;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        result.failure = std::string("no pipe to the importer: ") + std::strerror(errno);
        return result;
    }
    pid_t pid = 0;
    const int spawnError = Spawn(helper, kind, path, limits, fds[1], fds[0], pid);
    close(fds[1]);
    if (spawnError != 0) {
        close(fds[0]);
        result.failure = "the importer " + helper + " could not be started: " + std::strerror(spawnError);
        return result;
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(limits.timeoutMs);
    bool timedOut = false, tooLarge = false;
    uint8_t buffer[65536];
    for (;;) {
        pollfd watch{fds[0], POLLIN, 0};
        const int ready = poll(&watch, 1, MillisecondsLeft(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0 || (ready < 0)) {
            timedOut = ready == 0;
            break;
        }
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got <= 0) break;
        if (result.answer.size() + static_cast<size_t>(got) > limits.maxAnswerBytes) {
            tooLarge = true;
            break;
        }
        result.answer.insert(result.answer.end(), buffer, buffer + got);
    }
    close(fds[0]);
    bool killed = false;
    if (timedOut || tooLarge) {
        killed = true;
        kill(pid, SIGKILL);
    }
    const int status = Reap(pid, deadline, killed);
    if (timedOut || (killed && !tooLarge)) {
        result.failure = "the importer took longer than " + Seconds(limits.timeoutMs) + " and was stopped";
    } else if (tooLarge) {
        result.failure = "the importer's answer is larger than " + std::to_string(limits.maxAnswerBytes >> 20) + " MiB";
    } else if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        const char* name = sigabbrev_np(signal);
        result.failure = "the importer crashed (signal " + std::to_string(signal) + (name ? std::string(", SIG") + name : "") + ")";
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == ImportProtocol::kExitOutOfMemory) {
        result.failure = "the importer ran out of memory (limit " + std::to_string(limits.memoryBytes >> 20) + " MiB)";
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.failure = "the importer failed (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
    } else {
        result.answered = true;
        return result;
    }
    result.answer.clear();
    return result;
}

} // namespace zumek
