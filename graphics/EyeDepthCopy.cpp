// graphics/EyeDepthCopy.cpp
#include "graphics/EyeDepthCopy.h"

#include <GL/glew.h>

#include "graphics/ShaderProvider.h"

namespace zumek {

EyeDepthCopy::~EyeDepthCopy() {
    if (m_vertexArray) glDeleteVertexArrays(1, &m_vertexArray);
    if (m_sampler) glDeleteSamplers(1, &m_sampler);
}

void EyeDepthCopy::Draw(unsigned sceneDepth) {
    if (!m_looked) {
        m_looked = true;
        m_program = ShaderProvider::Instance().TryGet("EYE_DEPTH_SHADER");
        if (m_program) {
            m_samplerLocation = glGetUniformLocation(m_program, "sceneDepth");
            glGenVertexArrays(1, &m_vertexArray);
            glGenSamplers(1, &m_sampler);
            glSamplerParameteri(m_sampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glSamplerParameteri(m_sampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glSamplerParameteri(m_sampler, GL_TEXTURE_COMPARE_MODE, GL_NONE);
            glSamplerParameteri(m_sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glSamplerParameteri(m_sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        }
    }
    if (!m_program) return;
    // Depth is written only with the test on; culling or blending left on would lose or mix it.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glUseProgram(m_program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sceneDepth);
    glBindSampler(0, m_sampler);
    glUniform1i(m_samplerLocation, 0);
    glBindVertexArray(m_vertexArray);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glBindVertexArray(0);
    glBindSampler(0, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);

    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthFunc(GL_LESS);
}

} // namespace zumek
