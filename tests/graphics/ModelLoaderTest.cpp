// tests/graphics/ModelLoaderTest.cpp
// The model readers: the text reader, the still and animated imports through Assimp (the
// shipped models, the robot in the formats other tools write, bad data), the caches and the
// model-file lookup.
#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <filesystem>
#include <fstream>

#include <glm/geometric.hpp>

#include "graphics/ModelLoader.h"
#include "platform/Paths.h"
#include "tests/graphics/LogLines.h"
#include "tests/graphics/RiggedScene.h"

namespace zumek {
namespace {

namespace fs = std::filesystem;

std::string RobotPath() { return (fs::path(ZUMEK_SOURCE_ROOT) / "resources" / "models" / "robot.gltf").string(); }

std::string Shipped(const std::string& name) {
    return (fs::path(ZUMEK_SOURCE_ROOT) / "resources" / "models" / (name + ".model")).string();
}

std::string Write(const std::string& name, const std::string& text) {
    fs::path path = fs::temp_directory_path() / ("zumek-model-" + name);
    std::ofstream(path) << text;
    return path.string();
}

TEST(ModelText, ExpandsFaceCornersAndComputesTangents) {
    // One triangle in the x-y plane with u along x and v along y: tangent +x, bitangent +y.
    std::string path = Write("tri", "# comment\nv 0 0 0\nv 2 0 0\nv 0 2 0\nvt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\n"
                                    "o ignored\nf 1/1/1 2/2/1 3/3/1\nf 3/3/1 2/2/1 1/1/1\n");
    MeshData mesh;
    ASSERT_TRUE(ModelLoader::ReadText(path, mesh));
    ASSERT_EQ(mesh.positions.size(), 6u);
    EXPECT_EQ(mesh.positions[1], glm::vec3(2, 0, 0));
    EXPECT_EQ(mesh.positions[3], glm::vec3(0, 2, 0));
    EXPECT_EQ(mesh.uvs[2], glm::vec2(0, 1));
    EXPECT_EQ(mesh.normals[4], glm::vec3(0, 0, 1));
    ASSERT_EQ(mesh.tangents.size(), 6u);
    EXPECT_EQ(mesh.tangents[0], glm::vec3(2, 0, 0)) << "edge over uv change: 2 units per u";
    EXPECT_EQ(mesh.bitangents[0], glm::vec3(0, 2, 0));
    EXPECT_EQ(mesh.tangents[2], mesh.tangents[0]) << "one value per corner of the triangle";
}

TEST(ModelText, BadFilesAreReportedAndLeaveTheMeshEmpty) {
    MeshData mesh;
    EXPECT_FALSE(ModelLoader::ReadText("/nonexistent/none.model", mesh));
    EXPECT_EQ(test::CountLogLines("Failed to loade file /nonexistent/none.model"), 1);
    std::string quad = Write("quad", "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1 4/1/1\n");
    EXPECT_FALSE(ModelLoader::ReadText(quad, mesh));
    EXPECT_EQ(test::CountLogLines("File cannot be read: " + quad), 1);
    EXPECT_TRUE(mesh.positions.empty());
    std::string outOfRange = Write("range", "v 0 0 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 1/1/1 7/1/1\n");
    EXPECT_FALSE(ModelLoader::ReadText(outOfRange, mesh)) << "an index past the positions must not be read";
    std::string shortFace = Write("short", "v 0 0 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 1/1/1\n");
    EXPECT_FALSE(ModelLoader::ReadText(shortFace, mesh));
}

TEST(ModelImport, EveryShippedModelReadsAlikeInBothReadersAndFitsTheUnitBox) {
    int models = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(ZUMEK_SOURCE_ROOT) / "resources" / "models")) {
        if (entry.path().extension() != ".model") continue;
        ++models;
        const std::string path = entry.path().string();
        MeshData imported, text;
        ASSERT_TRUE(ModelLoader::ReadText(path, text)) << path;
        ASSERT_TRUE(ModelLoader::Import(path, imported)) << path;
        ASSERT_EQ(imported.positions.size(), text.positions.size()) << path << ": every face is a triangle";
        ASSERT_FALSE(text.positions.empty()) << path;
        EXPECT_EQ(imported.tangents.size(), imported.positions.size()) << path;
        for (size_t i = 0; i < text.positions.size(); i += 3) {
            glm::vec3 face = glm::cross(text.positions[i + 1] - text.positions[i], text.positions[i + 2] - text.positions[i]);
            for (size_t k = i; k < i + 3; ++k) {
                EXPECT_GT(glm::dot(face, text.normals[k]), 0.0f) << path << " triangle " << i / 3 << ": wound inward";
                for (int axis = 0; axis < 3; ++axis)
                    EXPECT_LE(std::abs(text.positions[k][axis]), 0.5f + 1e-5f) << path << ": outside the unit box";
            }
        }
    }
    EXPECT_GE(models, 3);
}

TEST(ModelImport, TheCachesImportEachPathOnce) {
    // A failed import stays empty and is not retried: ModelImportProcess.AMissingHelper...
    const int still = ModelLoader::ImportCount(), animated = ModelLoader::AnimatedImportCount();
    const MeshData& first = ModelLoader::ImportCached(Shipped("sphere"));
    EXPECT_EQ(&first, &ModelLoader::ImportCached(Shipped("sphere")));
    EXPECT_EQ(ModelLoader::ImportCount(), still + 1) << "two sprites of one model import it once";
    EXPECT_FALSE(first.positions.empty());
    const AnimatedMesh& robot = ModelLoader::ImportAnimatedCached(RobotPath());
    EXPECT_EQ(&robot, &ModelLoader::ImportAnimatedCached(RobotPath()));
    EXPECT_EQ(ModelLoader::AnimatedImportCount(), animated + 1);
}

int NodeIndex(const AnimatedMesh& mesh, const std::string& name) {
    for (size_t i = 0; i < mesh.nodes.size(); ++i)
        if (mesh.nodes[i].name == name) return static_cast<int>(i);
    return -1;
}

/// Where node `name` is at `seconds` into the first animation.
glm::vec3 JointAt(const AnimatedMesh& mesh, const std::string& name, double seconds) {
    std::vector<glm::mat4> bones, globals;
    AnimationPose::PoseBones(mesh, 0, seconds, bones, globals);
    int node = NodeIndex(mesh, name);
    return node < 0 ? glm::vec3(-999.0f) : glm::vec3(globals[static_cast<size_t>(node)][3]);
}

void ExpectWeightsValid(const AnimatedMesh& mesh) {
    ASSERT_EQ(mesh.boneIds.size(), mesh.vertices.positions.size());
    ASSERT_EQ(mesh.boneWeights.size(), mesh.vertices.positions.size());
    for (size_t v = 0; v < mesh.boneIds.size(); ++v) {
        float sum = 0.0f;
        for (int k = 0; k < 4; ++k) {
            if (mesh.boneWeights[v][k] == 0.0f) continue;
            sum += mesh.boneWeights[v][k];
            ASSERT_GE(mesh.boneIds[v][k], 0);
            ASSERT_LT(mesh.boneIds[v][k], static_cast<int>(mesh.bones.size()));
        }
        ASSERT_NEAR(sum, 1.0f, 1e-5f) << "vertex " << v;
    }
    for (unsigned index : mesh.indices) ASSERT_LT(index, mesh.vertices.positions.size());
}

TEST(AnimatedModelImport, TheRobotHasItsChainAndLoopingWalk) {
    AnimatedMesh robot;
    ASSERT_TRUE(ModelLoader::ImportAnimated(RobotPath(), robot));
    ASSERT_EQ(robot.animations.size(), 1u);
    EXPECT_NEAR(robot.animations[0].duration / robot.animations[0].ticksPerSecond, 2.0, 1e-6);
    ExpectWeightsValid(robot);
    int blended = 0;
    for (const glm::vec4& w : robot.boneWeights) blended += w[1] > 0.0f;
    EXPECT_GT(blended, 0) << "the elbows are skinned to two bones";
    // ForeArm_R hangs below UpperArm_R: a two-bone chain.
    int fore = NodeIndex(robot, "ForeArm_R"), upper = NodeIndex(robot, "UpperArm_R");
    ASSERT_GE(fore, 0);
    EXPECT_EQ(robot.nodes[static_cast<size_t>(fore)].parent, upper);
    // The right forearm waves: it moves within the loop and is back where it was a loop later.
    EXPECT_GT(glm::distance(JointAt(robot, "ForeArm_R", 0.0), JointAt(robot, "ForeArm_R", 1.0)), 0.0f);
    EXPECT_LT(glm::distance(JointAt(robot, "ForeArm_R", 0.5), JointAt(robot, "ForeArm_R", 2.5)), 1e-4f);
}

TEST(AnimatedModelImport, TheStrongestFourWeightsAreKeptAndRenormalised) {
    auto scene = test::MakeChainScene(6);
    // Vertex 0 is held by all six bones: 0.05, 0.3, 0.1, 0.25, 0.2, 0.1.
    const float weights[6] = {0.05f, 0.3f, 0.1f, 0.25f, 0.2f, 0.1f};
    aiMesh& mesh = *scene->mMeshes[0];
    mesh.mBones[0]->mWeights[0].mWeight = weights[0];
    for (int b = 1; b < 6; ++b) {
        aiBone& bone = *mesh.mBones[b];
        auto* grown = new aiVertexWeight[bone.mNumWeights + 1];
        std::copy(bone.mWeights, bone.mWeights + bone.mNumWeights, grown);
        grown[bone.mNumWeights] = aiVertexWeight(0, weights[b]);
        delete[] bone.mWeights;
        bone.mWeights = grown;
        ++bone.mNumWeights;
    }
    AnimatedMesh out;
    ASSERT_TRUE(ModelLoader::BuildAnimated(*scene, "weights.test", out));
    ExpectWeightsValid(out);
    const glm::ivec4 ids = out.boneIds[0];
    const glm::vec4 w = out.boneWeights[0];
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[1], 3);
    EXPECT_EQ(ids[2], 4);
    EXPECT_TRUE(ids[3] == 2 || ids[3] == 5) << "one of the two 0.1 weights; the 0.05 one is dropped";
    EXPECT_NEAR(w[0], 0.3f / 0.85f, 1e-6f);
    EXPECT_NEAR(w[1], 0.25f / 0.85f, 1e-6f);
    EXPECT_NEAR(w[2], 0.2f / 0.85f, 1e-6f);
    EXPECT_NEAR(w[3], 0.1f / 0.85f, 1e-6f);
}

TEST(AnimatedModelImport, AModelWithMoreBonesThanTheShaderTakesIsRefusedWithOneLine) {
    AnimatedMesh out;
    EXPECT_TRUE(ModelLoader::BuildAnimated(*test::MakeChainScene(AnimatedMesh::kMaxBones), "hundred.test", out));
    EXPECT_EQ(out.bones.size(), static_cast<size_t>(AnimatedMesh::kMaxBones));
    EXPECT_FALSE(ModelLoader::BuildAnimated(*test::MakeChainScene(AnimatedMesh::kMaxBones + 1), "many.test", out));
    EXPECT_FALSE(out.IsValid()) << "nothing of it is drawn";
    EXPECT_TRUE(out.bones.empty());
    EXPECT_EQ(test::CountLogLines("Model has too many bones: many.test"), 1);
}

TEST(AnimatedModelImport, KeysOutOfOrderAreClampedAndEmptyChannelsIgnoredWithOneLine) {
    auto scene = test::MakeChainScene(3);
    aiNodeAnim& first = *scene->mAnimations[0]->mChannels[0];
    first.mRotationKeys[1].mTime = 15.0; // 0, 15, 20 -> fine; then 20 before 15:
    first.mRotationKeys[2].mTime = 5.0;
    aiNodeAnim& second = *scene->mAnimations[0]->mChannels[1];
    second.mNumPositionKeys = second.mNumRotationKeys = second.mNumScalingKeys = 0;
    scene->mAnimations[0]->mDuration = -1.0;
    AnimatedMesh out;
    ASSERT_TRUE(ModelLoader::BuildAnimated(*scene, "keys.test", out));
    const Animation& bend = out.animations[0];
    const auto& keys = bend.channels[0].rotations;
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[1].time, 15.0);
    EXPECT_EQ(keys[2].time, 15.0) << "a key earlier than the one before it is moved up to it";
    EXPECT_EQ(bend.channelOfNode[static_cast<size_t>(NodeIndex(out, "Bone1"))], -1) << "the empty channel leaves its node";
    EXPECT_EQ(bend.duration, 20.0) << "no duration: up to the last key of any channel";
    EXPECT_EQ(test::CountLogLines("Model animation data was corrected: keys.test"), 1);
    // Posing it at any time is safe.
    std::vector<glm::mat4> bones, globals;
    for (double t : {0.0, 0.7, 1.4, 1.5, 99.0}) AnimationPose::PoseBones(out, 0, t, bones, globals);
    for (const glm::mat4& m : bones) EXPECT_FALSE(std::isnan(m[3][0]));
}

// A still model through the animated import: AnimatedSpriteRender.AModelWithoutBonesIsDrawnStill.
TEST(AnimatedModelImport, AMissingFileIsOneLine) {
    AnimatedMesh missing;
    EXPECT_FALSE(ModelLoader::ImportAnimated("/nonexistent/ghost.gltf", missing));
    EXPECT_FALSE(missing.IsValid());
    EXPECT_EQ(test::CountLogLines("Model could not be imported: /nonexistent/ghost.gltf"), 1);
}

TEST(AnimatedModelImport, AModelKeyNamesTheModelFileThenTheAssimpFormatsUserFolderFirst) {
    const fs::path documents = fs::temp_directory_path() / "zumek-model-lookup";
    fs::remove_all(documents);
    Paths::SetResourceRoot(ZUMEK_SOURCE_ROOT);
    Paths::SetDocumentsFolder(documents.string());
    const fs::path shipped = fs::path(ZUMEK_SOURCE_ROOT) / "resources" / "models";
    EXPECT_EQ(fs::path(ModelLoader::ModelPath("cube")), shipped / "cube.model");
    EXPECT_EQ(fs::path(ModelLoader::ModelPath("robot")), shipped / "robot.gltf") << "no robot.model: the glTF";
    EXPECT_EQ(fs::path(ModelLoader::ModelPath("nothing")), shipped / "nothing.model") << "none: the reader reports it";
    const fs::path user = documents / "Tovalik" / "resources" / "models";
    fs::create_directories(user);
    std::ofstream(user / "robot.dae") << "<COLLADA/>";
    std::ofstream(user / "cube.fbx") << "x";
    EXPECT_EQ(fs::path(ModelLoader::ModelPath("robot")), user / "robot.dae") << "the user's folder first";
    EXPECT_EQ(fs::path(ModelLoader::ModelPath("cube")), user / "cube.fbx");
    std::ofstream(user / "cube.model") << "x";
    EXPECT_EQ(fs::path(ModelLoader::ModelPath("cube")), user / "cube.model") << ".model before the other formats";
    fs::remove_all(documents);
}

/// The robot in the formats other tools write: glTF and binary glTF written by Assimp's
/// exporter, COLLADA and DirectX text written by tools/make-rigged-model (tests/graphics/data/),
/// and ASCII FBX written by Assimp's exporter (which keeps one key per channel, so only the
/// skeleton and the bind pose can be compared; its binary FBX it cannot read back itself).
struct RobotFile {
    const char* name;
    const char* exporter; ///< Assimp's exporter id, or null for a file of tests/graphics/data/
    const char* file;     ///< the extension to export to, or the file name in tests/graphics/data/
    bool keepsKeys;
};

class AnimatedModelFormats : public testing::TestWithParam<RobotFile> {};

TEST_P(AnimatedModelFormats, ImportAndAnimateLikeTheGltfOriginal) {
    const RobotFile format = GetParam();
    fs::path path = fs::path(ZUMEK_SOURCE_ROOT) / "tests" / "graphics" / "data" / format.file;
    if (format.exporter) {
        Assimp::Importer importer;
        const aiScene* source = importer.ReadFile(RobotPath(), 0);
        ASSERT_TRUE(source);
        path = fs::temp_directory_path() / (std::string("zumek-robot-export.") + format.file);
        std::string error;
        ASSERT_TRUE(test::ExportScene(*source, format.exporter, path.string(), error)) << error;
    }
    AnimatedMesh original, copy;
    ASSERT_TRUE(ModelLoader::ImportAnimated(RobotPath(), original));
    ASSERT_TRUE(ModelLoader::ImportAnimated(path.string(), copy));
    ExpectWeightsValid(copy);
    EXPECT_EQ(copy.bones.size(), original.bones.size());
    EXPECT_EQ(copy.indices.size(), original.indices.size()) << "the same triangles";
    ASSERT_GE(copy.animations.size(), 1u);
    EXPECT_NEAR(copy.animations[0].duration / copy.animations[0].ticksPerSecond, 2.0, 0.05);
    std::vector<double> times = {0.0};
    if (format.keepsKeys) times = {0.0, 0.5, 1.25, 2.25};
    for (const char* joint : {"ForeArm_R", "ForeArm_L", "Leg_R", "Head"}) {
        for (double t : times) {
            glm::vec3 want = JointAt(original, joint, t), got = JointAt(copy, joint, t);
            EXPECT_LT(glm::distance(want, got), 2e-3f) << joint << " at " << t << " s";
        }
    }
    // The skinned surface matches too: the same bounds of every posed vertex.
    for (double t : times) {
        auto bounds = [t](const AnimatedMesh& mesh) {
            std::vector<glm::mat4> bones, globals;
            AnimationPose::PoseBones(mesh, 0, t, bones, globals);
            glm::vec3 low(1e9f), high(-1e9f);
            for (size_t v = 0; v < mesh.vertices.positions.size(); ++v) {
                glm::mat4 skin(0.0f);
                for (int k = 0; k < 4; ++k)
                    if (mesh.boneIds[v][k] >= 0) skin += bones[static_cast<size_t>(mesh.boneIds[v][k])] * mesh.boneWeights[v][k];
                glm::vec3 p(skin * glm::vec4(mesh.vertices.positions[v], 1.0f));
                low = glm::min(low, p);
                high = glm::max(high, p);
            }
            return std::pair{low, high};
        };
        auto [wantLow, wantHigh] = bounds(original);
        auto [gotLow, gotHigh] = bounds(copy);
        EXPECT_LT(glm::distance(wantLow, gotLow) + glm::distance(wantHigh, gotHigh), 4e-3f) << "at " << t << " s";
    }
    if (format.exporter) fs::remove(path);
}

INSTANTIATE_TEST_SUITE_P(Assimp, AnimatedModelFormats,
                         testing::Values(RobotFile{"gltf", "gltf2", "gltf", true}, RobotFile{"glb", "glb2", "glb", true},
                                         RobotFile{"collada", nullptr, "robot.dae", true},
                                         RobotFile{"directx", nullptr, "robot.x", true},
                                         RobotFile{"fbx", "fbxa", "fbx", false}),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace zumek
