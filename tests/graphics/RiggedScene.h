// tests/graphics/RiggedScene.h
#pragma once
#include <memory>
#include <string>

#include <assimp/scene.h>

namespace zumek::test {

/// A rigged scene built in memory, as an importer would hand it over: a chain of `bones` bones
/// ("Bone0" at the origin, each next one 1 unit up its parent's y axis, below a root node
/// "Root"), one mesh of one triangle per bone (bone i's triangle spans y = i..i+1, held by
/// bone i alone), and one animation "Bend" of 2 seconds at 10 ticks per second that turns
/// every bone about z from 0 to `angle` radians and back.
std::unique_ptr<aiScene> MakeChainScene(int bones, float angle = 1.0f);

/// Writes `scene` with Assimp's exporter `formatId` ("collada", "fbx", "x", "gltf2", "glb2",
/// "assbin") to `path`; false (with Assimp's reason in `error`) when it cannot.
bool ExportScene(const aiScene& scene, const std::string& formatId, const std::string& path, std::string& error);

} // namespace zumek::test
