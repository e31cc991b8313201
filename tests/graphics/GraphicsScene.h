// tests/graphics/GraphicsScene.h
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "graphics/GraphicsEngine.h"
#include "platform/Window.h"

namespace zumek {

class Object;
class Oculus;
class Sprite;

/// A small window with the real renderer over objects the test builds by hand, looked at by
/// a camera at `eye` looking down -z. Frames are read back as RGB pixels (row 0 at the top).
class GraphicsScene {
public:
    /// `headset`: an initialised headset engine the renderer draws for (not owned), or null.
    GraphicsScene(int width = 160, int height = 120, Oculus* headset = nullptr);
    ~GraphicsScene();

    /// An object with a Transform (position, scale) and a Sprite of `model` in `color`.
    Object* AddSprite(const std::string& id, const std::string& tag, const std::string& model, const glm::vec3& position,
                      const glm::vec3& scale, const glm::vec3& color);
    /// An object with a Transform at `position` and nothing else yet.
    Object* AddObject(const std::string& id, const std::string& tag, const glm::vec3& position);

    /// Runs `count` frames of the renderer over the objects, then reads the last one back.
    void RunFrames(int count = 1, float dt = 1.0f / 60.0f);

    /// The pixel at (x, y) from the top left of the last frame read.
    glm::vec3 Pixel(int x, int y) const;
    /// Every pixel of the last frame read, row by row from the top.
    std::vector<glm::vec3> Frame() const;
    /// Mean brightness (0..1) of the pixels of a rectangle.
    float MeanBrightness(int x0, int y0, int x1, int y1) const;
    /// Writes the last frame to the test output folder (for looking at it); returns the path.
    std::string Save(const std::string& name) const;

    GraphicsEngine& Engine() { return *m_engine; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    std::unique_ptr<Window> m_window;
    std::unique_ptr<GraphicsEngine> m_engine;
    std::vector<Object*> m_objects;
    std::vector<uint8_t> m_frame;
    int m_nextNumber = 1;
};

} // namespace zumek
