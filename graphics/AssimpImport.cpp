// graphics/AssimpImport.cpp
// Assimp's side of model import: still meshes per face corner, animated meshes with their
// skeleton and animations. Runs in the import helper (tools/import/ImportMain.cpp).
#include "graphics/AssimpImport.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <unordered_map>

#include <glm/gtc/type_ptr.hpp>

namespace zumek {
namespace {

glm::mat4 ToGlm(const aiMatrix4x4& m) {
    // Assimp's matrices are row-major, glm's column-major.
    return glm::transpose(glm::make_mat4(&m.a1));
}

glm::quat ToGlm(const aiQuaternion& q) { return glm::quat(q.w, q.x, q.y, q.z); }

/// The part of a texture path after its last separator: textures are looked up by file name
/// below resources/textures/. Embedded textures ("*0") are not used.
std::string TextureKey(const aiMaterial& material) {
    aiString path;
    for (aiTextureType type : {aiTextureType_DIFFUSE, aiTextureType_BASE_COLOR}) {
        if (material.GetTexture(type, 0, &path) != AI_SUCCESS) continue;
        std::string text = path.C_Str();
        if (text.empty() || text[0] == '*') return {};
        size_t slash = text.find_last_of("/\\");
        return slash == std::string::npos ? text : text.substr(slash + 1);
    }
    return {};
}

glm::vec3 MaterialColor(const aiMaterial& material) {
    aiColor4D color(1.0f, 1.0f, 1.0f, 1.0f);
    if (material.Get(AI_MATKEY_BASE_COLOR, color) != AI_SUCCESS) material.Get(AI_MATKEY_COLOR_DIFFUSE, color);
    return glm::vec3(color.r, color.g, color.b);
}

/// Builds the AnimatedMesh of one scene; collects the problems of the file for one log line.
class AnimatedMeshBuilder {
public:
    AnimatedMeshBuilder(const aiScene& scene, AnimatedMesh& mesh) : m_scene(scene), m_mesh(mesh) {}

    bool Build();
    const std::string& Problem() const { return m_problem; }
    int ProblemCount() const { return m_problemCount; }

private:
    void AddNodes(const aiNode& node, int parent, const glm::mat4& parentGlobal);
    void AddMesh(const aiMesh& source, int node, const glm::mat4& global, bool rigged);
    int BoneFor(const aiBone& bone);
    void AddAnimation(const aiAnimation& source);
    void Note(const std::string& problem) {
        if (m_problemCount++ == 0) m_problem = problem;
    }

    const aiScene& m_scene;
    AnimatedMesh& m_mesh;
    std::unordered_map<std::string, int> m_nodeByName;
    std::vector<std::pair<int, glm::mat4>> m_meshPlacement; ///< per scene mesh: first node using it, its transform
    std::unordered_map<int, int> m_rigidBoneOfNode;
    std::string m_problem;
    int m_problemCount = 0;
};

void AnimatedMeshBuilder::AddNodes(const aiNode& node, int parent, const glm::mat4& parentGlobal) {
    const int index = static_cast<int>(m_mesh.nodes.size());
    SkeletonNode entry;
    entry.name = node.mName.C_Str();
    entry.parent = parent;
    entry.transform = ToGlm(node.mTransformation);
    aiVector3D scale, position;
    aiQuaternion rotation;
    node.mTransformation.Decompose(scale, rotation, position);
    entry.translation = glm::vec3(position.x, position.y, position.z);
    entry.rotation = ToGlm(rotation);
    entry.scale = glm::vec3(scale.x, scale.y, scale.z);
    const glm::mat4 global = parentGlobal * entry.transform;
    m_nodeByName.emplace(entry.name, index); // the first node of a name wins, as bones and channels expect
    m_mesh.nodes.push_back(std::move(entry));
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
        unsigned meshIndex = node.mMeshes[m];
        if (meshIndex < m_meshPlacement.size() && m_meshPlacement[meshIndex].first < 0)
            m_meshPlacement[meshIndex] = {index, global};
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c) AddNodes(*node.mChildren[c], index, global);
}

int AnimatedMeshBuilder::BoneFor(const aiBone& source) {
    const std::string name = source.mName.C_Str();
    const glm::mat4 offset = ToGlm(source.mOffsetMatrix);
    // The same bone in several meshes is one bone, unless the meshes were bound differently.
    for (size_t b = 0; b < m_mesh.bones.size(); ++b)
        if (m_mesh.bones[b].name == name && m_mesh.bones[b].offset == offset) return static_cast<int>(b);
    Bone bone;
    bone.name = name;
    bone.offset = offset;
    auto node = m_nodeByName.find(name);
    if (node != m_nodeByName.end()) bone.node = node->second;
    else Note("bone '" + name + "' has no node; it stays in its bind pose");
    m_mesh.bones.push_back(std::move(bone));
    return static_cast<int>(m_mesh.bones.size()) - 1;
}

void AnimatedMeshBuilder::AddMesh(const aiMesh& source, int node, const glm::mat4& global, bool rigged) {
    AnimatedSubMesh part;
    part.baseVertex = static_cast<unsigned>(m_mesh.vertices.positions.size());
    part.baseIndex = static_cast<unsigned>(m_mesh.indices.size());
    if (source.mMaterialIndex < m_scene.mNumMaterials) {
        part.texture = TextureKey(*m_scene.mMaterials[source.mMaterialIndex]);
        part.color = MaterialColor(*m_scene.mMaterials[source.mMaterialIndex]);
    }
    // A still model's parts are placed by their nodes now. In a rigged or animated model a part
    // without bones follows its node through a bone of its own (offset: the identity).
    const bool place = !rigged;
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(global)));
    MeshData& v = m_mesh.vertices;
    for (unsigned i = 0; i < source.mNumVertices; ++i) {
        glm::vec3 p(source.mVertices[i].x, source.mVertices[i].y, source.mVertices[i].z);
        glm::vec3 n(0.0f), t(0.0f), b(0.0f);
        if (source.HasNormals()) n = {source.mNormals[i].x, source.mNormals[i].y, source.mNormals[i].z};
        if (source.HasTangentsAndBitangents()) {
            t = {source.mTangents[i].x, source.mTangents[i].y, source.mTangents[i].z};
            b = {source.mBitangents[i].x, source.mBitangents[i].y, source.mBitangents[i].z};
        }
        if (place) {
            p = glm::vec3(global * glm::vec4(p, 1.0f));
            n = normalMatrix * n;
            t = glm::mat3(global) * t;
            b = glm::mat3(global) * b;
        }
        v.positions.push_back(p);
        v.normals.push_back(n);
        v.tangents.push_back(t);
        v.bitangents.push_back(b);
        glm::vec2 uv(0.0f);
        if (source.HasTextureCoords(0)) uv = {source.mTextureCoords[0][i].x, source.mTextureCoords[0][i].y};
        v.uvs.push_back(uv);
    }
    // Every weight of every vertex, then the strongest four, renormalised.
    std::vector<std::vector<std::pair<float, int>>> influences(source.mNumVertices);
    if (rigged && source.mNumBones == 0) {
        auto [it, added] = m_rigidBoneOfNode.try_emplace(node, static_cast<int>(m_mesh.bones.size()));
        if (added) m_mesh.bones.push_back({m_mesh.nodes[static_cast<size_t>(node)].name, node, glm::mat4(1.0f)});
        for (auto& list : influences) list.emplace_back(1.0f, it->second);
    }
    for (unsigned k = 0; k < source.mNumBones; ++k) {
        const aiBone& bone = *source.mBones[k];
        const int index = BoneFor(bone);
        for (unsigned w = 0; w < bone.mNumWeights; ++w) {
            const aiVertexWeight& weight = bone.mWeights[w];
            if (weight.mVertexId < source.mNumVertices && weight.mWeight > 0.0f)
                influences[weight.mVertexId].emplace_back(weight.mWeight, index);
        }
    }
    for (auto& list : influences) {
        const size_t keep = std::min<size_t>(list.size(), AnimatedMesh::kWeightsPerVertex);
        std::partial_sort(list.begin(), list.begin() + static_cast<long>(keep), list.end(),
                          [](const auto& a, const auto& b) { return a.first > b.first; });
        glm::ivec4 ids(-1);
        glm::vec4 weights(0.0f);
        float sum = 0.0f;
        for (size_t j = 0; j < keep; ++j) sum += list[j].first;
        for (size_t j = 0; j < keep && sum > 0.0f; ++j) {
            ids[static_cast<int>(j)] = list[j].second;
            weights[static_cast<int>(j)] = list[j].first / sum;
        }
        m_mesh.boneIds.push_back(ids);
        m_mesh.boneWeights.push_back(weights);
    }
    for (unsigned f = 0; f < source.mNumFaces; ++f) {
        const aiFace& face = source.mFaces[f];
        if (face.mNumIndices != 3) continue; // points and lines are not part of a surface
        bool inside = true;
        for (unsigned k = 0; k < 3; ++k) inside = inside && face.mIndices[k] < source.mNumVertices;
        if (!inside) {
            Note("a face of mesh '" + std::string(source.mName.C_Str()) + "' points past its vertices");
            continue;
        }
        m_mesh.indices.insert(m_mesh.indices.end(), face.mIndices, face.mIndices + 3);
    }
    part.indexCount = static_cast<unsigned>(m_mesh.indices.size()) - part.baseIndex;
    if (part.indexCount > 0) m_mesh.subMeshes.push_back(part);
}

/// Copies keys, clamping each time to at least the one before it; true when one had to be.
template <class Key, class Source, class Convert>
bool CopyKeys(const Source* source, unsigned count, std::vector<Key>& keys, Convert convert) {
    bool clamped = false;
    keys.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        Key key;
        key.time = source[i].mTime;
        key.value = convert(source[i].mValue);
        if (!keys.empty() && !(key.time > keys.back().time)) {
            clamped = true;
            key.time = keys.back().time;
        }
        keys.push_back(key);
    }
    return clamped;
}

void AnimatedMeshBuilder::AddAnimation(const aiAnimation& source) {
    Animation animation;
    animation.name = source.mName.C_Str();
    animation.duration = source.mDuration;
    // Assimp's convention for files that give no rate.
    animation.ticksPerSecond = source.mTicksPerSecond > 0.0 ? source.mTicksPerSecond : 25.0;
    animation.channelOfNode.assign(m_mesh.nodes.size(), -1);
    double lastKey = 0.0;
    auto vec = [](const aiVector3D& v) { return glm::vec3(v.x, v.y, v.z); };
    for (unsigned c = 0; c < source.mNumChannels; ++c) {
        const aiNodeAnim& in = *source.mChannels[c];
        const std::string where = "animation '" + animation.name + "' channel '" + in.mNodeName.C_Str() + "'";
        auto node = m_nodeByName.find(in.mNodeName.C_Str());
        if (node == m_nodeByName.end()) {
            Note(where + " names no node");
            continue;
        }
        if (in.mNumPositionKeys + in.mNumRotationKeys + in.mNumScalingKeys == 0) {
            Note(where + " has no keys; its node stays as it is");
            continue;
        }
        AnimationChannel channel;
        channel.node = node->second;
        bool clamped = CopyKeys(in.mPositionKeys, in.mNumPositionKeys, channel.translations, vec);
        clamped |= CopyKeys(in.mRotationKeys, in.mNumRotationKeys, channel.rotations, [](const aiQuaternion& q) { return ToGlm(q); });
        clamped |= CopyKeys(in.mScalingKeys, in.mNumScalingKeys, channel.scales, vec);
        if (clamped) Note(where + " has keys out of order or at the same time; their times are clamped");
        for (auto* keys : {&channel.translations, &channel.scales})
            if (!keys->empty()) lastKey = std::max(lastKey, keys->back().time);
        if (!channel.rotations.empty()) lastKey = std::max(lastKey, channel.rotations.back().time);
        if (animation.channelOfNode[static_cast<size_t>(channel.node)] < 0)
            animation.channelOfNode[static_cast<size_t>(channel.node)] = static_cast<int>(animation.channels.size());
        animation.channels.push_back(std::move(channel));
    }
    if (!(animation.duration > 0.0)) {
        Note("animation '" + animation.name + "' has no duration; its last key is used");
        animation.duration = lastKey;
    }
    m_mesh.animations.push_back(std::move(animation));
}

bool AnimatedMeshBuilder::Build() {
    if (!m_scene.mRootNode) return false;
    m_meshPlacement.assign(m_scene.mNumMeshes, {-1, glm::mat4(1.0f)});
    AddNodes(*m_scene.mRootNode, -1, glm::mat4(1.0f));
    bool rigged = m_scene.mNumAnimations > 0;
    for (unsigned m = 0; m < m_scene.mNumMeshes; ++m) rigged = rigged || m_scene.mMeshes[m]->mNumBones > 0;
    for (unsigned m = 0; m < m_scene.mNumMeshes; ++m) {
        auto [node, global] = m_meshPlacement[m];
        if (node < 0) continue; // a mesh no node shows
        AddMesh(*m_scene.mMeshes[m], node, global, rigged);
    }
    for (unsigned a = 0; a < m_scene.mNumAnimations; ++a) AddAnimation(*m_scene.mAnimations[a]);
    return true;
}


/// The file as text, for the OBJ retry; empty when it cannot be read.
std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

namespace AssimpImport {

bool ReadStill(const std::string& path, MeshData& mesh, ImportNotes& notes) {
    mesh = MeshData{};
    constexpr unsigned kFlags = aiProcess_CalcTangentSpace | aiProcess_Triangulate | aiProcess_GenSmoothNormals |
                                aiProcess_GenUVCoords | aiProcess_TransformUVCoords | aiProcess_OptimizeMeshes |
                                aiProcess_OptimizeGraph | aiProcess_FlipUVs;
    static_assert(kFlags == 0xEC0049u);
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, kFlags);
    if (!scene) {
        // ".model" is not an extension Assimp knows; the files are OBJ text, so say so.
        const std::string text = ReadWhole(path);
        if (!text.empty()) scene = importer.ReadFileFromMemory(text.data(), text.size(), kFlags, "obj");
    }
    if (!scene || !scene->mRootNode) {
        notes.push_back({Error, "Model could not be imported: " + path, importer.GetErrorString()});
        return false;
    }
    bool reportedFace = false;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* source = scene->mMeshes[m];
        for (unsigned f = 0; f < source->mNumFaces; ++f) {
            const aiFace& face = source->mFaces[f];
            if (face.mNumIndices != 3) {
                // Points and lines survive triangulation; they are not part of a surface.
                if (!reportedFace) notes.push_back({Warning, "Face.mNumIndices == 3", path});
                reportedFace = true;
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

bool BuildAnimated(const aiScene& scene, const std::string& path, AnimatedMesh& mesh, ImportNotes& notes) {
    mesh = AnimatedMesh{};
    mesh.path = path;
    AnimatedMeshBuilder builder(scene, mesh);
    if (!builder.Build() || !mesh.IsValid()) {
        notes.push_back({Error, "Model could not be imported: " + path, "it has no triangles"});
        mesh = AnimatedMesh{};
        mesh.path = path;
        return false;
    }
    if (mesh.bones.size() > static_cast<size_t>(AnimatedMesh::kMaxBones)) {
        notes.push_back({Error, "Model has too many bones: " + path,
                         std::to_string(mesh.bones.size()) + " bones, the skinning shader takes " +
                             std::to_string(AnimatedMesh::kMaxBones)});
        mesh = AnimatedMesh{};
        mesh.path = path;
        return false;
    }
    if (builder.ProblemCount() > 0) {
        std::string detail = builder.Problem();
        if (builder.ProblemCount() > 1) detail += " (and " + std::to_string(builder.ProblemCount() - 1) + " more)";
        notes.push_back({Warning, "Model animation data was corrected: " + path, detail});
    }
    return true;
}

bool ReadAnimated(const std::string& path, AnimatedMesh& mesh, ImportNotes& notes) {
    mesh = AnimatedMesh{};
    mesh.path = path;
    constexpr unsigned kFlags = aiProcess_Triangulate | aiProcess_JoinIdenticalVertices | aiProcess_GenSmoothNormals |
                                aiProcess_CalcTangentSpace | aiProcess_GenUVCoords | aiProcess_TransformUVCoords |
                                aiProcess_FlipUVs;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, kFlags);
    if (!scene && path.size() > 6 && path.compare(path.size() - 6, 6, ".model") == 0) {
        // ".model" is not an extension Assimp knows; those files are OBJ text.
        const std::string text = ReadWhole(path);
        if (!text.empty()) scene = importer.ReadFileFromMemory(text.data(), text.size(), kFlags, "obj");
    }
    if (!scene || !scene->mRootNode) {
        notes.push_back({Error, "Model could not be imported: " + path, importer.GetErrorString()});
        return false;
    }
    return BuildAnimated(*scene, path, mesh, notes);
}

} // namespace AssimpImport

} // namespace zumek
