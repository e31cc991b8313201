// fuzzers/ReplayFuzzer.cpp
// A replay file (--replay).
#include <string>

#include "engine/Replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zumek::Replay replay;
    std::string error;
    replay.Parse(std::string(reinterpret_cast<const char*>(data), size), error);
    return 0;
}
