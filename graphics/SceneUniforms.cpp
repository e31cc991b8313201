// graphics/SceneUniforms.cpp
#include "graphics/SceneUniforms.h"

#include <glm/gtc/type_ptr.hpp>
#include <glm/matrix.hpp>

#include "engine/SettingManager.h"
#include <GL/glew.h>

namespace zumek {

SceneUniforms SceneUniforms::Locate(unsigned int program) {
    SceneUniforms u;
    if (!program) return u;
    u.view = glGetUniformLocation(program, "V");
    u.model = glGetUniformLocation(program, "M");
    u.normalMatrix = glGetUniformLocation(program, "NormalMatrix");
    u.mvp = glGetUniformLocation(program, "MVP");
    u.diffuseColor = glGetUniformLocation(program, "diffuseColor");
    u.multiplier = glGetUniformLocation(program, "MultiplierTexture");
    u.useTexture = glGetUniformLocation(program, "useTexture");
    u.useNormal = glGetUniformLocation(program, "useNormal");
    u.debugDraw = glGetUniformLocation(program, "DebugDraw");
    u.pickId = glGetUniformLocation(program, "PickId");
    u.time = glGetUniformLocation(program, "time");
    return u;
}

void SceneUniforms::SetMatrices(const glm::mat4& modelMatrix) const {
    const CameraSetting& camera = *SettingManager::GetSetting<CameraSetting*>();
    const glm::mat4 normal = glm::transpose(glm::inverse(modelMatrix));
    const glm::mat4 modelViewProjection = camera.projection * camera.view * modelMatrix;
    glUniformMatrix4fv(view, 1, GL_FALSE, glm::value_ptr(camera.view));
    glUniformMatrix4fv(model, 1, GL_FALSE, glm::value_ptr(modelMatrix));
    glUniformMatrix4fv(normalMatrix, 1, GL_FALSE, glm::value_ptr(normal));
    glUniformMatrix4fv(mvp, 1, GL_FALSE, glm::value_ptr(modelViewProjection));
}

} // namespace zumek
