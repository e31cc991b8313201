// graphics/SpriteGpu.cpp
#include "graphics/SpriteGpu.h"

#include <GL/glew.h>

namespace zumek {

SpriteGpu::~SpriteGpu() {
    if (!created) return;
    mesh.Release();
    if (debugBuffer) glDeleteBuffers(1, &debugBuffer);
    if (debugVertexArray) glDeleteVertexArrays(1, &debugVertexArray);
}

} // namespace zumek
