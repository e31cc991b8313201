// graphics/GraphicsEngine.cpp
#include "graphics/GraphicsEngine.h"

#include <GL/glew.h>

#include <cstdio>
#include <stdexcept>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/EngineLog.h"
#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "graphics/EyeDepthCopy.h"
#include "graphics/GBuffer.h"
#include "graphics/ImGuiSetup.h"
#include "graphics/Laser.h"
#include "graphics/LightTiles.h"
#include "graphics/LightVolume.h"
#include "graphics/LogRenderer.h"
#include "graphics/Oculus.h"
#include "graphics/ScreenQuad.h"
#include "input/InputEvents.h"
#include "platform/Clock.h"
#include "platform/GlContext.h"
#include "platform/PngWriter.h"
#include "platform/Window.h"

namespace zumek {

GraphicsEngine::GraphicsEngine(Window* window, Oculus* headset)
    : System(GRAPHICS_SYSTEM_ID), m_window(window), m_headset(headset) {
    SignalManager::Connect<GraphicsSignal>(this);
    SignalManager::Connect<GraphicsMode>(this);
    SignalManager::Connect<LaserSignal>(this);
}

GraphicsEngine::~GraphicsEngine() = default;

glm::mat4 GraphicsEngine::MakeProjection(int width, int height) {
    float aspect = static_cast<float>(width) / static_cast<float>(height);
    // 45 is taken in radians: the vertical field of view is 2 x 22.5 rad, about 58.3 degrees.
    return glm::perspective(45.0f, aspect, 0.1f, 10000.0f);
}

void GraphicsEngine::Initialize() {
    m_context = std::make_unique<GlContext>(m_window ? m_window->Handle() : nullptr);
    GLint major = 0, minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    // Any version from 4.1 on will do (a plain "minor >= 1" test would refuse a 5.0).
    if (major < 4 || (major == 4 && minor < 1)) throw std::runtime_error("OpenGL 4.1 is not supported!");
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) throw std::runtime_error("Failed to initialize GLEW\n");
    while (glGetError() != GL_NO_ERROR) {
        // glewInit asks for the extension string the old way, which a core context refuses.
    }
    EngineLog::Instance().WriteInfo(std::string("OpenGL ") + reinterpret_cast<const char*>(glGetString(GL_VERSION)) +
                                    ", " + reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glClearColor(0.05f, 0.05f, 0.05f, 0.7f);
    UpdateResolutionAndProjection();

    m_screenQuad = std::make_unique<ScreenQuad>();
    m_screenQuad->SetProgram("SCREEN_QUAD_SHADER");
    m_screenQuad->SetLitProgram("LIT_SCREEN_QUAD_SHADER");
    m_screenQuad->SetSpecularColor(glm::vec3(1.0f));
    m_screenQuad->SetModelName("ScreenQuad");
    m_screenQuad->Build();

    m_laser = std::make_unique<Laser>();
    m_laser->SetProgram("GBUFFER_SHADER");
    m_laser->SetEffect("NORMAL_SHADER");
    m_laser->SetColor(glm::vec3(1.0f));

    m_lightVolume = std::make_unique<LightVolume>();
    m_lightVolume->SetProgram("POINT_LIGHT_SHADER");
    m_lightVolume->SetModel("sphere");
    m_lightVolume->Build();
    m_lightTiles = std::make_unique<LightTiles>();

    CameraSetting& camera = *SettingManager::GetSetting<CameraSetting*>();
    glm::mat4 view = glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f)), 0.0f, glm::vec3(0.0f, 1.0f, 0.0f));
    camera.view = view * view;

    const ResolutionSetting& resolution = SettingManager::GetSetting<ResolutionSetting>();
    glViewport(0, 0, resolution.width, resolution.height);
    m_gBuffer = std::make_unique<GBuffer>();
    m_gBuffer->Build();
    m_logRenderer = std::make_unique<LogRenderer>();
    if (m_headset && m_headset->IsEnabled()) m_headset->SetUpRenderTargets();
    m_headsetWasInUse = m_headset && m_headset->IsEnabled();
    m_imGuiSetup = std::make_unique<ImGuiSetup>(m_window);
}

void GraphicsEngine::Shutdown() {
    m_lights.clear();
    m_volumeLights.clear();
    m_particles.clear();
    if (!m_context) return;
    if (m_imGuiSetup) m_imGuiSetup->Shutdown();
    m_imGuiSetup.reset();
    m_logRenderer.reset();
    m_laser.reset();
    m_lightVolume.reset();
    m_lightTiles.reset();
    m_screenQuad.reset();
    m_eyeDepthCopy.reset();
    if (m_gBuffer) m_gBuffer->Release();
    m_gBuffer.reset();
    m_context.reset();
}

void GraphicsEngine::UpdateResolutionAndProjection() {
    int width = m_window ? m_window->ClientWidth() : 0;
    int height = m_window ? m_window->ClientHeight() : 0;
    // A minimised window reports 0 x 0; keep the last projection instead of dividing by zero.
    if (width <= 0 || height <= 0) return;
    ResolutionSetting& resolution = SettingManager::GetSetting<ResolutionSetting>();
    resolution = ResolutionSetting{width, height};
    if (SignalManager::Instance().HasChannel<ResolutionSetting>()) SignalManager::Emit<ResolutionSetting>(resolution);
    SettingManager::GetSetting<CameraSetting*>()->projection = MakeProjection(width, height);
}

void GraphicsEngine::Handle(GraphicsSignal signal) {
    if (signal == GRAPHICS_RESIZED) UpdateResolutionAndProjection();
}

void GraphicsEngine::Handle(GraphicsMode signal) {
    if (signal == m_graphicsMode) return;
    m_graphicsMode = signal;
    EngineLog::Instance().WriteInfo(std::string("display: ") + (signal == 1 ? "fullscreen" : "windowed"));
}

void GraphicsEngine::Handle(LaserSignal signal) {
    if (!m_laser) return;
    m_laser->SetColor(signal.color);
    m_laser->SetSegments(signal.points);
}

void GraphicsEngine::Update(float dt, std::vector<Object*>& objects) {
    if (!m_context) return;
    m_context->Swap();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (m_particles.capacity() < 40) m_particles.reserve(40);
    m_screenQuad->Step();
    if (HeadsetInUse()) {
        RenderHeadsetFrame(dt, objects);
    } else {
        GeometryPass(dt, objects, -1);
        const ResolutionSetting& resolution = SettingManager::GetSetting<ResolutionSetting>();
        LightingPass(resolution.width, resolution.height);
        DrawLog();
    }
    m_lights.clear();
    m_volumeLights.clear();
    m_particles.clear();
    if (InputEvents::Instance().Take(input_event::CLICK)) ClickPick(InputEvents::Instance().clickPosition);
    UpdatePickingListeners(objects);
    if (SettingManager::GetSetting<EngineStateSetting>() == ENGINE_QUIT_REQUESTED)
        SettingManager::SetAndEmit<EngineStateSetting>(ENGINE_STOP);
}

void GraphicsEngine::DrawLog() {
    if (SettingManager::GetSetting<DebugSetting>() != 0) return;
    EngineLog::Instance().RemoveOlderThan(Clock::NowMs() - 60000);
    m_logRenderer->Render(EngineLog::Instance().Records());
}

bool GraphicsEngine::HeadsetInUse() {
    if (!m_headset) return false;
    m_headset->StatusCheck();
    const bool inUse = m_headset->IsEnabled();
    if (m_headsetWasInUse && !inUse) UpdateResolutionAndProjection();
    m_headsetWasInUse = inUse;
    return inUse;
}

void GraphicsEngine::RenderHeadsetFrame(float dt, std::vector<Object*>& objects) {
    const ResolutionSetting& resolution = SettingManager::GetSetting<ResolutionSetting>();
    if (!m_headset->BeginFrame()) {
        // No eyes this frame (the session is starting, hidden or gone): the window's own view.
        GeometryPass(dt, objects, -1);
        LightingPass(resolution.width, resolution.height);
        DrawLog();
        m_headset->SubmitFrame(resolution.width, resolution.height);
        return;
    }
    CameraSetting& camera = *SettingManager::GetSetting<CameraSetting*>();
    const glm::mat4 windowProjection = camera.projection;
    for (int eye = 0; eye < 2; ++eye) {
        m_headset->PrepareEye(eye);
        camera.projection = m_headset->EyeProjection();
        GeometryPass(dt, objects, eye);
        m_headset->BindEye(eye);
        // The light volumes and tiles cover the eye's texture, not the window.
        const glm::vec2 size = m_headset->EyeTextureSize();
        LightingPass(static_cast<int>(size.x), static_cast<int>(size.y));
        DrawLog();
        // The runtime takes this eye's depth image with its colour: give it the scene's depth.
        if (m_headset->EyeHasRuntimeDepth(eye)) {
            if (!m_eyeDepthCopy) m_eyeDepthCopy = std::make_unique<EyeDepthCopy>();
            m_eyeDepthCopy->Draw(m_gBuffer->depth);
        }
        m_headset->FinishEye(eye);
    }
    camera.projection = windowProjection;
    m_headset->SubmitFrame(resolution.width, resolution.height);
    glViewport(0, 0, resolution.width, resolution.height);
}

void GraphicsEngine::GeometryPass(float dt, std::vector<Object*>& objects, int eye) {
    const bool firstView = eye <= 0;
    const bool lastView = eye != 0;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_gBuffer->framebuffer);
    // Every attachment starts at zero, whatever the window's clear colour: an id of 0 means
    // "nothing here" and a position w of 0 marks the background for the lighting pass.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.05f, 0.05f, 0.05f, 0.7f);
    glViewport(0, 0, m_gBuffer->width, m_gBuffer->height);
    // The lighting pass of a fading frame leaves these as they were; the sprites need them so.
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    if (firstView && InputEvents::Instance().Take(input_event::TOGGLE_DEBUG_DRAW)) {
        auto& value = SettingManager::GetSetting<DebugDrawSetting>();
        value = DebugDrawSetting(value == 0 ? 1 : 0);
        if (SignalManager::Instance().HasChannel<DebugDrawSetting>()) SignalManager::Emit<DebugDrawSetting>(value);
    }
    UpdatePlayerCamera(eye);
    DrawObjects(objects, firstView);
    m_laser->Draw();
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_ONE, GL_ONE);
    glDepthMask(GL_FALSE); // particles blend over each other and must not hide one another
    // Advanced after the last view's draw, so that both eyes see them in the same place.
    DrawParticles(dt, lastView);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    if (firstView) m_imGuiSetup->Update(dt, objects);
    else m_imGuiSetup->DrawAgain();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const ResolutionSetting& resolution = SettingManager::GetSetting<ResolutionSetting>();
    glViewport(0, 0, resolution.width, resolution.height);
}

void GraphicsEngine::LightingPass(int width, int height) {
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_ONE, GL_ONE);
    BinLights(width, height);
    const bool lightsDrawn = m_screenQuad->Draw(*m_gBuffer, m_lightTiles.get());
    if (!m_screenQuad->IsFading()) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
        DrawLights(lightsDrawn ? m_volumeLights : m_lights, width, height);
    }
    // Restored in both cases, so that a fading frame leaves the state as a plain one does.
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
}

void GraphicsEngine::ScaledPixel(float x, float y, int& px, int& py) const {
    const ResolutionSetting& resolution = SettingManager::GetSetting<ResolutionSetting>();
    px = static_cast<int>(x * static_cast<float>(GBuffer::kSize) / static_cast<float>(resolution.width));
    py = static_cast<int>(static_cast<float>(GBuffer::kSize) - y * static_cast<float>(GBuffer::kSize) / static_cast<float>(resolution.height));
    // A point on the window's bottom edge maps to row 1024, one past the last row.
    if (px > GBuffer::kSize - 1) px = GBuffer::kSize - 1;
    if (py > GBuffer::kSize - 1) py = GBuffer::kSize - 1;
    if (px < 0) px = 0;
    if (py < 0) py = 0;
}

void GraphicsEngine::ClickPick(const glm::vec4& click) {
    int px = 0, py = 0;
    ScaledPixel(click.x, click.y, px, py);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_gBuffer->framebuffer);
    glReadBuffer(GL_COLOR_ATTACHMENT6);
    float pixel[4] = {0, 0, 0, 0};
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_FLOAT, pixel);
    if (pixel[0] >= 1.0f) SignalManager::Emit<ObjectSelectSignal>(ObjectSelectSignal{"", static_cast<int32_t>(pixel[0]), true});
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

GraphicsEngine::Sample GraphicsEngine::SampleGBuffer(float x, float y) {
    Sample sample;
    if (!m_gBuffer) return sample;
    int px = 0, py = 0;
    ScaledPixel(x, y, px, py);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_gBuffer->framebuffer);
    float position[4] = {0, 0, 0, 0}, id[4] = {0, 0, 0, 0}, normal[4] = {0, 0, 0, 0};
    glReadBuffer(GL_COLOR_ATTACHMENT1);
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_FLOAT, position);
    glReadBuffer(GL_COLOR_ATTACHMENT6);
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_FLOAT, id);
    glReadBuffer(GL_COLOR_ATTACHMENT2);
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_FLOAT, normal);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    // Where nothing was drawn w is 0: the position is then the origin rather than NaN.
    float w = position[3] != 0.0f ? position[3] : 1.0f;
    sample.position = glm::vec3(position[0], position[1], position[2]) / w;
    sample.id = id[0];
    sample.normal = glm::vec3(normal[0], normal[1], normal[2]);
    return sample;
}

bool GraphicsEngine::ReadFrame(std::vector<uint8_t>& rgb, int& width, int& height) {
    if (!m_context || !m_window) return false;
    width = m_window->ClientWidth();
    height = m_window->ClientHeight();
    rgb.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return true;
}

bool GraphicsEngine::WriteScreenshot(const std::string& path) {
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
    if (!ReadFrame(rgb, width, height) || !WritePng(path, width, height, 3, rgb.data(), true)) {
        ReportProblem(Error, "Could not write the screenshot " + path);
        return false;
    }
    return true;
}

} // namespace zumek
