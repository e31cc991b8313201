// tests/graphics/ModelImportProcessTest.cpp
// Model import through the helper process tovalik-import: its answer format (what is written
// reads back the same; an answer that is cut short, inconsistent or claims more than it holds is
// refused whole), the same meshes as Assimp gives in this process, and every way the helper can
// fail (crash, hang, garbage, absurd counts, a flood, its memory limit, missing) costs one log
// line and an empty mesh while the test goes on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine/EngineLog.h"
#include "graphics/AssimpImport.h"
#include "graphics/ImportProcess.h"
#include "graphics/ImportProtocol.h"
#include "graphics/ModelLoader.h"
#include "tests/graphics/LogLines.h"

namespace zumek {
namespace {

namespace fs = std::filesystem;

std::string Source(const std::string& relative) { return (fs::path(ZUMEK_SOURCE_ROOT) / relative).string(); }

AnimatedMesh Robot() {
    AnimatedMesh robot;
    ImportNotes notes;
    EXPECT_TRUE(AssimpImport::ReadAnimated(Source("resources/models/robot.gltf"), robot, notes));
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

TEST(ImportProtocol, AnAnswerCutShortExtendedOfTheOtherKindOrOfPartTrianglesIsRefused) {
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
    // Corners that are not whole triangles (a count claiming more than the bytes hold: the
    // helper's "huge" fault in EveryFailingHelperCostsOneLineAndAnEmptyMeshAndTheNextImportWorks).
    MeshData partial;
    partial.positions = partial.normals = partial.tangents = partial.bitangents = std::vector<glm::vec3>(2);
    partial.uvs.resize(2);
    const std::vector<uint8_t> two = ImportProtocol::WriteStill(true, partial, {});
    EXPECT_FALSE(ImportProtocol::ReadStill(two.data(), two.size(), still, answer, error));
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

class ModelImportProcess : public testing::Test {
protected:
    void TearDown() override {
        unsetenv(ImportProtocol::kTestFaultVariable);
        ImportProcess::Limits() = ImportLimits{};
    }

    /// Imports the cube (still, then animated) with the helper failing as `fault` says; returns
    /// what reached standard error.
    std::string ImportFailing(const char* fault) {
        setenv(ImportProtocol::kTestFaultVariable, fault, 1);
        const std::string path = Source("resources/models/cube.model");
        EngineLog::Instance().Clear();
        testing::internal::CaptureStderr();
        MeshData mesh;
        mesh.positions.resize(3); // left over from before: must not survive
        EXPECT_FALSE(ModelLoader::Import(path, mesh)) << fault;
        EXPECT_TRUE(mesh.positions.empty() && mesh.normals.empty()) << fault;
        AnimatedMesh animated;
        EXPECT_FALSE(ModelLoader::ImportAnimated(path, animated)) << fault;
        EXPECT_FALSE(animated.IsValid()) << fault;
        EXPECT_EQ(animated.path, path);
        const std::string stderrText = testing::internal::GetCapturedStderr();
        EXPECT_EQ(test::CountLogLines("Model could not be imported: " + path), 2) << fault << ": one line per import";
        EXPECT_EQ(EngineLog::Instance().Records().size(), 2u) << fault;
        unsetenv(ImportProtocol::kTestFaultVariable);
        return stderrText;
    }

    /// After any failure the next import works: the game goes on.
    void ExpectImportStillWorks() {
        MeshData cube;
        ASSERT_TRUE(ModelLoader::Import(Source("resources/models/cube.model"), cube));
        EXPECT_EQ(cube.positions.size(), 36u);
    }
};

TEST_F(ModelImportProcess, AStillModelMatchesTheImportInThisProcess) {
    for (const char* file : {"resources/models/robot.gltf", "resources/models/goalring.model", "tests/graphics/data/robot.dae"}) {
        MeshData helper, local;
        ImportNotes notes;
        ASSERT_TRUE(ModelLoader::Import(Source(file), helper)) << file;
        ASSERT_TRUE(AssimpImport::ReadStill(Source(file), local, notes)) << file;
        ASSERT_FALSE(local.positions.empty()) << file;
        EXPECT_EQ(helper.positions, local.positions) << file;
        EXPECT_EQ(helper.uvs, local.uvs) << file;
        EXPECT_EQ(helper.normals, local.normals) << file;
        EXPECT_EQ(helper.tangents, local.tangents) << file;
        EXPECT_EQ(helper.bitangents, local.bitangents) << file;
    }
}

TEST_F(ModelImportProcess, AnAnimatedModelMatchesTheImportInThisProcess) {
    for (const char* file : {"resources/models/robot.gltf", "tests/graphics/data/robot.dae"}) {
        AnimatedMesh helper, local;
        ImportNotes notes;
        ASSERT_TRUE(ModelLoader::ImportAnimated(Source(file), helper)) << file;
        ASSERT_TRUE(AssimpImport::ReadAnimated(Source(file), local, notes)) << file;
        EXPECT_EQ(helper.path, Source(file));
        EXPECT_TRUE(helper.IsSkinned()) << file;
        EXPECT_EQ(helper.vertices.positions, local.vertices.positions) << file;
        EXPECT_EQ(helper.vertices.normals, local.vertices.normals) << file;
        EXPECT_EQ(helper.boneIds, local.boneIds) << file;
        EXPECT_EQ(helper.boneWeights, local.boneWeights) << file;
        EXPECT_EQ(helper.indices, local.indices) << file;
        ASSERT_EQ(helper.subMeshes.size(), local.subMeshes.size()) << file;
        EXPECT_EQ(helper.subMeshes[0].color, local.subMeshes[0].color) << file;
        EXPECT_EQ(helper.subMeshes.back().baseVertex, local.subMeshes.back().baseVertex) << file;
        EXPECT_EQ(helper.subMeshes.back().texture, local.subMeshes.back().texture) << file;
        ASSERT_EQ(helper.bones.size(), local.bones.size()) << file;
        for (size_t b = 0; b < local.bones.size(); ++b) {
            EXPECT_EQ(helper.bones[b].name, local.bones[b].name) << file;
            EXPECT_EQ(helper.bones[b].node, local.bones[b].node) << file;
            EXPECT_EQ(helper.bones[b].offset, local.bones[b].offset) << file;
        }
        ASSERT_EQ(helper.nodes.size(), local.nodes.size()) << file;
        EXPECT_EQ(helper.nodes.back().name, local.nodes.back().name) << file;
        EXPECT_EQ(helper.nodes.back().parent, local.nodes.back().parent) << file;
        EXPECT_EQ(helper.nodes.back().transform, local.nodes.back().transform) << file;
        ASSERT_EQ(helper.animations.size(), local.animations.size()) << file;
        ASSERT_FALSE(local.animations.empty()) << file;
        const Animation &a = helper.animations[0], &b = local.animations[0];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.duration, b.duration);
        EXPECT_EQ(a.ticksPerSecond, b.ticksPerSecond);
        EXPECT_EQ(a.channelOfNode, b.channelOfNode);
        ASSERT_EQ(a.channels.size(), b.channels.size());
        EXPECT_EQ(a.channels.back().translations.size(), b.channels.back().translations.size());
        EXPECT_EQ(a.channels.back().rotations.back().time, b.channels.back().rotations.back().time);
        EXPECT_EQ(a.channels.back().rotations.back().value, b.channels.back().rotations.back().value);
    }
}

TEST_F(ModelImportProcess, AFileTheImporterCannotReadIsOneLineWithTheImportersReason) {
    EngineLog::Instance().Clear();
    testing::internal::CaptureStderr();
    MeshData mesh;
    EXPECT_FALSE(ModelLoader::Import("/nonexistent/ghost.gltf", mesh));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(test::CountLogLines("Model could not be imported: /nonexistent/ghost.gltf"), 1);
    EXPECT_EQ(EngineLog::Instance().Records().size(), 1u);
    EXPECT_EQ(said.find("the importer"), std::string::npos) << "the helper answered; Assimp's reason is given: " << said;
}

TEST_F(ModelImportProcess, EveryFailingHelperCostsOneLineAndAnEmptyMeshAndTheNextImportWorks) {
    struct Fault {
        const char* fault;
        void (*limit)(ImportLimits&);
        const char* said;
    };
    const Fault faults[] = {
        {"crash", [](ImportLimits&) {}, "the importer crashed (signal 6, SIGABRT)"},
        {"hang", [](ImportLimits& l) { l.timeoutMs = 300; }, "the importer took longer than 0.3 s and was stopped"},
        {"garbage", [](ImportLimits&) {}, "the importer's answer is malformed: it does not start with ZMIM"},
        {"huge", [](ImportLimits&) {}, "the vertex count claims 4294967295 entries"},
        {"flood", [](ImportLimits& l) { l.maxAnswerBytes = size_t{1} << 20; }, "the importer's answer is larger than 1 MiB"},
#if !defined(__SANITIZE_ADDRESS__)
        {"memory", [](ImportLimits& l) { l.memoryBytes = uint64_t{256} << 20; }, "the importer ran out of memory (limit 256 MiB)"},
#endif
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.fault);
        ImportProcess::Limits() = ImportLimits{};
        f.limit(ImportProcess::Limits());
        const std::string said = ImportFailing(f.fault);
        EXPECT_NE(said.find(f.said), std::string::npos) << said;
        ExpectImportStillWorks();
    }
}

TEST_F(ModelImportProcess, AMissingHelperCostsOneLineAndTheCacheDoesNotRetry) {
    ImportProcess::Limits().helper = "/nonexistent/tovalik-import";
    EngineLog::Instance().Clear();
    testing::internal::CaptureStderr();
    const int before = ModelLoader::ImportCount();
    const std::string path = Source("resources/models/sphere.model");
    const MeshData& first = ModelLoader::ImportCached(path);
    const MeshData& second = ModelLoader::ImportCached(path);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(first.positions.empty());
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(ModelLoader::ImportCount(), before + 1);
    EXPECT_EQ(test::CountLogLines("Model could not be imported: " + path), 1);
    EXPECT_NE(said.find("the importer /nonexistent/tovalik-import is missing"), std::string::npos) << said;
}

} // namespace
} // namespace zumek
