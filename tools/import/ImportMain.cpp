// tovalik-import: imports one model file with Assimp and writes the mesh to standard output in
// the answer format of graphics/ImportProtocol.h. The game runs it for every model it imports
// (graphics/ImportProcess.cpp), so that a crash, a hang or a runaway allocation inside Assimp
// ends this process, never the game.
//
// Usage: tovalik-import still|animated <file> [--memory-mib N]
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "graphics/AssimpImport.h"
#include "graphics/ImportProtocol.h"

namespace {

using namespace zumek;

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t wrote = write(fd, data, size);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        data += wrote;
        size -= static_cast<size_t>(wrote);
    }
    return true;
}

/// Sanitizer builds reserve terabytes of address space for their shadow memory; a limit on
/// the address space would stop them before main. They run without one.
bool CanLimitAddressSpace() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

void LimitAddressSpace(unsigned long mebibytes) {
    if (mebibytes == 0 || !CanLimitAddressSpace()) return;
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(mebibytes) << 20;
    if (setrlimit(RLIMIT_AS, &limit) != 0) std::perror("tovalik-import: setrlimit");
}

/// The failures the tests ask for (see ImportProtocol::kTestFaultVariable); returns when none is asked.
void InjectTestFault(int answerFd, uint32_t kind) {
    const char* fault = std::getenv(ImportProtocol::kTestFaultVariable);
    if (!fault || !*fault) return;
    const std::string name = fault;
    if (name == "crash") std::abort();
    if (name == "hang")
        for (;;) pause();
    if (name == "garbage") {
        std::vector<uint8_t> bytes(4096);
        std::mt19937 random(14);
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
        WriteAll(answerFd, bytes.data(), bytes.size());
        _exit(0);
    }
    if (name == "huge") {
        // A well-formed header, then a vertex count no answer of this size can hold.
        std::vector<uint8_t> bytes = kind == ImportProtocol::kStill ? ImportProtocol::WriteStill(false, {}, {})
                                                                    : ImportProtocol::WriteAnimated(false, {}, {});
        bytes[12] = 1;                                          // imported
        bytes.resize(bytes.size() - 4);                         // drop the end mark
        bytes.insert(bytes.end(), {0xff, 0xff, 0xff, 0xff});    // V = 2^32 - 1
        bytes.resize(bytes.size() + 64);
        WriteAll(answerFd, bytes.data(), bytes.size());
        _exit(0);
    }
    if (name == "flood") {
        std::vector<uint8_t> bytes(1 << 16, 0x5a);
        while (WriteAll(answerFd, bytes.data(), bytes.size())) {
        }
        _exit(0);
    }
    if (name == "memory") {
        std::vector<std::vector<uint8_t>> hoard;
        for (;;) hoard.emplace_back(size_t{64} << 20, uint8_t{1});
    }
}

int Run(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--memory-mib") == 0)) {
        std::fprintf(stderr, "usage: tovalik-import still|animated <file> [--memory-mib N]\n");
        return ImportProtocol::kExitUsage;
    }
    if (argc == 5) LimitAddressSpace(std::strtoul(argv[4], nullptr, 10));
    const std::string mode = argv[1], path = argv[2];
    if (mode != "still" && mode != "animated") {
        std::fprintf(stderr, "tovalik-import: unknown kind '%s' (still or animated)\n", mode.c_str());
        return ImportProtocol::kExitUsage;
    }
    // The answer keeps the standard output to itself: whatever a library prints goes to
    // standard error instead.
    const int answerFd = dup(1);
    if (answerFd < 0 || dup2(2, 1) < 0) return ImportProtocol::kExitWriteFailed;
    const uint32_t kind = mode == "still" ? ImportProtocol::kStill : ImportProtocol::kAnimated;
    InjectTestFault(answerFd, kind);

    ImportNotes notes;
    std::vector<uint8_t> answer;
    if (kind == ImportProtocol::kStill) {
        MeshData mesh;
        const bool imported = AssimpImport::ReadStill(path, mesh, notes);
        answer = ImportProtocol::WriteStill(imported, mesh, notes);
    } else {
        AnimatedMesh mesh;
        const bool imported = AssimpImport::ReadAnimated(path, mesh, notes);
        answer = ImportProtocol::WriteAnimated(imported, mesh, notes);
    }
    if (!WriteAll(answerFd, answer.data(), answer.size())) return ImportProtocol::kExitWriteFailed;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    int status = ImportProtocol::kExitOutOfMemory;
    try {
        status = Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "tovalik-import: out of memory importing %s\n", argc > 2 ? argv[2] : "?");
    }
    // What Assimp leaves allocated dies with the process; no destructors, no leak report.
    std::fflush(stderr);
    _exit(status);
}
