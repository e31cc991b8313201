// tests/graphics/RiggedScene.cpp
#include "tests/graphics/RiggedScene.h"

#include <assimp/Exporter.hpp>
#include <assimp/material.h>

#include <cmath>
#include <string>

namespace zumek::test {

std::unique_ptr<aiScene> MakeChainScene(int bones, float angle) {
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode("Root");
    scene->mNumMaterials = 1;
    scene->mMaterials = new aiMaterial*[1]{new aiMaterial()};

    auto* mesh = new aiMesh();
    mesh->mName = "Chain";
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = static_cast<unsigned>(3 * bones);
    mesh->mVertices = new aiVector3D[mesh->mNumVertices];
    mesh->mNormals = new aiVector3D[mesh->mNumVertices];
    mesh->mNumFaces = static_cast<unsigned>(bones);
    mesh->mFaces = new aiFace[mesh->mNumFaces];
    mesh->mNumBones = static_cast<unsigned>(bones);
    mesh->mBones = new aiBone*[mesh->mNumBones];
    for (int i = 0; i < bones; ++i) {
        const auto y = static_cast<float>(i);
        const unsigned v = static_cast<unsigned>(3 * i);
        mesh->mVertices[v] = aiVector3D(-0.2f, y, 0.0f);
        mesh->mVertices[v + 1] = aiVector3D(0.2f, y, 0.0f);
        mesh->mVertices[v + 2] = aiVector3D(0.0f, y + 1.0f, 0.0f);
        for (unsigned k = 0; k < 3; ++k) mesh->mNormals[v + k] = aiVector3D(0.0f, 0.0f, 1.0f);
        mesh->mFaces[i].mNumIndices = 3;
        mesh->mFaces[i].mIndices = new unsigned[3]{v, v + 1, v + 2};
        auto* bone = new aiBone();
        bone->mName = "Bone" + std::to_string(i);
        aiMatrix4x4::Translation(aiVector3D(0.0f, -y, 0.0f), bone->mOffsetMatrix);
        bone->mNumWeights = 3;
        bone->mWeights = new aiVertexWeight[3]{{v, 1.0f}, {v + 1, 1.0f}, {v + 2, 1.0f}};
        mesh->mBones[i] = bone;
    }
    scene->mNumMeshes = 1;
    scene->mMeshes = new aiMesh*[1]{mesh};

    // Root holds the mesh node and the bone chain.
    auto* meshNode = new aiNode("ChainMesh");
    meshNode->mNumMeshes = 1;
    meshNode->mMeshes = new unsigned[1]{0};
    auto* first = new aiNode("Bone0");
    aiNode* parent = first;
    for (int i = 1; i < bones; ++i) {
        auto* node = new aiNode("Bone" + std::to_string(i));
        aiMatrix4x4::Translation(aiVector3D(0.0f, 1.0f, 0.0f), node->mTransformation);
        parent->addChildren(1, &node);
        parent = node;
    }
    aiNode* top[2] = {meshNode, first};
    scene->mRootNode->addChildren(2, top);

    auto* animation = new aiAnimation();
    animation->mName = "Bend";
    animation->mDuration = 20.0;
    animation->mTicksPerSecond = 10.0;
    animation->mNumChannels = static_cast<unsigned>(bones);
    animation->mChannels = new aiNodeAnim*[animation->mNumChannels];
    for (int i = 0; i < bones; ++i) {
        auto* channel = new aiNodeAnim();
        channel->mNodeName = "Bone" + std::to_string(i);
        const float y = i == 0 ? 0.0f : 1.0f;
        channel->mNumPositionKeys = 1;
        channel->mPositionKeys = new aiVectorKey[1]{aiVectorKey(0.0, aiVector3D(0.0f, y, 0.0f))};
        channel->mNumRotationKeys = 3;
        channel->mRotationKeys = new aiQuatKey[3]{
            aiQuatKey(0.0, aiQuaternion(aiVector3D(0, 0, 1), 0.0f)),
            aiQuatKey(10.0, aiQuaternion(aiVector3D(0, 0, 1), angle)),
            aiQuatKey(20.0, aiQuaternion(aiVector3D(0, 0, 1), 0.0f))};
        channel->mNumScalingKeys = 1;
        channel->mScalingKeys = new aiVectorKey[1]{aiVectorKey(0.0, aiVector3D(1.0f))};
        animation->mChannels[i] = channel;
    }
    scene->mNumAnimations = 1;
    scene->mAnimations = new aiAnimation*[1]{animation};
    return scene;
}

bool ExportScene(const aiScene& scene, const std::string& formatId, const std::string& path, std::string& error) {
    Assimp::Exporter exporter;
    if (exporter.Export(&scene, formatId, path) != AI_SUCCESS) {
        error = exporter.GetErrorString();
        return false;
    }
    return true;
}

} // namespace zumek::test
