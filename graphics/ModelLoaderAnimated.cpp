// graphics/ModelLoaderAnimated.cpp
// Animated models through the import helper, and the model-file lookup.
#include "graphics/ModelLoader.h"

#include <assimp/Importer.hpp>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>

#include "content/ContentType.h"
#include "engine/EngineLog.h"
#include "graphics/AssimpImport.h"
#include "graphics/ImportProcess.h"
#include "graphics/ImportProtocol.h"

namespace zumek {
namespace {

int g_animatedImportCount = 0;

} // namespace

const std::vector<std::string>& ModelLoader::ImportExtensions() {
    static const std::vector<std::string> extensions = [] {
        std::vector<std::string> list = {"gltf", "glb", "dae", "fbx", "x"};
        std::string all;
        Assimp::Importer().GetExtensionList(all); // "*.3d;*.3ds;..."
        std::stringstream parts(all);
        std::string part;
        while (std::getline(parts, part, ';')) {
            if (part.rfind("*.", 0) == 0) part = part.substr(2);
            if (!part.empty() && part != "model" && std::find(list.begin(), list.end(), part) == list.end())
                list.push_back(part);
        }
        return list;
    }();
    return extensions;
}

std::string ModelLoader::ModelPath(const std::string& key) { return GetModelPath(key, ImportExtensions()); }

bool ModelLoader::BuildAnimated(const aiScene& scene, const std::string& path, AnimatedMesh& mesh) {
    ImportNotes notes;
    const bool built = AssimpImport::BuildAnimated(scene, path, mesh, notes);
    ReportNotes(notes);
    return built;
}

bool ModelLoader::ImportAnimated(const std::string& path, AnimatedMesh& mesh) {
    ++g_animatedImportCount;
    mesh = AnimatedMesh{};
    mesh.path = path;
    const ImportProcess::Result run = ImportProcess::Run(ImportProcess::Kind::Animated, path);
    if (!run.answered) {
        ReportProblem(Error, "Model could not be imported: " + path, run.failure);
        return false;
    }
    ImportProtocol::Answer answer;
    std::string error;
    if (!ImportProtocol::ReadAnimated(run.answer.data(), run.answer.size(), mesh, answer, error)) {
        ReportProblem(Error, "Model could not be imported: " + path, "the importer's answer is malformed: " + error);
        return false;
    }
    ReportNotes(answer.notes);
    return answer.imported;
}

const AnimatedMesh& ModelLoader::ImportAnimatedCached(const std::string& path) {
    static auto* cache = new std::map<std::string, std::unique_ptr<AnimatedMesh>>();
    auto it = cache->find(path);
    if (it != cache->end()) return *it->second;
    auto& mesh = (*cache)[path];
    mesh = std::make_unique<AnimatedMesh>();
    ImportAnimated(path, *mesh);
    return *mesh;
}

int ModelLoader::AnimatedImportCount() { return g_animatedImportCount; }

} // namespace zumek
