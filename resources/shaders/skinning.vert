// Skinned meshes: up to four bones per vertex (weights summing to 1); the outputs match
// GBuffer.frag's inputs. kMaxBones is AnimatedMesh::kMaxBones.
#version 410 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in vec3 normal;
layout(location = 3) in vec3 tangent;
layout(location = 4) in vec3 bitangent;
layout(location = 5) in ivec4 boneIds;
layout(location = 6) in vec4 boneWeights;

const int kMaxBones = 100;
uniform mat4 gBones[kMaxBones];
uniform int numberBones;
uniform mat4 V;
uniform mat4 M;
uniform mat4 NormalMatrix;
uniform mat4 MVP;

out vec3 worldPosition;
out vec2 uv;
out vec3 worldNormal;
out vec3 worldTangent;
out vec3 worldBitangent;
out vec3 eyeVector;

void main() {
    // numberBones 0: a still model. A vertex no bone holds stays where the model put it.
    mat4 skin = mat4(1.0);
    if (numberBones > 0) {
        mat4 sum = mat4(0.0);
        float total = 0.0;
        for (int i = 0; i < 4; ++i) {
            if (boneIds[i] >= 0 && boneIds[i] < numberBones) {
                sum += gBones[boneIds[i]] * boneWeights[i];
                total += boneWeights[i];
            }
        }
        if (total > 0.0001) skin = sum / total;
    }
    vec4 local = skin * vec4(position, 1.0);
    worldPosition = vec3(M * local);
    uv = texCoord;
    worldNormal = mat3(NormalMatrix) * mat3(skin) * normal;
    worldTangent = mat3(M) * mat3(skin) * tangent;
    worldBitangent = mat3(M) * mat3(skin) * bitangent;
    eyeVector = vec3(inverse(V) * vec4(0.0, 0.0, 0.0, 1.0)) - worldPosition;
    gl_Position = MVP * local;
}
