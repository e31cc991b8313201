// fuzzers/ModelImportFuzzer.cpp
// Model import (still and animated) in the formats the game looks for: the first byte picks
// the file's extension, the rest is the file.
#include <string>

#include "fuzzers/FuzzSupport.h"
#include "graphics/ModelLoader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zumek::fuzz::UseScratchResources();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const kExtensions[] = {"model", "gltf", "glb", "dae", "fbx", "x", "obj", "ply", "stl"};
    const std::string extension = kExtensions[data[0] % (sizeof kExtensions / sizeof kExtensions[0])];
    const std::string path = zumek::fuzz::WriteResource("models/fuzz." + extension, data + 1, size - 1);
    zumek::MeshData mesh;
    zumek::ModelLoader::Import(path, mesh);
    zumek::AnimatedMesh animated;
    zumek::ModelLoader::ImportAnimated(path, animated);
    zumek::fuzz::ForgetLog();
    return 0;
}
