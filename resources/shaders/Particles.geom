// Expands each particle into a camera-facing square of its size.
#version 430 core
layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 P;
in vec4 vertexColor[];
in float vertexSize[];
out vec4 particleColor;
out vec2 particleUv;

void main() {
    float halfSize = vertexSize[0] * 0.5;
    if (halfSize <= 0.0) return;
    vec4 centre = gl_in[0].gl_Position;
    const vec2 corners[4] = vec2[](vec2(-1, -1), vec2(1, -1), vec2(-1, 1), vec2(1, 1));
    for (int i = 0; i < 4; ++i) {
        particleColor = vertexColor[0];
        particleUv = corners[i] * 0.5 + 0.5;
        gl_Position = P * (centre + vec4(corners[i] * halfSize, 0.0, 0.0));
        EmitVertex();
    }
    EndPrimitive();
}
