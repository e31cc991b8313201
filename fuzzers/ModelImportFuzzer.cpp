// fuzzers/ModelImportFuzzer.cpp
// Model import (still and animated) in the formats the game looks for: the first byte picks
// the file's extension, the rest is the file. The import runs in the helper process
// tovalik-import, so this checks the containment: whatever Assimp does with the file (a crash,
// a hang, a leak, a runaway allocation), the game's side gets a mesh or one logged failure, and
// the answer it reads back is validated. Assimp's own faults are not this harness's findings.
#include <string>

#include "fuzzers/FuzzSupport.h"
#include "graphics/ImportProcess.h"
#include "graphics/ModelLoader.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zumek::fuzz::UseScratchResources();
    // Two imports per input must end within libFuzzer's -timeout=10 of ./fuzz, even when the
    // importer hangs on both.
    zumek::ImportProcess::Limits().timeoutMs = 4000;
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
