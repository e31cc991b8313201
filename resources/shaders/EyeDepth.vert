// A triangle that covers the whole target, from the vertex number alone (no vertex buffer).
#version 410 core
out vec2 uv;

void main() {
    vec2 corner = vec2((gl_VertexID << 1) & 2, gl_VertexID & 2);
    uv = corner;
    gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
