// tests/graphics/ModelImportProcessTest.cpp
// Model import through the helper process tovalik-import: the same meshes as Assimp gives in
// this process, and every way the helper can fail (crash, hang, garbage, absurd counts, a flood,
// its memory limit, missing) costs one log line and an empty mesh while the test goes on.
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
