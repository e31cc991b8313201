// tests/graphics/HeadsetCubeScene.h
// The headset tests' scene: a red cube straight ahead of the player's camera, seen through the
// headset engine in a small window, whichever runtime the environment offers; and what they read
// back: a headset eye's texture, and where the cube lies in it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "engine/Settings.h"
#include "graphics/Oculus.h"
#include "tests/graphics/GraphicsScene.h"

namespace zumek {
class Object;
}

namespace zumek::test {

/// An RGBA image read back from a GL texture, rows from the bottom.
struct EyeImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;

    /// Whether the pixel is the red test cube's.
    bool IsCube(int x, int y) const;
    /// Mean column of the cube's pixels (-1 without any).
    float CubeColumn() const;
};

/// Reads a GL texture's level 0 (needs the context current).
EyeImage ReadTexture(unsigned texture);

/// A depth texture's level 0, one value per pixel in rows from the bottom (`width` wide).
struct DepthImage {
    int width = 0, height = 0;
    std::vector<float> depth;
    float At(int x, int y) const { return depth[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};
DepthImage ReadDepthTexture(unsigned texture);

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
    /// Runs `before` frames with the headset, then frames until it lets go (at most `limit` in
    /// all), and expects it to leave nothing behind: its GL objects (eye images, eye depth and
    /// mirror textures, eye and mirror framebuffers) released, the mouse turning the camera
    /// again, the next frame the window's own at the window's size (else saved as `shotName`).
    /// Returns the frames run with the headset; `errors` gets what reached standard error.
    int FramesUntilTheHeadsetLetsGo(int before, int limit, std::string& errors, const char* shotName);

    std::unique_ptr<Oculus> headset;
    std::unique_ptr<GraphicsScene> scene;
    ResolutionSetting initialResolution{};
    Object* player = nullptr;
};

} // namespace zumek::test
