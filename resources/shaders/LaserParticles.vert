// Laser particles: drawn like every particle system (see Particles.vert for the record).
// compute programs write. Record: 0 position, 1 velocity, 2 colour, 3 start colour,
// 4 end colour, 5 life (x age, y lifetime, seconds), 6 size (x current, world units),
// 7 spawn offset, 8 spawn velocity, 9 seed.
#version 430 core
layout(location = 0) in vec4 position;
layout(location = 2) in vec4 color;
layout(location = 5) in vec4 life;
layout(location = 6) in vec4 size;

uniform mat4 V;
uniform mat4 M; // particles live in world coordinates: the emitter's matrix is not applied
uniform mat4 P;

out vec4 vertexColor;
out float vertexSize;

void main() {
    bool alive = life.y > 0.0 && life.x >= 0.0 && life.x < life.y;
    vertexColor = color;
    vertexSize = alive ? size.x : 0.0;
    gl_Position = V * vec4(position.xyz, 1.0);
}
