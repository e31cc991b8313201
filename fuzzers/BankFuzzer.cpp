// fuzzers/BankFuzzer.cpp
// Our sound bank format (sound/BANKS.md).
#include <string>
#include <vector>

#include "fuzzers/FuzzSupport.h"
#include "sound/SoundBank.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zumek::fuzz::UseScratchResources();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = zumek::fuzz::WriteResource("soundbanks/Fuzz.bank", data, size);
    std::vector<zumek::BankEntry> entries;
    std::vector<std::string> problems;
    std::string error;
    zumek::SoundBank::Read(path, entries, error, problems);
    zumek::fuzz::ForgetLog();
    return 0;
}
