// graphics/ParticlesGpu.h
#pragma once
#include <glm/vec4.hpp>

namespace zumek {

/// The GL side of one particle system: its three programs, the particle storage buffer (also
/// its vertex buffer), uniform locations. A copy starts empty; destruction deletes the buffer.
struct ParticlesGpu {
    ParticlesGpu() = default;
    ParticlesGpu(const ParticlesGpu&) {}
    ParticlesGpu& operator=(const ParticlesGpu&) = delete;
    ~ParticlesGpu();

    bool built = false;
    unsigned int vertexArray = 0;
    unsigned int particleBuffer = 0;
    unsigned int drawProgram = 0;
    unsigned int updateProgram = 0;
    unsigned int initProgram = 0;
    unsigned int texture = 0;
    glm::vec4 initialPosition{0.0f, 0.0f, 0.0f, 1.0f};
    int drawTexture = -1, drawModel = -1, drawView = -1, drawProjection = -1;
    int updateCount = -1, updateTime = -1, updateDt = -1, updateParameters = -1, updateBasePosition = -1;
};

} // namespace zumek
