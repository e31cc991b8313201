// A point light's volume: the sphere around the light.
#version 410 core
layout(location = 0) in vec3 position;

uniform mat4 V;
uniform mat4 M;
uniform mat4 NormalMatrix;
uniform mat4 MVP;

void main() {
    gl_Position = MVP * vec4(position, 1.0);
}
