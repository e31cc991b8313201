// fuzzers/SoundEventsFuzzer.cpp
// The sound event table (resources/soundevents/*.xml).
#include "fuzzers/FuzzSupport.h"
#include "sound/SoundSerializer.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zumek::fuzz::UseScratchResources();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zumek::fuzz::WriteResource("soundevents/Fuzz.xml", data, size);
    zumek::SoundSerializer("Fuzz").Deserialize();
    zumek::fuzz::ForgetLog();
    return 0;
}
