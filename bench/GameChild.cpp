// bench/GameChild.cpp
#include "bench/GameChild.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

extern char** environ;

namespace zumek::bench {

double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

int RunChild(const std::vector<std::string>& args, const std::filesystem::path& output, int timeoutS, std::string& error) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = 0;
    int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        error = "cannot start " + args[0] + ": " + std::strerror(failed);
        return -1;
    }
    const double deadline = NowMs() + timeoutS * 1000.0;
    int status = 0;
    for (;;) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) {
            error = std::string("waiting for the game: ") + std::strerror(errno);
            return -1;
        }
        if (NowMs() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            error = "the game took more than " + std::to_string(timeoutS) + " s";
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    error = "the game was stopped by signal " + std::to_string(WTERMSIG(status));
    return -1;
}

std::string GameBesideBenchmark() {
    std::error_code error;
    return (std::filesystem::read_symlink("/proc/self/exe", error).parent_path() / "tovalik").string();
}

} // namespace zumek::bench
