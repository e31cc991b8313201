// fuzzers/ArchetypeFuzzer.cpp
// An archetype file.
#include <memory>

#include "content/Archetype.h"
#include "content/ArchetypeSerializer.h"
#include "fuzzers/ComponentKinds.h"
#include "fuzzers/FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zumek::fuzz::UseScratchResources();
    zumek::fuzz::RegisterAllComponents();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zumek::fuzz::WriteResource("archetypes/fuzz.xml", data, size);
    std::unique_ptr<zumek::Archetype> archetype(zumek::ArchetypeSerializer("fuzz").Deserialize());
    zumek::fuzz::ForgetLog();
    return 0;
}
