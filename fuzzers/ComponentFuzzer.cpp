// fuzzers/ComponentFuzzer.cpp
// One component element of each kind, read through the level reader: the first byte picks the
// kind ("transform", "sprite", "light", ...), the rest is the element's content.
#include <memory>
#include <string>

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
    if (size == 0) return 0;
    const auto& keys = zumek::fuzz::ComponentKeys();
    const std::string key = keys[data[0] % keys.size()];
    const std::string text = "<level><archetype key=\"thing\" id=\"x\"><component type=\"" + key + "\">" +
                             std::string(reinterpret_cast<const char*>(data + 1), size - 1) +
                             "</component></archetype></level>";
    zumek::fuzz::WriteResource("levels/fuzz.xml", reinterpret_cast<const uint8_t*>(text.data()), text.size());
    std::unique_ptr<zumek::Level> level(zumek::LevelSerializer("fuzz").Deserialize());
    zumek::fuzz::ForgetLog();
    return 0;
}
