// Laser particles, per frame: each spark sits at its own fraction of the beam, drifts a little
// and fades; at the end of its life it reappears at a new place on the beam.
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
uniform float time;            // seconds since the system was built
uniform float dt;              // seconds of this frame
uniform vec3 parameters[8];    // [0] follows the emitter; the rest are the scripts'
uniform vec3 basePosition;     // the emitter's position when the system was initialised

void main() {
    uint i = gl_GlobalInvocationID.x;
    if (i >= uint(numberParticles)) return;
    Particle p = particles[i];
    if (p.life.y <= 0.0) return;
    p.life.x += dt;
    if (p.life.x >= p.life.y) {
        p.life.x = mod(p.life.x, p.life.y);
        p.offset.w = fract(p.offset.w + 0.618034);
        p.velocity = p.spawnVelocity;
    }
    vec3 along = mix(parameters[0], parameters[1], p.offset.w);
    p.position = vec4(along + p.offset.xyz * 0.1 + p.velocity.xyz * p.life.x, 1.0);
    float t = p.life.x / p.life.y;
    p.color = mix(p.startColor, p.endColor, t);
    p.size.x = p.size.y * (1.0 - 0.5 * t);
    particles[i] = p;
}
