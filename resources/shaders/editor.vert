// The overlay (caption) vertices: client pixels, y down.
#version 410 core
uniform mat4 ProjMtx;
in vec2 Position;
in vec2 UV;
in vec4 Color;
out vec2 fragUv;
out vec4 fragColor;

void main() {
    fragUv = UV;
    fragColor = Color;
    gl_Position = ProjMtx * vec4(Position, 0.0, 1.0);
}
