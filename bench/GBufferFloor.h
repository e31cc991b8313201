// bench/GBufferFloor.h
#pragma once
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "graphics/GBuffer.h"
#include "graphics/MeshData.h"

namespace zumek {
class Window;
}

namespace zumek::bench {

/// The bare floor of a deferred frame on this GPU, the renderer's peer in the benchmarks: clear
/// the seven G-buffer attachments, draw the cubes with a trivial program into them, one
/// full-screen pass sampling all seven into the window, swap. Needs a current GL context (the
/// graphics engine's) for its whole life.
class GBufferFloor {
public:
    /// `width` x `height`: the window's drawable size, the full-screen pass's viewport.
    GBufferFloor(Window& window, int width, int height);
    ~GBufferFloor();
    GBufferFloor(const GBufferFloor&) = delete;
    GBufferFloor& operator=(const GBufferFloor&) = delete;

    /// One floor frame: a cube at each of `models`, seen through `viewProjection`; presented.
    void Draw(const glm::mat4& viewProjection, const std::vector<glm::mat4>& models);

    /// The benchmarks' scene: cube `index` of `count` on a square grid on the x-z plane.
    static glm::vec3 GridPosition(int index, int count);
    /// The world matrices of `count` such cubes (scale 0.6, turned 30 degrees about y).
    static std::vector<glm::mat4> GridModels(int count);
    /// The camera the benchmarks look at that grid from.
    static glm::mat4 View();

private:
    Window& m_window;
    int m_width;
    int m_height;
    GBuffer m_gBuffer;
    MeshBuffers m_cube;
    unsigned int m_cubeProgram = 0;
    unsigned int m_quadProgram = 0;
    int m_mvpLocation = -1;
    unsigned int m_quadArray = 0;
    unsigned int m_quadBuffer = 0;
};

} // namespace zumek::bench
