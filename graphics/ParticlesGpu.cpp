// graphics/ParticlesGpu.cpp
#include "graphics/ParticlesGpu.h"

#include <GL/glew.h>

namespace zumek {

ParticlesGpu::~ParticlesGpu() {
    if (particleBuffer) glDeleteBuffers(1, &particleBuffer);
    if (vertexArray) glDeleteVertexArrays(1, &vertexArray);
}

} // namespace zumek
