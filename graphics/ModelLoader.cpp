// graphics/ModelLoader.cpp
#include "graphics/ModelLoader.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "engine/EngineLog.h"
#include "graphics/ImportProcess.h"
#include "graphics/ImportProtocol.h"

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

void ModelLoader::ReportNotes(const ImportNotes& notes) {
    for (const ImportNote& note : notes) ReportProblem(note.level, note.text, note.detail);
}

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
    const ImportProcess::Result run = ImportProcess::Run(ImportProcess::Kind::Still, path);
    if (!run.answered) {
        ReportProblem(Error, "Model could not be imported: " + path, run.failure);
        return false;
    }
    ImportProtocol::Answer answer;
    std::string error;
    if (!ImportProtocol::ReadStill(run.answer.data(), run.answer.size(), mesh, answer, error)) {
        ReportProblem(Error, "Model could not be imported: " + path, "the importer's answer is malformed: " + error);
        return false;
    }
    ReportNotes(answer.notes);
    return answer.imported;
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
