// tests/graphics/HeadsetCubeScene.h
// The headset tests' scene: a red cube straight ahead of the player's camera, seen through the
// headset engine in a small window, whichever runtime the environment offers.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include <glm/vec3.hpp>

#include "engine/Settings.h"
#include "graphics/Oculus.h"
#include "tests/graphics/GraphicsScene.h"

namespace zumek {
class Object;
}

namespace zumek::test {

class HeadsetCubeScene {
public:
    static constexpr int kWidth = 160, kHeight = 120;
    static constexpr glm::vec3 kCubeColor{0.9f, 0.2f, 0.1f};

    /// `prepareRuntime` runs first: it sets the environment the headset engine reads as it starts.
    explicit HeadsetCubeScene(const std::function<void()>& prepareRuntime);
    /// Close() when not closed yet.
    virtual ~HeadsetCubeScene();
    HeadsetCubeScene(const HeadsetCubeScene&) = delete;
    HeadsetCubeScene& operator=(const HeadsetCubeScene&) = delete;

    void Frames(int count) { scene->RunFrames(count); }
    /// The cube's mean column between window columns x0 and x1 (-1: not there).
    float WindowCubeColumn(int x0, int x1) const;
    /// Expects the headset engine off and the cube drawn to the window, as without a headset;
    /// `shotName` names the screenshot saved when it is not.
    void ExpectWindowRendering(const char* shotName);
    /// Stops the headset (its GL objects go while the renderer's context lives), the renderer
    /// and the objects.
    void Close();

    /// The headset's GL objects: eye images, eye depth and mirror textures, eye and mirror
    /// framebuffers.
    struct GlNames {
        std::vector<unsigned> textures, framebuffers;
    };
    GlNames HeadsetGlNames() const;
    /// Expects every one of `names` to be a live GL object (`live`) or a released one.
    static void ExpectGlNames(const GlNames& names, bool live);

    std::unique_ptr<Oculus> headset;
    std::unique_ptr<GraphicsScene> scene;
    ResolutionSetting initialResolution{};
    Object* player = nullptr;
};

} // namespace zumek::test
