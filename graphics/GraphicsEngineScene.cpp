// graphics/GraphicsEngineScene.cpp
// The parts of the frame that walk the objects: sprites, lights, particles, picking listeners.
#include "graphics/GraphicsEngine.h"

#include <GL/glew.h>

#include <glm/geometric.hpp>
#include <glm/gtc/quaternion.hpp>

#include "engine/SettingManager.h"
#include "graphics/AnimatedSprite.h"
#include "graphics/Hud.h"
#include "graphics/Light.h"
#include "graphics/Oculus.h"
#include "graphics/LightTiles.h"
#include "graphics/LightVolume.h"
#include "graphics/ParticleRenderer.h"
#include "graphics/Particles.h"
#include "graphics/PickingListener.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteRenderer.h"
#include "objects/Camera.h"
#include "objects/Object.h"
#include "objects/ObjectManager.h"
#include "objects/Transform.h"

namespace zumek {

void GraphicsEngine::UpdatePlayerCamera(int eye) {
    Object* player = ObjectManager::Instance().GetObject("player1");
    Camera* camera = player ? player->GetComponent<Camera>() : nullptr;
    if (!camera) return;
    // Without a headset the pose is the identity; the camera then follows its own controls. With
    // one, the first eye's update takes the frame's input and the second eye's only moves the
    // view to that eye.
    if (eye < 0) camera->Update(false, glm::vec3(0.0f), glm::quat(1, 0, 0, 0));
    else if (eye == 0) camera->Update(true, m_headset->EyePosition(), m_headset->EyeOrientation());
    else camera->LookFromEye(m_headset->EyePosition(), m_headset->EyeOrientation());
}

void GraphicsEngine::DrawObjects(std::vector<Object*>& objects, bool collect) {
    const bool drawHud = SettingManager::GetSetting<HudDrawSetting>() == 0;
    for (Object* object : objects) {
        if (!object) continue;
        if (collect) {
            if (Light* light = object->GetComponent<Light>()) m_lights.push_back(light);
            if (Particles* particles = object->GetComponent<Particles>()) m_particles.push_back(particles);
        }
        if (Sprite* sprite = object->GetComponent<Sprite>()) {
            sprite->SetPickId(object->GetNumber());
            SpriteRenderer::Draw(*sprite);
        }
        if (drawHud) {
            if (Hud* hud = object->GetComponent<Hud>()) SpriteRenderer::DrawHud(*hud);
        }
        if (AnimatedSprite* animated = object->GetComponent<AnimatedSprite>()) {
            animated->SetPickId(object->GetNumber());
            SpriteRenderer::DrawAnimated(*animated);
        }
    }
}

void GraphicsEngine::DrawParticles(float dt, bool advance) {
    for (Particles* particles : m_particles) ParticleRenderer::Draw(*particles, dt, advance);
}

namespace {

glm::vec3 LightPosition(const Light& light) {
    Object* owner = light.GetOwner();
    Transform* transform = owner ? owner->GetComponent<Transform>() : nullptr;
    return transform ? transform->GetPosition() : glm::vec3(0.0f);
}

} // namespace

void GraphicsEngine::BinLights(int width, int height) {
    m_volumeLights.clear();
    const CameraSetting& camera = *SettingManager::GetSetting<CameraSetting*>();
    m_lightTiles->Begin(width, height, camera.view, camera.projection);
    for (Light* light : m_lights) {
        // A volume draws only inside its ellipsoid's outline and the shader only within the
        // reach (half the x extent): the tiles stand for that only when the ellipsoid holds the
        // reach sphere. Other shapes, and lights past the tiles' capacity, keep their volume.
        const glm::vec3& volume = light->GetVolume();
        const bool sphereInside = volume.x > 0.0f && volume.y >= volume.x && volume.z >= volume.x;
        LightTiles::PointLight point;
        point.position = LightPosition(*light);
        point.color = light->GetColor();
        point.intensity = glm::vec3(light->GetConstant(), light->GetLinear(), light->GetExponential());
        point.reach = 0.5f * volume.x;
        if (!sphereInside || !m_lightTiles->Add(point)) m_volumeLights.push_back(light);
    }
}

void GraphicsEngine::DrawLights(const std::vector<Light*>& lights, int width, int height) {
    const unsigned int program = m_lightVolume->Program();
    if (!program || lights.empty()) return;
    // One program serves every light: its locations are looked up once.
    static unsigned int locationsOf = 0;
    static GLint position = -1, color = -1, constant = -1, linear = -1, exponential = -1;
    if (locationsOf != program) {
        locationsOf = program;
        position = glGetUniformLocation(program, "LightPos");
        color = glGetUniformLocation(program, "lightSpecularColor");
        constant = glGetUniformLocation(program, "lightConstantIntensity");
        linear = glGetUniformLocation(program, "lightLinearIntensity");
        exponential = glGetUniformLocation(program, "lightExponentialIntensity");
    }
    for (Light* light : lights) {
        const glm::vec3 where = LightPosition(*light);
        glUseProgram(program);
        glUniform3f(position, where.x, where.y, where.z);
        glUniform1f(constant, light->GetConstant());
        glUniform1f(linear, light->GetLinear());
        glUniform1f(exponential, light->GetExponential());
        const glm::vec3& c = light->GetColor();
        glUniform3f(color, c.x, c.y, c.z);
        m_lightVolume->SetPosition(where);
        m_lightVolume->SetScale(light->GetVolume());
        m_lightVolume->Draw(*m_gBuffer, width, height);
    }
}

void GraphicsEngine::UpdatePickingListeners(std::vector<Object*>& objects) {
    for (Object* object : objects) {
        PickingListener* listener = object ? object->GetComponent<PickingListener>() : nullptr;
        if (!listener) continue;
        const glm::vec2 screen = listener->GetScreenPosition();
        Sample sample = SampleGBuffer(screen.x, screen.y);
        std::string pickedId;
        std::string tag = listener->GetPickedTag();
        glm::vec3 normal = listener->GetNormal();
        for (Object* candidate : objects) {
            if (candidate && static_cast<float>(candidate->GetNumber()) == sample.id && sample.id >= 1.0f) {
                pickedId = candidate->GetId();
                tag = candidate->GetTag();
                if (glm::length(sample.normal) > 0.0f) normal = glm::normalize(sample.normal);
                break;
            }
        }
        listener->SetPicked(sample.position, normal, pickedId, tag);
    }
}

} // namespace zumek
