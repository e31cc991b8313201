// The sprite program's vertex stage: world-space attributes for the G-buffer.
#version 410 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in vec3 normal;
layout(location = 3) in vec3 tangent;
layout(location = 4) in vec3 bitangent;

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
    vec4 world = M * vec4(position, 1.0);
    worldPosition = world.xyz;
    uv = texCoord;
    worldNormal = mat3(NormalMatrix) * normal;
    worldTangent = mat3(M) * tangent;
    worldBitangent = mat3(M) * bitangent;
    // The camera sits at the origin of view space.
    vec3 eye = vec3(inverse(V) * vec4(0.0, 0.0, 0.0, 1.0));
    eyeVector = eye - worldPosition;
    gl_Position = MVP * vec4(position, 1.0);
}
