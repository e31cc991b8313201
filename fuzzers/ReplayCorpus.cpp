// fuzzers/ReplayCorpus.cpp
// The driver that replaces libFuzzer in the normal and sanitizer builds: it runs the harness
// once over every file below the folders (or files) it is given - the corpus the fuzzers kept
// and the inputs that once crashed - so every build checks that none of them fails again.
// A folder that does not exist is skipped; no input at all is a failure (a lost corpus).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        if (fs::is_regular_file(argv[i], ec)) {
            inputs.emplace_back(argv[i]);
            continue;
        }
        if (!fs::is_directory(argv[i], ec)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(argv[i], ec))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs below the given folders\n");
        return 1;
    }
    for (const fs::path& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        // A copy of exactly the input's size, so a read past its end is caught by the sanitizer.
        std::vector<uint8_t> exact(bytes);
        LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
