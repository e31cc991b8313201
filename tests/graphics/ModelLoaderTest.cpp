// tests/graphics/ModelLoaderTest.cpp
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <glm/geometric.hpp>

#include "graphics/ModelLoader.h"
#include "tests/graphics/LogLines.h"

namespace zumek {
namespace {

namespace fs = std::filesystem;

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

TEST(ModelImport, TheCacheImportsEachPathOnceAndKeepsAFailureEmpty) {
    int before = ModelLoader::ImportCount();
    const MeshData& first = ModelLoader::ImportCached(Shipped("sphere"));
    const MeshData& second = ModelLoader::ImportCached(Shipped("sphere"));
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(ModelLoader::ImportCount(), before + 1) << "two sprites of one model import it once";
    EXPECT_FALSE(first.positions.empty());
    const MeshData& missing = ModelLoader::ImportCached("/nonexistent/missing.model");
    EXPECT_TRUE(missing.positions.empty());
    EXPECT_EQ(test::CountLogLines("Model could not be imported: /nonexistent/missing.model"), 1);
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

} // namespace
} // namespace zumek
