// fuzzers/LevelFuzzer.cpp
// A level file: the XML, its entries and every component element the level reader accepts.
#include <memory>

#include "content/Level.h"
#include "content/LevelSerializer.h"
#include "fuzzers/ComponentKinds.h"
#include "fuzzers/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zumek::fuzz::UseScratchResources();
    zumek::fuzz::RegisterAllComponents();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zumek::fuzz::WriteResource("levels/fuzz.xml", data, size);
    std::unique_ptr<zumek::Level> level(zumek::LevelSerializer("fuzz").Deserialize());
    zumek::fuzz::ForgetLog();
    return 0;
}
