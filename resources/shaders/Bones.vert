// The bone marker (a procedural cone): position, normal, texture coordinate interleaved.
#version 410 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texCoord;
uniform mat4 M;
uniform mat4 MVP;
uniform mat4 NormalMatrix;
out vec3 worldPosition;
out vec3 worldNormal;

void main() {
    worldPosition = vec3(M * vec4(position, 1.0));
    worldNormal = mat3(NormalMatrix) * normal;
    gl_Position = MVP * vec4(position, 1.0);
}
