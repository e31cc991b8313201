// graphics/ParticleRenderer.h
#pragma once

namespace zumek {

class Particles;

/// Runs particle systems on the GPU. The particle state never returns to the CPU: a compute
/// program fills a storage buffer of count x 160 bytes (ten vec4 per particle), another advances
/// it every frame, and the draw program reads the same buffer as its vertices.
class ParticleRenderer {
public:
    static constexpr int kRecordBytes = 160;

    /// Creates the programs, the buffer and the vertex layout (once) and initialises the
    /// particles; the simulated time starts at 0. Needs a current GL context.
    static void Build(Particles& particles);
    /// Re-runs the initialisation program at the owner's position (builds first when needed).
    /// Nothing happens for a system of 0 particles.
    static void Initialize(Particles& particles);
    /// Draws the particles (additive blending is the caller's) and advances them by `dt`
    /// seconds. An inactive system is neither drawn nor advanced.
    static void Draw(Particles& particles, float dt) { Draw(particles, dt, true); }
    /// Draws them, and advances them only when `advance` (the other views of a frame with more
    /// than one - the headset's first eye - draw the particles where they are).
    static void Draw(Particles& particles, float dt, bool advance);

    /// Work groups of a dispatch over `count` particles: the compute programs run two
    /// particles per group, and an odd count needs one more group for its last particle.
    static unsigned int GroupCount(unsigned int count) { return (count + 1) / 2; }
};

} // namespace zumek
