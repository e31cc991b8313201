// fuzzers/ModelTextFuzzer.cpp
// The text model reader (OBJ text, our own ".model" files).
#include "fuzzers/FuzzSupport.h"
#include "graphics/ModelLoader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zumek::fuzz::UseScratchResources();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = zumek::fuzz::WriteResource("models/fuzz.model", data, size);
    zumek::MeshData mesh;
    zumek::ModelLoader::ReadText(path, mesh);
    zumek::fuzz::ForgetLog();
    return 0;
}
