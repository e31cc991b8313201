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
    ASSERT_GE(robot.animations[0].channels[0].rotations.size(), 2u);
    struct Case {
        const char* what;
        void (*spoil)(AnimatedMesh&);
        const char* refusal; ///< found in the refusal
    };
    const Case cases[] = {
        {"index", [](AnimatedMesh& m) { m.indices[5] = static_cast<unsigned>(m.vertices.positions.size()); }, "points past the vertices"},
        {"base vertex", [](AnimatedMesh& m) { m.subMeshes.back().baseVertex += 100000; }, "points past the vertices"},
        {"index count", [](AnimatedMesh& m) { m.subMeshes.back().indexCount += 3; }, "a part lies past the indices"},
        {"bone id", [](AnimatedMesh& m) { m.boneIds[0][1] = static_cast<int>(m.bones.size()); }, "a vertex names bone"},
        {"bone node", [](AnimatedMesh& m) { m.bones[0].node = static_cast<int>(m.nodes.size()); }, "a bone follows node"},
        {"own parent", [](AnimatedMesh& m) { m.nodes[1].parent = 1; }, "node 1 has parent 1"},
        {"root its own parent", [](AnimatedMesh& m) { m.nodes[0].parent = 0; }, "node 0 has parent 0"},
        {"channel node", [](AnimatedMesh& m) { m.animations[0].channels[0].node = -1; }, "a channel animates node -1"},
        {"key order", [](AnimatedMesh& m) { m.animations[0].channels[0].rotations[1].time = -1.0; }, "rotation keys are out of order"},
        {"ticks", [](AnimatedMesh& m) { m.animations[0].ticksPerSecond = 0.0; }, "an animation has no ticks per second"},
        {"bone count", [](AnimatedMesh& m) { m.bones.resize(AnimatedMesh::kMaxBones + 1, m.bones[0]); }, "101 bones, at most 100"},
        {"no parts", [](AnimatedMesh& m) { m.subMeshes.clear(); }, "the mesh has no triangles"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AnimatedMesh bad = robot;
        c.spoil(bad);
        EXPECT_NE(RefusalOf(bad).find(c.refusal), std::string::npos) << RefusalOf(bad);
    }
}

} // namespace
} // namespace zumek
