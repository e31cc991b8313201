// graphics/GraphicsEngine.h
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "engine/Engine.h"
#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "engine/System.h"

namespace zumek {

class EyeDepthCopy;
class GlContext;
class ImGuiSetup;
class Laser;
class Light;
class LightTiles;
class LightVolume;
class LogRenderer;
class Oculus;
class Particles;
class ScreenQuad;
class Window;
struct GBuffer;

/// The deferred renderer. Each frame: present the previous frame; draw every sprite, the laser
/// and the particles into the 1024 x 1024 G-buffer (geometry pass); draw the full-screen quad
/// with the point lights into the window (lighting pass: the lit image adds the lights in the
/// quad's own pass; debug views, and lights it cannot take, get one light volume per point
/// light); draw the on-screen log
/// while DebugSetting is 0; pick the object under a left click (ObjectSelectSignal); update the
/// picking listeners; turn engine state 3 into 2.
/// With a headset in use both passes run once per eye, seen from that eye and lit into the
/// eye's texture, and the headset's submit draws the mirror into the window; what happens once
/// a frame (input, the particles' step, the fade, the caption's clock) still happens once.
class GraphicsEngine final : public SignalHandler<GraphicsSignal>,
                             public SignalHandler<GraphicsMode>,
                             public SignalHandler<LaserSignal>,
                             public System,
                             public Engine {
public:
    /// `window`: the game window (not owned); `headset`: the VR headset, or null (not owned).
    GraphicsEngine(Window* window, Oculus* headset);
    ~GraphicsEngine() override;

    /// Creates the GL context (throws when OpenGL 4.1 core is not available), the G-buffer, the
    /// screen quad, the light volume, the laser, the log renderer and the overlay.
    void Initialize() override;
    void Shutdown() override;
    void Update() override {}
    /// The frame (see the class comment).
    void Update(float dt, std::vector<Object*>& objects) override;

    /// 0: the window was resized: resolution and projection are recomputed.
    void Handle(GraphicsSignal signal) override;
    /// Logs "display: fullscreen" or "display: windowed" when the mode changes.
    void Handle(GraphicsMode signal) override;
    /// Colour, then points, to the laser.
    void Handle(LaserSignal signal) override;

    /// Reads the window's client size into ResolutionSetting and the projection into CameraSetting.
    void UpdateResolutionAndProjection();
    /// The projection for a `width` x `height` target: right-handed perspective, near 0.1,
    /// far 10000, m[1][1] = 1 / tan(22.5 radians).
    static glm::mat4 MakeProjection(int width, int height);

    /// What lies under a window point (pixels from the top left) in the last geometry pass.
    struct Sample {
        glm::vec3 position{0.0f}; ///< world position (x, y, z) / w
        float id = 0.0f;          ///< pick id, 0 where nothing was drawn
        glm::vec3 normal{0.0f};
    };
    Sample SampleGBuffer(float x, float y);

    /// Reads the frame last drawn (the one the next frame presents) as 8-bit RGB rows, bottom
    /// row first, of the client size. Needs Initialize.
    bool ReadFrame(std::vector<uint8_t>& rgb, int& width, int& height);
    /// Writes that frame as a PNG; false (and one log line) when it cannot be written.
    bool WriteScreenshot(const std::string& path);

    int GraphicsModeValue() const { return m_graphicsMode; }
    ScreenQuad* GetScreenQuad() const { return m_screenQuad.get(); }
    Laser* GetLaser() const { return m_laser.get(); }
    LogRenderer* GetLogRenderer() const { return m_logRenderer.get(); }
    const GBuffer& GetGBuffer() const { return *m_gBuffer; }

private:
    /// `eye`: -1 for the window's one view, else the headset eye (0 first, 1 last).
    void GeometryPass(float dt, std::vector<Object*>& objects, int eye);
    void UpdatePlayerCamera(int eye);
    /// Draws the sprites; `collect` also gathers the frame's lights and particles.
    void DrawObjects(std::vector<Object*>& objects, bool collect);
    void DrawParticles(float dt, bool advance);
    void DrawLog();
    /// The headset's status check; true while it is in use. When it stops being used the
    /// window's resolution and projection come back.
    bool HeadsetInUse();
    void RenderHeadsetFrame(float dt, std::vector<Object*>& objects);
    /// Sorts the frame's lights into those the lit screen quad can add and the others.
    void BinLights(int width, int height);
    void DrawLights(const std::vector<Light*>& lights, int width, int height);
    void LightingPass(int width, int height);
    void ClickPick(const glm::vec4& click);
    void UpdatePickingListeners(std::vector<Object*>& objects);
    void ScaledPixel(float x, float y, int& px, int& py) const;

    Window* m_window;
    Oculus* m_headset;
    bool m_headsetWasInUse = false;
    std::unique_ptr<GlContext> m_context;
    std::vector<Light*> m_lights;
    std::vector<Light*> m_volumeLights; ///< this frame's lights the screen quad cannot take
    std::vector<Particles*> m_particles;
    std::unique_ptr<LightVolume> m_lightVolume;
    std::unique_ptr<LightTiles> m_lightTiles;
    std::unique_ptr<GBuffer> m_gBuffer;
    std::unique_ptr<EyeDepthCopy> m_eyeDepthCopy;
    std::unique_ptr<ScreenQuad> m_screenQuad;
    std::unique_ptr<Laser> m_laser;
    std::unique_ptr<LogRenderer> m_logRenderer;
    std::unique_ptr<ImGuiSetup> m_imGuiSetup;
    int m_graphicsMode = 1;
};

} // namespace zumek
