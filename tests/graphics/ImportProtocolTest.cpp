// tests/graphics/ImportProtocolTest.cpp
// The import helper's answer format: what is written reads back the same, and an answer that is
// cut short, inconsistent or claims more than it holds is refused whole.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/AssimpImport.h"
#include "graphics/ImportProtocol.h"

namespace zumek {
namespace {

namespace fs = std::filesystem;

AnimatedMesh Robot() {
    AnimatedMesh robot;
    ImportNotes notes;
    EXPECT_TRUE(AssimpImport::ReadAnimated((fs::path(ZUMEK_SOURCE_ROOT) / "resources/models/robot.gltf").string(), robot, notes));
    return robot;
}

/// Why ReadAnimated refused `mesh` as written, or "" when it took it.
std::string RefusalOf(const AnimatedMesh& mesh) {
    const std::vector<uint8_t> bytes = ImportProtocol::WriteAnimated(true, mesh, {});
    AnimatedMesh out;
    ImportProtocol::Answer answer;
    std::string error;
    if (ImportProtocol::ReadAnimated(bytes.data(), bytes.size(), out, answer, error)) return "";
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(out.indices.empty() && out.nodes.empty()) << "a refused answer leaves nothing behind";
    return error.empty() ? "?" : error;
}

TEST(ImportProtocol, AStillMeshAndItsNotesReadBackAsWritten) {
    MeshData mesh;
    mesh.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.uvs = {{0, 0}, {1, 0}, {0, 1}};
    mesh.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    mesh.tangents = {{1, 0, 0}, {1, 0, 0}, {1, 0, 0}};
    mesh.bitangents = {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}};
    const ImportNotes notes = {{Warning, "Face.mNumIndices == 3", "a.obj"}, {Info, std::string(5000, 'x'), ""}};
    const std::vector<uint8_t> bytes = ImportProtocol::WriteStill(true, mesh, notes);
    MeshData out;
    ImportProtocol::Answer answer;
    std::string error;
    ASSERT_TRUE(ImportProtocol::ReadStill(bytes.data(), bytes.size(), out, answer, error)) << error;
    EXPECT_TRUE(answer.imported);
    EXPECT_EQ(out.positions, mesh.positions);
    EXPECT_EQ(out.uvs, mesh.uvs);
    EXPECT_EQ(out.bitangents, mesh.bitangents);
    ASSERT_EQ(answer.notes.size(), 2u);
    EXPECT_EQ(answer.notes[0].level, Warning);
    EXPECT_EQ(answer.notes[0].detail, "a.obj");
    EXPECT_EQ(answer.notes[1].text.size(), ImportProtocol::kMaxString) << "a long note is cut, not refused";

    // A failed import: no mesh, the reason in the notes.
    const std::vector<uint8_t> failed = ImportProtocol::WriteStill(false, mesh, {{Error, "Model could not be imported: a", "why"}});
    ASSERT_TRUE(ImportProtocol::ReadStill(failed.data(), failed.size(), out, answer, error)) << error;
    EXPECT_FALSE(answer.imported);
    EXPECT_TRUE(out.positions.empty());
    EXPECT_EQ(answer.notes.at(0).detail, "why");
}

TEST(ImportProtocol, TheAnimatedRobotReadsBackWithItsSkeletonAndAnimations) {
    const AnimatedMesh robot = Robot();
    ASSERT_TRUE(robot.IsSkinned());
    const std::vector<uint8_t> bytes = ImportProtocol::WriteAnimated(true, robot, {});
    AnimatedMesh out;
    ImportProtocol::Answer answer;
    std::string error;
    ASSERT_TRUE(ImportProtocol::ReadAnimated(bytes.data(), bytes.size(), out, answer, error)) << error;
    EXPECT_EQ(out.vertices.positions, robot.vertices.positions);
    EXPECT_EQ(out.boneIds, robot.boneIds);
    EXPECT_EQ(out.boneWeights, robot.boneWeights);
    EXPECT_EQ(out.indices, robot.indices);
    ASSERT_EQ(out.subMeshes.size(), robot.subMeshes.size());
    EXPECT_EQ(out.subMeshes.back().baseVertex, robot.subMeshes.back().baseVertex);
    EXPECT_EQ(out.subMeshes.back().texture, robot.subMeshes.back().texture);
    ASSERT_EQ(out.bones.size(), robot.bones.size());
    EXPECT_EQ(out.bones[3].name, robot.bones[3].name);
    EXPECT_EQ(out.bones[3].offset, robot.bones[3].offset);
    ASSERT_EQ(out.nodes.size(), robot.nodes.size());
    EXPECT_EQ(out.nodes.back().parent, robot.nodes.back().parent);
    EXPECT_EQ(out.nodes.back().rotation, robot.nodes.back().rotation);
    ASSERT_EQ(out.animations.size(), robot.animations.size());
    EXPECT_EQ(out.animations[0].duration, robot.animations[0].duration);
    EXPECT_EQ(out.animations[0].channelOfNode, robot.animations[0].channelOfNode) << "rebuilt from the channels";
    EXPECT_EQ(out.animations[0].channels[1].rotations.back().value, robot.animations[0].channels[1].rotations.back().value);
}

TEST(ImportProtocol, EveryAnswerCutShortOrExtendedIsRefused) {
    const std::vector<uint8_t> bytes = ImportProtocol::WriteAnimated(true, Robot(), {{Warning, "note", "detail"}});
    int refused = 0, cuts = 0;
    for (size_t size = 0; size < bytes.size(); size += size < 256 ? 1 : 61, ++cuts) {
        AnimatedMesh out;
        ImportProtocol::Answer answer;
        std::string error;
        // An exact-size copy, so that a read past the end is caught by the sanitizer build.
        const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(size));
        if (!ImportProtocol::ReadAnimated(cut.data(), cut.size(), out, answer, error)) ++refused;
    }
    EXPECT_EQ(refused, cuts);
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    AnimatedMesh out;
    ImportProtocol::Answer answer;
    std::string error;
    EXPECT_FALSE(ImportProtocol::ReadAnimated(longer.data(), longer.size(), out, answer, error));
    EXPECT_EQ(error, "bytes follow the end mark");
    MeshData still;
    EXPECT_FALSE(ImportProtocol::ReadStill(bytes.data(), bytes.size(), still, answer, error)) << "an animated answer is not a still one";
    EXPECT_EQ(error, "kind 2, expected 1");
}

TEST(ImportProtocol, ACountLargerThanTheBytesIsRefusedBeforeAnythingIsAllocated) {
    std::vector<uint8_t> bytes = ImportProtocol::WriteStill(false, {}, {});
    bytes[12] = 1;              // imported
    bytes.resize(bytes.size() - 4);
    bytes.insert(bytes.end(), {0xff, 0xff, 0xff, 0xff, 0, 0, 0, 0});
    MeshData out;
    ImportProtocol::Answer answer;
    std::string error;
    EXPECT_FALSE(ImportProtocol::ReadStill(bytes.data(), bytes.size(), out, answer, error));
    EXPECT_NE(error.find("claims 4294967295 entries"), std::string::npos) << error;

    MeshData partial;
    partial.positions.resize(2);
    partial.uvs.resize(2);
    partial.normals.resize(2);
    partial.tangents.resize(2);
    partial.bitangents.resize(2);
    const std::vector<uint8_t> two = ImportProtocol::WriteStill(true, partial, {});
    EXPECT_FALSE(ImportProtocol::ReadStill(two.data(), two.size(), out, answer, error));
    EXPECT_EQ(error, "2 corners are not whole triangles");
}

TEST(ImportProtocol, IndicesBonesNodesAndKeysPointingOutsideAreRefused) {
    const AnimatedMesh robot = Robot();
    ASSERT_EQ(RefusalOf(robot), "");
    AnimatedMesh bad = robot;
    bad.indices[5] = static_cast<unsigned>(robot.vertices.positions.size());
    EXPECT_NE(RefusalOf(bad).find("points past the vertices"), std::string::npos);
    bad = robot;
    bad.subMeshes.back().baseVertex += 100000;
    EXPECT_NE(RefusalOf(bad).find("points past the vertices"), std::string::npos) << "the base vertex counts";
    bad = robot;
    bad.subMeshes.back().indexCount += 3;
    EXPECT_EQ(RefusalOf(bad), "a part lies past the indices");
    bad = robot;
    bad.boneIds[0][1] = static_cast<int>(robot.bones.size());
    EXPECT_NE(RefusalOf(bad).find("a vertex names bone"), std::string::npos);
    bad = robot;
    bad.bones[0].node = static_cast<int>(robot.nodes.size());
    EXPECT_NE(RefusalOf(bad).find("a bone follows node"), std::string::npos);
    bad = robot;
    bad.nodes[1].parent = 1;
    EXPECT_EQ(RefusalOf(bad), "node 1 has parent 1");
    bad = robot;
    bad.nodes[0].parent = 0;
    EXPECT_EQ(RefusalOf(bad), "node 0 has parent 0");
    bad = robot;
    bad.animations[0].channels[0].node = -1;
    EXPECT_EQ(RefusalOf(bad), "a channel animates node -1");
    bad = robot;
    ASSERT_GE(bad.animations[0].channels[0].rotations.size(), 2u);
    bad.animations[0].channels[0].rotations[1].time = -1.0;
    EXPECT_EQ(RefusalOf(bad), "rotation keys are out of order");
    bad = robot;
    bad.animations[0].ticksPerSecond = 0.0;
    EXPECT_EQ(RefusalOf(bad), "an animation has no ticks per second");
    bad = robot;
    bad.bones.resize(AnimatedMesh::kMaxBones + 1, robot.bones[0]);
    EXPECT_EQ(RefusalOf(bad), "101 bones, at most 100");
    bad = robot;
    bad.subMeshes.clear();
    EXPECT_EQ(RefusalOf(bad), "the mesh has no triangles");
}

} // namespace
} // namespace zumek
