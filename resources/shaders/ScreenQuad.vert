// The full-screen quad of the lighting pass.
#version 410 core
layout(location = 0) in vec3 position;
out vec2 uv;

void main() {
    uv = position.xy * 0.5 + 0.5;
    gl_Position = vec4(position, 1.0);
}
