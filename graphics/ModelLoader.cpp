// graphics/ModelLoader.cpp
#include "graphics/ModelLoader.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "engine/EngineLog.h"

namespace zumek {
namespace {

int g_importCount = 0;

/// Tangent and bitangent of one triangle from its positions and texture coordinates:
/// with e1 = p1 - p0, e2 = p2 - p0, d1 = uv1 - uv0, d2 = uv2 - uv0 and r = 1 / (d1.x d2.y - d2.x d1.y),
/// T = (e1 d2.y - e2 d1.y) r and B = (e2 d1.x - e1 d2.x) r. A degenerate mapping (r infinite)
/// gives zero vectors instead of infinities.
void AppendTangents(MeshData& mesh, size_t first) {
    const glm::vec3 e1 = mesh.positions[first + 1] - mesh.positions[first];
    const glm::vec3 e2 = mesh.positions[first + 2] - mesh.positions[first];
    const glm::vec2 d1 = mesh.uvs[first + 1] - mesh.uvs[first];
    const glm::vec2 d2 = mesh.uvs[first + 2] - mesh.uvs[first];
    float det = d1.x * d2.y - d2.x * d1.y;
    float r = det != 0.0f ? 1.0f / det : 0.0f;
    glm::vec3 tangent = (e1 * d2.y - e2 * d1.y) * r;
    glm::vec3 bitangent = (e2 * d1.x - e1 * d2.x) * r;
    for (int i = 0; i < 3; ++i) {
        mesh.tangents.push_back(tangent);
        mesh.bitangents.push_back(bitangent);
    }
}

} // namespace

bool ModelLoader::ReadText(const std::string& path, MeshData& mesh) {
    mesh = MeshData{};
    EngineLog::Instance().WriteInfo("Loading file " + path);
    std::ifstream in(path);
    if (!in) {
        ReportProblem(Error, "Failed to loade file " + path);
        return false;
    }
    std::vector<glm::vec3> positions, normals;
    std::vector<glm::vec2> uvs;
    std::vector<int> corners; // position, uv, normal index triples, 1-based
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& what) {
        ReportProblem(Error, "File cannot be read: " + path, "line " + std::to_string(lineNumber) + ": " + what);
        mesh = MeshData{};
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNumber;
        std::istringstream words(line);
        std::string token;
        if (!(words >> token)) continue;
        if (token == "v" || token == "vn") {
            glm::vec3 v;
            if (!(words >> v.x >> v.y >> v.z)) return fail("'" + token + "' needs 3 numbers");
            (token == "v" ? positions : normals).push_back(v);
        } else if (token == "vt") {
            glm::vec2 t;
            if (!(words >> t.x >> t.y)) return fail("'vt' needs 2 numbers");
            uvs.push_back(t);
        } else if (token == "f") {
            int v[9];
            char rest[2];
            std::string tail = line.substr(line.find('f') + 1);
            if (std::sscanf(tail.c_str(), "%d/%d/%d %d/%d/%d %d/%d/%d %1s", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                            &v[6], &v[7], &v[8], rest) != 9)
                return fail("a face needs exactly three corners position/uv/normal");
            corners.insert(corners.end(), v, v + 9);
        }
        // Anything else (comments, groups, materials) is skipped.
    }
    for (size_t i = 0; i < corners.size(); i += 3) {
        int p = corners[i], t = corners[i + 1], n = corners[i + 2];
        if (p < 1 || p > static_cast<int>(positions.size()) || t < 1 || t > static_cast<int>(uvs.size()) || n < 1 ||
            n > static_cast<int>(normals.size()))
            return fail("face index out of range");
        mesh.positions.push_back(positions[static_cast<size_t>(p - 1)]);
        mesh.uvs.push_back(uvs[static_cast<size_t>(t - 1)]);
        mesh.normals.push_back(normals[static_cast<size_t>(n - 1)]);
    }
    for (size_t first = 0; first + 2 < mesh.positions.size(); first += 3) AppendTangents(mesh, first);
    return true;
}

bool ModelLoader::Import(const std::string& path, MeshData& mesh) {
    mesh = MeshData{};
    ++g_importCount;
    constexpr unsigned kFlags = aiProcess_CalcTangentSpace | aiProcess_Triangulate | aiProcess_GenSmoothNormals |
                                aiProcess_GenUVCoords | aiProcess_TransformUVCoords | aiProcess_OptimizeMeshes |
                                aiProcess_OptimizeGraph | aiProcess_FlipUVs;
    static_assert(kFlags == 0xEC0049u);
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, kFlags);
    if (!scene) {
        // ".model" is not an extension Assimp knows; the files are OBJ text, so say so.
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            scene = importer.ReadFileFromMemory(text.data(), text.size(), kFlags, "obj");
        }
    }
    if (!scene || !scene->mRootNode) {
        ReportProblem(Error, "Model could not be imported: " + path, importer.GetErrorString());
        return false;
    }
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* source = scene->mMeshes[m];
        for (unsigned f = 0; f < source->mNumFaces; ++f) {
            const aiFace& face = source->mFaces[f];
            if (face.mNumIndices != 3) {
                // Points and lines survive triangulation; they are not part of a surface.
                ReportProblem(Warning, "Face.mNumIndices == 3", path);
                continue;
            }
            for (unsigned k = 0; k < 3; ++k) {
                unsigned i = face.mIndices[k];
                const aiVector3D& p = source->mVertices[i];
                mesh.positions.emplace_back(p.x, p.y, p.z);
                glm::vec2 uv(0.0f);
                if (source->HasTextureCoords(0)) uv = {source->mTextureCoords[0][i].x, source->mTextureCoords[0][i].y};
                mesh.uvs.push_back(uv);
                glm::vec3 normal(0.0f), tangent(0.0f), bitangent(0.0f);
                if (source->HasNormals()) normal = {source->mNormals[i].x, source->mNormals[i].y, source->mNormals[i].z};
                if (source->HasTangentsAndBitangents()) {
                    tangent = {source->mTangents[i].x, source->mTangents[i].y, source->mTangents[i].z};
                    bitangent = {source->mBitangents[i].x, source->mBitangents[i].y, source->mBitangents[i].z};
                }
                mesh.normals.push_back(normal);
                mesh.tangents.push_back(tangent);
                mesh.bitangents.push_back(bitangent);
            }
        }
    }
    return true;
}

const MeshData& ModelLoader::ImportCached(const std::string& path) {
    static auto* cache = new std::map<std::string, MeshData>();
    auto it = cache->find(path);
    if (it != cache->end()) return it->second;
    MeshData& mesh = (*cache)[path];
    Import(path, mesh);
    return mesh;
}

int ModelLoader::ImportCount() { return g_importCount; }

} // namespace zumek
