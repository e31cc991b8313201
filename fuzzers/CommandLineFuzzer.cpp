// fuzzers/CommandLineFuzzer.cpp
// The command line: the input is split at NUL bytes into arguments.
#include <string>
#include <vector>

#include "engine/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) args.emplace_back();
        else args.back() += static_cast<char>(data[i]);
    }
    zumek::CommandLine options;
    std::string error;
    options.Parse(args, error);
    return 0;
}
