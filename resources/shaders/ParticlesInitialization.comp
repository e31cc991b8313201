// Gravity particles, initialisation: every particle gets a spawn offset, velocity, lifetime
// and size around the initial data; ages are staggered so the fountain runs from the start.
#version 430 core
layout(local_size_x = 2) in;

struct Particle {
    vec4 position;      // xyz world position, w 1
    vec4 velocity;      // world units per second
    vec4 color;
    vec4 startColor;
    vec4 endColor;
    vec4 life;          // x age, y lifetime (seconds)
    vec4 size;          // x current, y at birth, z at death (world units)
    vec4 offset;        // spawn position relative to the emitter
    vec4 spawnVelocity;
    vec4 seed;
};
layout(std430, binding = 1) buffer ParticleBuffer {
    Particle particles[];
};

uniform int numberParticles;

// A repeatable pseudo-random number in [0, 1) for particle i, stream k.
float Random(uint i, uint k) {
    uint h = i * 747796405u + k * 2891336453u + 12345u;
    h = ((h >> ((h >> 28u) + 4u)) ^ h) * 277803737u;
    h = (h >> 22u) ^ h;
    return float(h) / 4294967296.0;
}
vec3 Random3(uint i, uint k) {
    return vec3(Random(i, k), Random(i, k + 1u), Random(i, k + 2u));
}
struct InitialData {
    vec4 pos;
    vec4 posRange;
    vec4 startColor;
    vec4 endColor;
    vec4 velocity;
    vec4 velocityRange;
    vec4 life;
    vec4 lifeRange;
    vec4 size;
    vec4 sizeRange;
};
uniform InitialData initialData;

void main() {
    uint i = gl_GlobalInvocationID.x;
    if (gl_GlobalInvocationID.y != 0u || i >= uint(numberParticles)) return;
    Particle p;
    p.offset = vec4((Random3(i, 0u) * 2.0 - 1.0) * initialData.posRange.xyz, 0.0);
    p.spawnVelocity = vec4(initialData.velocity.xyz + (Random3(i, 3u) * 2.0 - 1.0) * initialData.velocityRange.xyz, 0.0);
    float lifetime = max(initialData.life.x + Random(i, 6u) * initialData.lifeRange.x, 0.05);
    float age = Random(i, 7u) * lifetime;
    p.life = vec4(age, lifetime, 0.0, 0.0);
    float birthSize = max(initialData.size.x + Random(i, 8u) * initialData.sizeRange.x, 0.0);
    p.size = vec4(birthSize, birthSize, max(initialData.size.y, 0.0), 0.0);
    p.startColor = initialData.startColor;
    p.endColor = initialData.endColor;
    p.color = mix(p.startColor, p.endColor, age / lifetime);
    p.velocity = p.spawnVelocity;
    p.position = vec4(initialData.pos.xyz + p.offset.xyz + p.spawnVelocity.xyz * age, 1.0);
    p.seed = vec4(Random(i, 9u), 0.0, 0.0, 0.0);
    particles[i] = p;
}
