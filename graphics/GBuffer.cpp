// graphics/GBuffer.cpp
#include "graphics/GBuffer.h"

#include <GL/glew.h>

#include <cstdio>

namespace zumek {

const char* const GBuffer::kSamplerNames[kColourCount] = {"GdiffusedMap", "GpositionMap", "GnormalMap", "GuvMap",
                                                          "EyeVecMap",    "PhongMap",     "IdMap"};

void GBuffer::Build() {
    width = height = kSize;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glGenTextures(kColourCount, colour);
    GLenum drawBuffers[kColourCount];
    for (int i = 0; i < kColourCount; ++i) {
        glBindTexture(GL_TEXTURE_2D, colour[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, i == 6 ? GL_R32F : GL_RGBA32F, width, height, 0, GL_RGBA, GL_FLOAT, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(i), GL_TEXTURE_2D, colour[i], 0);
        drawBuffers[i] = GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(i);
    }
    glDrawBuffers(kColourCount, drawBuffers);
    glGenTextures(1, &depth);
    glBindTexture(GL_TEXTURE_2D, depth);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT32, width, height, 0, GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    GLenum status = glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) std::printf("### GBuffer error, status: 0x%x\n", status);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
}

void GBuffer::Release() {
    if (framebuffer) glDeleteFramebuffers(1, &framebuffer);
    if (colour[0]) glDeleteTextures(kColourCount, colour);
    if (depth) glDeleteTextures(1, &depth);
    framebuffer = depth = 0;
    for (auto& c : colour) c = 0;
}

void GBuffer::BindTextures() const {
    for (int i = 0; i < kColourCount; ++i) {
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(i));
        glBindTexture(GL_TEXTURE_2D, colour[i]);
    }
    glActiveTexture(GL_TEXTURE0);
}

} // namespace zumek
